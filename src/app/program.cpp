#include "app/program.h"

#include "help/online_help.h"
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
      location(platform, snippetFile, settings, appTitle_, [this] { located(); }) {
    tracker = std::make_unique<TargetTracker>(platform.windows, platform.ui, snippetFile.ignoreList(), appTitle_);
    mainWindow = std::make_unique<MainWindow>(
        platform, snippetFile, settings, location, messages_, ntPlatform_,
        MainWindowLinks{.loadSnippetFile = [this] { loadSnippetFile(); },
                        .iconMessage = [this](unsigned lParam) { popup->iconMessage(lParam); },
                        .pollTargets = [this] { tracker->pollTick(); },
                        .unloadOtherWindows = [this] { unloadOtherWindows(); },
                        .showOptions = [this](bool modal) { options->show(modal); },
                        .showDebugger = [this] { debugger->show(); },
                        .showDebugWindow = [this] { debugWindow->show(); },
                        .showHelp = [this] { showHelp(platform, messages_); },
                        // With thousands of entries the menu takes long to build:
                        // it is built before the first click, but after the start,
                        // since the shell may wait for the program while it adds the
                        // icon, and a long build then holds up the shell too.
                        .afterStart = [this] { popup->prepareMenu(); }});
    sender = std::make_unique<Sender>(platform, snippetFile, *tracker, messages_, ownCaption("Auswahl", ntPlatform_),
                                      [this](ui::Form& dialog) { placeBesideMain(dialog); });
    MainWindow& main = *mainWindow;
    popup = std::make_unique<PopupActivation>(
        platform, snippetFile, *tracker, main.form, ntPlatform_,
        PopupActions{[this](EntryNumber n) { sender->sendEntry(n); }, [this] { return sender->sending(); },
                     [&main] { main.showWindow(); },
                     [&main] { main.hideWindow(); }, [&main] { main.quit(); }});
    strip = std::make_unique<BorderStrip>(platform.ui, platform.windows, snippetFile.options(),
                                          ownCaption("Satellit", ntPlatform_));
    strip->activate = [this](int button) { popup->activatePopup(button); };
    options = std::make_unique<OptionsWindow>(
        platform, snippetFile, messages_, ownCaption("Optionen", ntPlatform_),
        OptionsLinks{.placeBesideMainWindow = [this](ui::Form& dialog) { placeBesideMain(dialog); },
                     .useStandardFile = [this] { location.locate(SnippetLocation::Mode::Standard); },
                     .chooseFolder =
                         [this](WindowId owner) { location.locate(SnippetLocation::Mode::ChooseFolder, owner); },
                     .applyBorderColour = [this](Colour colour) { applyBorderColour(colour); },
                     .applyBorderStrip = [this] { applyBorderStrip(); },
                     .reportWrite = [this](WriteResult result) { mainWindow->reportWrite(result); }});
    debugger = std::make_unique<Debugger>(
        platform, snippetFile, messages_, ownCaption("Debugger", ntPlatform_),
        DebuggerLinks{.placeBesideMainWindow = [this](ui::Form& dialog) { placeBesideMain(dialog); },
                      .reloadSnippetFile = [this] { loadSnippetFile(); },
                      .reportWrite = [this](WriteResult result) { mainWindow->reportWrite(result); }});
    // Every capture shows its titles in the debugger dialog.
    tracker->onTitles = [this](const std::vector<std::string>& titles) { debugger->showTitles(titles); };
    debugWindow = std::make_unique<DebugWindow>(platform, appTitle_,
                                                [this] { return platform.ui.windowOf(mainWindow->form); });
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
    options->showOptions();
    applyBorderColour(snippetFile.options().borderColour);
    applyBorderStrip();
    mainWindow->bindSnippets(list);
}

void Program::located() {
    options->showPath(snippetFile.path());
    loadSnippetFile();
}

void Program::applyBorderColour(Colour colour) {
    snippetFile.options().borderColour = colour;
    strip->applyColour(colour);
    options->showBorderColour(colour);
}

void Program::applyBorderStrip() {
    const bool dialogAside = snippetFile.options().viaBorder != 0 && options->form.visible();
    if (dialogAside) options->form.hide();
    strip->apply();
    if (dialogAside) options->form.show();
}

void Program::placeBesideMain(ui::Form& dialog) {
    placeBesideMainWindow(dialog, mainWindow->form, platform.ui.screen());
}

void Program::unloadOtherWindows() {
    debugger->unload();
    options->unload();
    strip->unload();
    debugWindow->unload();
}

void Program::start() {
    debugMode_ = isDebugCommandLine(platform.system.commandLine());
    mainWindow->load(debugMode_);
}

}  // namespace scrivlet
