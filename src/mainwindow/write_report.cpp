#include "mainwindow/write_report.h"

#include "store/message_text.h"

namespace scrivlet {

void reportWrite(const MessageBoxes& messages, const std::string& path, WriteResult result) {
    if (result == WriteResult::Ok) return;
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

}  // namespace scrivlet
