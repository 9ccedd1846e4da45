#include "mainwindow/program.h"

#include "mainwindow/main_window.h"
#include "popup/border_strip.h"
#include "popup/popup_activation.h"
#include "tracking/target_tracker.h"
#include "transmit/sender.h"
#include "platform/text.h"
#include "store/message_text.h"
#include "tracking/own_caption.h"

namespace scrivlet {

bool isDebugCommandLine(const std::string& commandLine) {
    return toLower(trimBlanks(commandLine)) == "debug";
}

Program::Program(Platform p)
    : platform(p),
      ntPlatform_(isNtPlatform(platform.system)),
      appTitle_(ownCaption("", ntPlatform_)),
      ini(platform.profile),
      settings(platform.registry),
      snippetFile(ini, platform.random),
      location(platform, snippetFile, settings, appTitle_, [this] { loadSnippetFile(); }) {
    mainWindow = std::make_unique<MainWindow>(*this);
    entryCommands = std::make_unique<EntryCommands>(*this, *mainWindow);
    tracker = std::make_unique<TargetTracker>(platform.windows, snippetFile.ignoreList(), appTitle_);
    sender = std::make_unique<Sender>(*this);
    popup = std::make_unique<PopupActivation>(*this);
    strip = std::make_unique<BorderStrip>(platform.ui, platform.windows, snippetFile.options(),
                                          ownCaption("Satellit", ntPlatform_));
    strip->activate = [this](int button) { popup->activatePopup(button); };
}

Program::~Program() = default;

void Program::loadSnippetFile() {
    const SnippetList list = snippetFile.load();
    if (list.ignoreDefaults != WriteResult::Ok)
        platform.dialogs.message(
            {formatMessageText("Die Textbaustein-Datei '%1' kann nicht beschrieben werden.\\n\\n"
                               "Änderungen an den Textbausteinen können nicht gespeichert werden.",
                               {snippetFile.path()}),
             appTitle_, MessageIcon::Error, MessageButtons::Ok, false});
    strip->applyColour(snippetFile.options().borderColour);
    strip->apply();
    mainWindow->bindSnippets(list);
}

void Program::start() {
    debugMode_ = isDebugCommandLine(platform.system.commandLine());
    mainWindow->load();
}

}  // namespace scrivlet
