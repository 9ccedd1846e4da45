#include "store/snippet_location.h"

#include "store/file_helpers.h"
#include "store/message_text.h"

namespace scrivlet {

namespace {
const char* const FileName = "Scrivlet.ini";
const char* const SampleName = "sample.ini";
const char* const PathSetting = "path";
}  // namespace

std::string SnippetLocation::standardPath() { return appFolder(platform_.system) + FileName; }

void SnippetLocation::inform(MessageIcon icon, const std::string& text,
                             const std::vector<std::string>& values) {
    platform_.dialogs.message(
        {formatMessageText(text, values), appTitle_, icon, MessageButtons::Ok, false});
}

void SnippetLocation::rememberPath() {
    if (!succeeded(settings_.save(PathSetting, file_.path())))
        inform(MessageIcon::Error,
               "Der Speicherort der Textbausteine konnte nicht in den Benutzereinstellungen "
               "gespeichert werden.\\n\\nBeim nächsten Start wird wieder die bisherige Datei "
               "verwendet.");
}

void SnippetLocation::useStandardFile() {
    const std::string path = standardPath();
    file_.setPath(path);
    const std::string sample = appFolder(platform_.system) + SampleName;
    if (!fileExists(platform_.files, path) && fileExists(platform_.files, sample) &&
        !platform_.files.copy(sample, path))
        inform(MessageIcon::Error,
               "Die Beispieldatei '%1' konnte nicht nach '%2' kopiert werden.\\n\\n"
               "Scrivlet beginnt daher mit einer leeren Textbaustein-Datei.",
               {sample, path});
    rememberPath();
}

bool SnippetLocation::chooseFolder(WindowId owner) {
    const std::string folder =
        platform_.dialogs.chooseFolder(owner, "Bitte wählen Sie den neuen Ablageordner:");
    if (folder.empty()) return false;
    const std::string path = addBackslash(folder) + FileName;
    if (!fileExists(platform_.files, path)) {
        const MessageAnswer answer = platform_.dialogs.message(
            {formatMessageText("Im ausgewählten Ordner befindet sich (noch) keine Scrivlet-datei."
                               "\\n\\nMöchten Sie eine neue anlegen?"),
             appTitle_, MessageIcon::Question, MessageButtons::YesNo, false});
        if (answer != MessageAnswer::Yes) return false;
        if (!writeFileWhole(platform_.files, path, "")) {
            inform(MessageIcon::Error,
                   "Die Datei '%1' konnte nicht angelegt werden.\\n\\n"
                   "Es bleibt bei der bisherigen Datei '%2'.",
                   {path, file_.path()});
            return false;
        }
    }
    file_.setPath(path);
    rememberPath();
    return true;
}

bool SnippetLocation::locate(Mode mode, WindowId owner) {
    switch (mode) {
        case Mode::Start: {
            const std::string remembered = settings_.get(PathSetting, "");
            if (remembered.empty()) {
                useStandardFile();
            } else if (!fileExists(platform_.files, remembered)) {
                inform(MessageIcon::Information,
                       "Im angegebenen Ordner befindet sich keine Scrivlet-datei.\\n\\n"
                       "Die Pfadangabe wird daher auf Standardwerte zurückgesetzt.");
                useStandardFile();
            } else {
                file_.setPath(remembered);
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
