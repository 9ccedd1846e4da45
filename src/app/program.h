#pragma once
#include <memory>
#include <string>

#include "mainwindow/main_window.h"
#include "mainwindow/snippet_location.h"
#include "options/options_window.h"
#include "platform/message_boxes.h"
#include "platform/platform.h"
#include "popup/border_strip.h"
#include "popup/popup_activation.h"
#include "store/ini_access.h"
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
    // Loads the snippet file into the windows.
    void loadSnippetFile();
    // Shows, places and raises the border strip, or hides it, as the options
    // say; an options dialog on screen steps aside meanwhile.
    void applyBorderStrip();
    // The border colour of the options, the strip and the options dialog.
    void applyBorderColour(Colour colour);
    // A snippet file saved as UTF-8 or UTF-16 is turned into the program's
    // own form, and the user told; false when that failed (it is not loaded).
    bool inSnippetForm();
    // A snippet file was settled on: its path is shown, and it is loaded.
    void located();
    // The windows that go before the main window, in this order.
    void unloadOtherWindows();
    // Where the choice dialog, the debugger and the options dialog appear.
    void placeBesideMain(ui::Form& dialog);

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

    IniAccess ini_;
    UserSettings settings_;
    SnippetFile snippetFile_;
    SnippetLocation location_;
    std::unique_ptr<TargetTracker> tracker_;
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<Sender> sender_;
    std::unique_ptr<PopupActivation> popup_;
    std::unique_ptr<BorderStrip> strip_;
    std::unique_ptr<OptionsWindow> options_;
    std::unique_ptr<Debugger> debugger_;
    std::unique_ptr<DebugWindow> debugWindow_;
};

// "debug" in any letter case, with blanks around it, selects debug mode.
bool isDebugCommandLine(const std::string& commandLine);

}  // namespace scrivlet
