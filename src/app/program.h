#pragma once
#include <memory>
#include <optional>
#include <string>

#include "abbreviations/abbreviation_expander.h"
#include "mainwindow/main_window.h"
#include "mainwindow/snippet_location.h"
#include "options/options_window.h"
#include "picker/picker_window.h"
#include "store/message_boxes.h"
#include "platform/modal_count.h"
#include "platform/platform.h"
#include "platform/ui/counted_ui.h"
#include "popup/border_strip.h"
#include "popup/popup_activation.h"
#include "store/daily_backup.h"
#include "store/ini_access.h"
#include "store/popup_options.h"
#include "store/snippet_file.h"
#include "store/user_settings.h"
#include "tracking/debug_window.h"
#include "tracking/debugger_dialog.h"
#include "tracking/target_tracker.h"
#include "transmit/sender.h"

namespace scrivlet {

// The program: it owns every object of a run and wires them together, each
// handed only what it needs. One per run, so every test builds a fresh one.
class Program {
public:
    explicit Program(Platform platform);
    ~Program();

    // The start-up sequence of the main window.
    void start();

private:
    // Loads the snippet file into the windows. An options dialog on screen
    // keeps the unconfirmed values given, and the strip stays as it is until
    // the dialog's "&OK".
    void loadSnippetFile(const std::optional<PopupOptions>& unconfirmed = std::nullopt);
    // The user edited the file by hand and the editor has ended, or another
    // program changed it under a command: the file is read again once no
    // dialog, menu or send of the program is open.
    void reloadWhenIdle();
    void reloadEditedFile();
    // True while a modal loop or a send of the program is open.
    bool busy() const;
    // Shows, places and raises the border strip, or hides it, as the options
    // say; an options dialog on screen steps aside meanwhile.
    void applyBorderStrip();
    // The border colour of the options, the strip and the options dialog.
    void applyBorderColour(Colour colour);
    // A snippet file saved as UTF-8 or UTF-16 is turned into the program's
    // own form, and the user told; false when that failed (it is not loaded).
    bool inSnippetForm();
    // Whether the menu and the picker may read the names of a changed file.
    bool snippetFileReadable();
    // A snippet file was settled on: its path is shown, and it is loaded.
    void located();
    // The windows that go before the main window, in this order.
    void unloadOtherWindows();
    // Every send of an entry, from the menu, the strip or the picker.
    void sendEntry(EntryNumber n, std::optional<WindowId> lastWindow = std::nullopt);
    // The quick picker's hotkey: the picker opens or closes; while one of
    // the program's modal dialogs is open, that dialog comes to the front.
    void pickerHotkeyPressed();
    // Holds the hotkey the options name, unless it is held already or
    // paused; a combination another program holds is reported once.
    void holdPickerHotkey();
    void pausePickerHotkey(bool pause);
    // Where the choice dialog, the debugger and the options dialog appear.
    void placeBesideMain(ui::Form& dialog);

    // Every modal loop the program opens is counted, through the dialogs and
    // the toolkit it hands out (platform_ holds those two instead of the
    // back-end's own): work that must not run under one waits for none.
    ModalCount modal_;
    CountedDialogs dialogs_;
    ui::CountedUi ui_;
    Platform platform_;
    // Set before the objects below, which show the title in their messages.
    bool ntPlatform_;
    std::string appTitle_;
    bool debugMode_ = false;
    MessageBoxes messages_;
    // The file last reported as one that cannot be written: the start loads
    // the file twice, and the user is told once.
    std::string unwritableReported_;
    // The same for a file in UTF-8 or UTF-16 that could not be converted.
    std::string unconvertedReported_;
    // A reading of the file anew waits for the program to be idle: one is
    // enough, however often it was asked for meanwhile.
    bool reloadWaiting_ = false;
    // The picker's hotkey as held now (none while paused), and the last
    // combination reported as another program's.
    std::optional<Hotkey> hotkeyHeld_;
    bool hotkeyPaused_ = false;
    // The hotkey was pressed while an entry was being sent.
    bool pickerAskedWhileSending_ = false;
    std::optional<Hotkey> hotkeyReported_;

    IniAccess ini_;
    DailyBackup backup_;
    UserSettings settings_;
    SnippetFile snippetFile_;
    SnippetLocation location_;
    std::unique_ptr<TargetTracker> tracker_;
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<Sender> sender_;
    std::unique_ptr<AbbreviationExpander> abbreviations_;
    std::unique_ptr<PopupActivation> popup_;
    std::unique_ptr<BorderStrip> strip_;
    std::unique_ptr<OptionsWindow> options_;
    std::unique_ptr<PickerWindow> picker_;
    std::unique_ptr<Debugger> debugger_;
    std::unique_ptr<DebugWindow> debugWindow_;
};

// "debug" in any letter case, with blanks around it, selects debug mode.
bool isDebugCommandLine(const std::string& commandLine);

}  // namespace scrivlet
