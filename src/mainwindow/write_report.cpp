#include "mainwindow/write_report.h"

#include "store/message_text.h"

namespace scrivlet {

namespace {

void reportFailure(const MessageBoxes& messages, const std::string& path, WriteResult result) {
    const std::string text =
        result == WriteResult::LineBreak
            ? formatMessageText("Der Wert enthält einen Zeilenumbruch und kann nicht in der Datei '%1' "
                                "gespeichert werden.",
                                {path})
        : result == WriteResult::TooLong
            ? formatMessageText("Der Text ist zu lang, um in der Datei '%1' gespeichert zu werden.\\n\\n"
                                "Bitte kürzen Sie ihn. Der Text bleibt im Editor; in der Datei steht "
                                "weiter die bisherige Fassung.",
                                {path})
            : formatMessageText("Die Änderung konnte nicht in der Datei '%1' gespeichert werden.\\n\\n"
                                "Bitte prüfen Sie, ob die Datei schreibgeschützt ist und ob ihr Ordner "
                                "noch existiert.",
                                {path});
    messages.show(MessageIcon::Error, text);
}

}  // namespace

void reportBackupFailure(const MessageBoxes& messages, SnippetFile& file) {
    const auto backup = file.takeBackupFailure();
    if (!backup) return;
    messages.show(MessageIcon::Warning,
                  formatMessageText("Die tägliche Sicherung der Textbausteine konnte nicht als '%1' angelegt "
                                    "werden.\\n\\nIhre Änderungen werden trotzdem gespeichert. Bitte prüfen Sie, "
                                    "ob Sie in diesem Ordner schreiben dürfen und ob auf dem Laufwerk noch Platz "
                                    "ist.",
                                    {*backup}));
}

void reportWrite(const MessageBoxes& messages, SnippetFile& file, WriteResult result) {
    if (result != WriteResult::Ok) reportFailure(messages, file.path(), result);
    reportBackupFailure(messages, file);
}

}  // namespace scrivlet
