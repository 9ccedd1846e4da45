#include "app/program.h"

#include "help/online_help.h"
#include "mainwindow/window_placement.h"
#include "platform/text.h"
#include "store/snippet_encoding.h"
#include "tracking/own_caption.h"

#include <utility>

namespace scrivlet {

bool isDebugCommandLine(const std::string& commandLine) {
    return toLower(trimBlanks(commandLine)) == "debug";
}

namespace {
// The back-end's table with the counted dialogs and toolkit in place.
Platform withCounted(const Platform& given, Dialogs& dialogs, ui::UiBackend& ui) {
    return {given.profile, given.registry, given.files, given.system, given.clock,     given.random, dialogs,
            ui,            given.clipboard, given.windows, given.keys,  given.tray, given.programs,
            given.hotkeys, given.keyboard};
}
}  // namespace

Program::Program(Platform given)
    : dialogs_(given.dialogs, modal_),
      ui_(given.ui, modal_),
      platform_(withCounted(given, dialogs_, ui_)),
      ntPlatform_(isNtPlatform(given.system)),
      appTitle_(ownCaption("", ntPlatform_)),
      messages_(platform_.dialogs, appTitle_),
      ini_(given.profile),
      backup_({.files = given.files, .clock = given.clock}),
      settings_(given.registry),
      snippetFile_(ini_, given.random, SnippetFile::Keeping{.files = given.files, .backup = backup_}),
      location_({platform_.dialogs, given.files, given.system}, snippetFile_, settings_, appTitle_,
                [this] { located(); }) {
    const Platform& p = platform_;
    tracker_ = std::make_unique<TargetTracker>(p.windows, snippetFile_.ignoreList(), appTitle_);
    mainWindow_ = std::make_unique<MainWindow>(
        MainWindow::Services{.ui = p.ui, .dialogs = p.dialogs, .clipboard = p.clipboard, .tray = p.tray,
                             .random = p.random},
        snippetFile_, settings_, location_, messages_, ntPlatform_,
        MainWindowLinks{.loadSnippetFile = [this] { loadSnippetFile(); },
                        .rereadFile = [this] { reloadWhenIdle(); },
                        .iconMessage = [this](unsigned lParam) { popup_->iconMessage(lParam); },
                        .pollTargets = [this] { tracker_->pollTick(); },
                        .unloadOtherWindows = [this] { unloadOtherWindows(); },
                        .showOptions = [this](bool modal) { options_->show(modal); },
                        .showDebugger = [this] { debugger_->show(); },
                        .showDebugWindow = [this] { debugWindow_->show(); },
                        .showHelp = [this] { showHelp(platform_.files, platform_.system, platform_.programs, messages_); },
                        // With thousands of entries the menu takes long to build:
                        // it is built before the first click, but after the start,
                        // since the shell may wait for the program while it adds the
                        // icon, and a long build then holds up the shell too.
                        .afterStart =
                            [this] {
                                popup_->prepareMenu();
                                picker_->prepare();
                            },
                        .busy = [this] { return busy(); }});
    sender_ = std::make_unique<Sender>(
        Sender::Services{.files = p.files, .clock = p.clock, .ui = p.ui, .windows = p.windows, .keys = p.keys,
                         .clipboard = p.clipboard},
        snippetFile_, *tracker_, messages_, ownCaption("Auswahl", ntPlatform_),
        [this](ui::Form& dialog) { placeBesideMain(dialog); },
        // A send reads the entry from the file: what the editor shows is
        // written first.
        [this] { mainWindow_->savePendingText(); });
    abbreviations_ = std::make_unique<AbbreviationExpander>(
        p.keyboard, snippetFile_,
        AbbreviationExpander::Links{.busy = [this] { return busy(); },
                                    .send = [this](EntryNumber n, WindowId window, const std::vector<KeyStep>& before,
                                                   const std::vector<KeyStep>& after) {
                                        picker_->noteSent(n);
                                        sender_->sendEntryInto(n, window, before, after);
                                    }});
    snippetFile_.abbreviationsChanged = [this] { abbreviations_->apply(); };
    MainWindow& main = *mainWindow_;
    popup_ = std::make_unique<PopupActivation>(
        PopupActivation::Services{.ui = p.ui, .windows = p.windows, .files = p.files}, snippetFile_, *tracker_,
        main.form, ntPlatform_,
        PopupActions{[this](EntryNumber n) { sendEntry(n); }, [this] { return sender_->sending(); },
                     [&main] { main.showWindow(); },
                     [&main] { main.hideWindow(); }, [&main] { main.quit(); },
                     [this] { return snippetFileReadable(); }});
    strip_ = std::make_unique<BorderStrip>(p.ui, p.windows, snippetFile_.options(),
                                           ownCaption("Satellit", ntPlatform_));
    strip_->activate = [this](int button) { popup_->activatePopup(button); };
    options_ = std::make_unique<OptionsWindow>(
        OptionsWindow::Services{.ui = p.ui,
                                .dialogs = p.dialogs,
                                .programs = p.programs,
                                .autostart = {.registry = p.registry, .files = p.files, .system = p.system}},
        snippetFile_, messages_, ownCaption("Optionen", ntPlatform_),
        OptionsLinks{.placeBesideMainWindow = [this](ui::Form& dialog) { placeBesideMain(dialog); },
                     .useStandardFile = [this] { location_.locate(SnippetLocation::Mode::Standard); },
                     .chooseFolder =
                         [this](WindowId owner) { location_.locate(SnippetLocation::Mode::ChooseFolder, owner); },
                     .applyBorderColour = [this](Colour colour) { applyBorderColour(colour); },
                     .applyBorderStrip = [this] { applyBorderStrip(); },
                     .applyPickerHotkey = [this] { holdPickerHotkey(); },
                     .pausePickerHotkey = [this](bool pause) { pausePickerHotkey(pause); },
                     .reportWrite = [this](WriteResult result) { mainWindow_->reportWrite(result); },
                     .applyAbbreviations = [this] { abbreviations_->apply(); }});
    picker_ = std::make_unique<PickerWindow>(
        PickerWindow::Services{.ui = p.ui, .windows = p.windows, .files = p.files}, snippetFile_,
        ownCaption("Schnellauswahl", ntPlatform_),
        PickerLinks{.captureTarget = [this] { return tracker_->capture(); },
                    .send = [this](EntryNumber n, WindowId window) { sendEntry(n, window); },
                    .fileReadable = [this] { return snippetFileReadable(); }});
    p.hotkeys.onPressed = [this] { pickerHotkeyPressed(); };
    debugger_ = std::make_unique<Debugger>(
        p.ui, p.programs, snippetFile_, messages_, ownCaption("Debugger", ntPlatform_),
        DebuggerLinks{.placeBesideMainWindow = [this](ui::Form& dialog) { placeBesideMain(dialog); },
                      .reloadSnippetFile = [this] { reloadWhenIdle(); },
                      .reportWrite = [this](WriteResult result) { mainWindow_->reportWrite(result); }});
    // Every capture shows its titles in the debugger dialog.
    tracker_->onTitles = [this](const std::vector<std::string>& titles) { debugger_->showTitles(titles); };
    debugWindow_ = std::make_unique<DebugWindow>(p.ui, p.windows, p.clock, appTitle_,
                                                 [this] { return platform_.ui.windowOf(mainWindow_->form); });
}

// The hotkey stays with the platform, which outlives the program: a test
// may start the next program before the last one goes.
Program::~Program() = default;

void Program::sendEntry(EntryNumber n, std::optional<WindowId> lastWindow) {
    picker_->noteSent(n);
    if (lastWindow)
        sender_->sendEntryTo(n, *lastWindow);
    else
        sender_->sendEntry(n);
}

// Saved in UTF-8 by another program since the last load: turned once, and
// the main window reads it anew.
bool Program::snippetFileReadable() {
    const auto before = platform_.files.stamp(snippetFile_.path());
    if (!inSnippetForm()) return false;
    if (platform_.files.stamp(snippetFile_.path()) != before) reloadWhenIdle();
    return true;
}

void Program::pickerHotkeyPressed() {
    // The user may have lost a question behind another window: it waits for
    // an answer before anything else.
    if (const WindowId dialog = modal_.open() ? platform_.ui.modalWindow() : 0) {
        platform_.windows.bringToForeground(dialog);
        return;
    }
    // The keys under way must not be typed into the picker: it opens when
    // they are out. Someone who sends entry after entry presses the hotkey
    // as soon as the text shows, before its last key is confirmed.
    if (sender_->sending()) {
        if (std::exchange(pickerAskedWhileSending_, true)) return;
        mainWindow_->whenIdle([this] {
            pickerAskedWhileSending_ = false;
            if (!picker_->isOpen()) picker_->hotkeyPressed();
        });
        return;
    }
    // A menu of the program is open.
    if (modal_.open()) return;
    picker_->hotkeyPressed();
}

void Program::holdPickerHotkey() {
    if (hotkeyPaused_) return;
    const Hotkey wanted = snippetFile_.options().pickerHotkey;
    if (hotkeyHeld_ == wanted) return;
    hotkeyHeld_ = wanted;
    if (platform_.hotkeys.hold(wanted) || hotkeyReported_ == wanted) return;
    hotkeyReported_ = wanted;
    messages_.show(messages::PickerHotkeyTaken, {hotkeyName(wanted)});
}

void Program::pausePickerHotkey(bool pause) {
    if (pause == hotkeyPaused_) return;
    hotkeyPaused_ = pause;
    if (pause) {
        (void)platform_.hotkeys.hold({});
        hotkeyHeld_.reset();
    } else {
        holdPickerHotkey();
    }
}

bool Program::busy() const { return modal_.open() || (sender_ && sender_->sending()); }

void Program::reloadWhenIdle() {
    if (reloadWaiting_) return;
    reloadWaiting_ = true;
    mainWindow_->whenIdle([this] {
        reloadWaiting_ = false;
        reloadEditedFile();
    });
}

void Program::reloadEditedFile() {
    std::optional<PopupOptions> unconfirmed;
    if (options_->form.visible()) unconfirmed = snippetFile_.options();
    mainWindow_->reload([&] { loadSnippetFile(unconfirmed); });
}

void Program::loadSnippetFile(const std::optional<PopupOptions>& unconfirmed) {
    if (!inSnippetForm()) {
        // Read as Windows-1252, its names would be garbled, and every write
        // would mix two encodings in one file.
        snippetFile_.clearIgnoreList();
        mainWindow_->bindSnippets({});
        return;
    }
    const PopupOptions inFileBefore = snippetFile_.optionsInFile();
    const SnippetList list = snippetFile_.load();
    if (unconfirmed) snippetFile_.options() = keepUnconfirmed(inFileBefore, *unconfirmed, snippetFile_.options());
    if (list.ignoreDefaults == WriteResult::Ok) {
        unwritableReported_.clear();
    } else if (unwritableReported_ != snippetFile_.path()) {
        unwritableReported_ = snippetFile_.path();
        messages_.show(messages::FileNotWritable, {snippetFile_.path()});
    }
    // The load's own write (the default ignore titles) may have found no
    // backup possible.
    mainWindow_->reportBackupFailure();
    options_->showOptions();
    holdPickerHotkey();
    applyBorderColour(snippetFile_.options().borderColour);
    if (!unconfirmed) applyBorderStrip();
    mainWindow_->bindSnippets(list);
    abbreviations_->apply();
}

bool Program::inSnippetForm() {
    const SnippetEncoding result = convertToSnippetForm(platform_.files, snippetFile_.path());
    const std::vector<std::string> values{snippetFile_.path(), encodingName(result.encoding), result.copyPath};
    switch (result.outcome) {
        case SnippetEncoding::Outcome::AsItIs: unconvertedReported_.clear(); return true;
        case SnippetEncoding::Outcome::Converted:
            messages_.show(messages::FileConverted, values);
            return true;
        case SnippetEncoding::Outcome::CopyFailed:
        case SnippetEncoding::Outcome::WriteFailed: break;
    }
    // The start loads the file twice; the user is told once.
    if (unconvertedReported_ == snippetFile_.path()) return false;
    unconvertedReported_ = snippetFile_.path();
    messages_.show(messages::FileNotConverted, values);
    return false;
}

void Program::located() {
    options_->showPath(snippetFile_.path());
    loadSnippetFile();
}

void Program::applyBorderColour(Colour colour) {
    snippetFile_.options().borderColour = colour;
    strip_->applyColour(colour);
    options_->showBorderColour(colour);
}

void Program::applyBorderStrip() {
    const bool dialogAside = snippetFile_.options().viaBorder != 0 && options_->form.visible();
    if (dialogAside) options_->form.hide();
    strip_->apply();
    if (dialogAside) options_->form.show();
}

void Program::placeBesideMain(ui::Form& dialog) {
    placeBesideMainWindow(dialog, mainWindow_->form, platform_.ui.screen());
}

void Program::unloadOtherWindows() {
    picker_->unload();
    debugger_->unload();
    options_->unload();
    strip_->unload();
    debugWindow_->unload();
}

void Program::start() {
    debugMode_ = isDebugCommandLine(platform_.system.commandLine());
    mainWindow_->load(debugMode_);
}

}  // namespace scrivlet
