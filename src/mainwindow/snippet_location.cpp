#include "mainwindow/snippet_location.h"

#include "store/message_text.h"

namespace scrivlet {

void SnippetLocation::inform(MessageIcon icon, const std::string& text, const std::vector<std::string>& values) {
    messages_.show(icon, formatMessageText(text, values));
}

void SnippetLocation::reportRemembered(WriteResult result) {
    if (!succeeded(result))
        inform(MessageIcon::Error,
               "Der Speicherort der Textbausteine konnte nicht in den Benutzereinstellungen "
               "gespeichert werden.\\n\\nBeim nächsten Start wird wieder die bisherige Datei "
               "verwendet.");
}

void SnippetLocation::useStandardFile() {
    const SnippetPath::StandardFile outcome = path_.useStandardFile();
    if (outcome.sampleCopyFailed)
        inform(MessageIcon::Error,
               "Die Beispieldatei '%1' konnte nicht nach '%2' kopiert werden.\\n\\n"
               "Scrivlet beginnt daher mit einer leeren Textbaustein-Datei.",
               {path_.samplePath(), path_.standardPath()});
    reportRemembered(outcome.remembered);
}

bool SnippetLocation::chooseFolder(WindowId owner) {
    const std::string folder =
        dialogs_.chooseFolder(owner, "Bitte wählen Sie den neuen Ablageordner:");
    if (folder.empty()) return false;
    const std::string path = SnippetPath::inFolder(folder);
    if (!path_.exists(path)) {
        if (!messages_.ask(formatMessageText("Im ausgewählten Ordner befindet sich (noch) keine Scrivlet-datei."
                                             "\\n\\nMöchten Sie eine neue anlegen?")))
            return false;
        if (!path_.createEmpty(path)) {
            inform(MessageIcon::Error,
                   "Die Datei '%1' konnte nicht angelegt werden.\\n\\n"
                   "Es bleibt bei der bisherigen Datei '%2'.",
                   {path, file_.path()});
            return false;
        }
    }
    path_.use(path);
    reportRemembered(path_.remember());
    return true;
}

bool SnippetLocation::locate(Mode mode, WindowId owner) {
    switch (mode) {
        case Mode::Start: {
            const std::string remembered = path_.remembered();
            if (remembered.empty()) {
                useStandardFile();
            } else if (!path_.exists(remembered)) {
                inform(MessageIcon::Information,
                       "Im angegebenen Ordner befindet sich keine Scrivlet-datei.\\n\\n"
                       "Die Pfadangabe wird daher auf Standardwerte zurückgesetzt.");
                useStandardFile();
            } else {
                path_.use(remembered);
            }
            break;
        }
        case Mode::Standard:
            useStandardFile();
            break;
        case Mode::ChooseFolder:
            if (!chooseFolder(owner)) return false;
            break;
    }
    if (located_) located_();
    return true;
}

}  // namespace scrivlet
