#include "mainwindow/snippet_location.h"


namespace scrivlet {

void SnippetLocation::inform(const Message& message, const std::vector<std::string>& values) {
    messages_.show(message, values);
}

void SnippetLocation::reportRemembered(WriteResult result) {
    if (!succeeded(result))
        inform(messages::LocationNotRemembered);
}

void SnippetLocation::useStandardFile() {
    const SnippetPath::StandardFile outcome = path_.useStandardFile();
    if (outcome.sampleCopyFailed)
        inform(messages::SampleNotCopied, {path_.samplePath(), path_.standardPath()});
    reportRemembered(outcome.remembered);
}

bool SnippetLocation::chooseFolder(WindowId owner) {
    const std::string folder =
        dialogs_.chooseFolder(owner, "Bitte wählen Sie den neuen Ablageordner:");
    if (folder.empty()) return false;
    const std::string path = SnippetPath::inFolder(folder);
    if (!path_.exists(path)) {
        if (!messages_.ask(messages::NoFileInFolder))
            return false;
        if (!path_.createEmpty(path)) {
            inform(messages::FileNotCreated, {path, file_.path()});
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
                inform(messages::RememberedFolderEmpty);
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
