#include "app/program.h"

#include "mainwindow/window_placement.h"
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
      messages_(platform.dialogs, appTitle_),
      ini(platform.profile),
      settings(platform.registry),
      snippetFile(ini, platform.random),
      location(platform, snippetFile, settings, appTitle_, [this] { loadSnippetFile(); }) {
    tracker = std::make_unique<TargetTracker>(platform.windows, platform.ui, snippetFile.ignoreList(), appTitle_);
    mainWindow = std::make_unique<MainWindow>(
        platform, snippetFile, settings, location, messages_, ntPlatform_,
        MainWindowLinks{.loadSnippetFile = [this] { loadSnippetFile(); },
                        .iconMessage = [this](unsigned lParam) { popup->iconMessage(lParam); },
                        .pollTargets = [this] { tracker->pollTick(); },
                        .unloadOtherWindows = [this] { strip->unload(); }});
    sender = std::make_unique<Sender>(platform, snippetFile, *tracker, messages_, ownCaption("Auswahl", ntPlatform_),
                                      [this](ui::Form& dialog) {
                                          placeBesideMainWindow(dialog, mainWindow->form, platform.ui.screen());
                                      });
    MainWindow& main = *mainWindow;
    popup = std::make_unique<PopupActivation>(
        platform, snippetFile, *tracker, main.form, ntPlatform_,
        PopupActions{[this](EntryNumber n) { sender->sendEntry(n); }, [this] { return sender->sending(); },
                     [&main] { main.showWindow(); },
                     [&main] { main.hideWindow(); }, [&main] { main.quit(); }});
    strip = std::make_unique<BorderStrip>(platform.ui, platform.windows, snippetFile.options(),
                                          ownCaption("Satellit", ntPlatform_));
    strip->activate = [this](int button) { popup->activatePopup(button); };
}

Program::~Program() = default;

void Program::loadSnippetFile() {
    const SnippetList list = snippetFile.load();
    if (list.ignoreDefaults == WriteResult::Ok) {
        unwritableReported_.clear();
    } else if (unwritableReported_ != snippetFile.path()) {
        unwritableReported_ = snippetFile.path();
        messages_.show(MessageIcon::Error,
                       formatMessageText("Die Textbaustein-Datei '%1' kann nicht beschrieben werden.\\n\\n"
                                         "Änderungen an den Textbausteinen können nicht gespeichert werden.",
                                         {snippetFile.path()}));
    }
    strip->applyColour(snippetFile.options().borderColour);
    strip->apply();
    mainWindow->bindSnippets(list);
}

void Program::start() {
    debugMode_ = isDebugCommandLine(platform.system.commandLine());
    mainWindow->load(debugMode_);
    // The menu is built once the program has started rather than at the first
    // click: with thousands of entries that takes long.
    popup->prepareMenu();
}

}  // namespace scrivlet
