#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "mainwindow/editor_state.h"
#include "mainwindow/abbreviation_field.h"
#include "mainwindow/entry_commands.h"
#include "mainwindow/main_form.h"
#include "mainwindow/resize_layout.h"
#include "mainwindow/snippet_location.h"
#include "store/message_boxes.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/notification_area.h"
#include "platform/random_source.h"
#include "platform/ui/ui_backend.h"
#include "store/snippet_file.h"
#include "store/user_settings.h"
#include "store/write_result.h"

namespace scrivlet {

// What the main window asks of the rest of the program.
struct MainWindowLinks {
    // Reads the snippet file into every window.
    std::function<void()> loadSnippetFile;
    // Reads it again once the program is idle, after another program changed
    // it (see reload).
    std::function<void()> rereadFile;
    // The shell's message about the notification-area icon.
    std::function<void(unsigned)> iconMessage;
    // The poll timer's tick outside the NT family.
    std::function<void()> pollTargets;
    // The program's other windows go before the main window's placement is saved.
    std::function<void()> unloadOtherWindows;
    // The options dialog, modal or modeless.
    std::function<void(bool modal)> showOptions{};
    // The debugger dialog, modeless.
    std::function<void()> showDebugger{};
    // The debug window, modeless; at start in debug mode and by the gestures.
    std::function<void()> showDebugWindow{};
    // The online help.
    std::function<void()> showHelp{};
    // Once, a moment after the start is over.
    std::function<void()> afterStart{};
    // True while a message box, input box, chooser, modal dialog, pop-up menu
    // or send of the program is open.
    std::function<bool()> busy{};
};

// The main window's behaviour: the entry list, the editor, the destination
// controls, the menus and buttons, and the start-up and shut-down sequence.
class MainWindow {
public:
    // Its windows through ui; the search term and new names through dialogs;
    // the editor's cut, copy and paste through the clipboard; the icon
    // through tray; enciphered texts' salt through random.
    struct Services {
        ui::UiBackend& ui;
        Dialogs& dialogs;
        Clipboard& clipboard;
        NotificationArea& tray;
        RandomSource& random;
    };

    MainWindow(Services services, SnippetFile& file, UserSettings& settings, SnippetLocation& location,
               const MessageBoxes& messages, bool ntPlatform, MainWindowLinks links);
    ~MainWindow();

    // The start-up sequence: the window stands visible, or hidden behind its
    // icon in the notification area.
    void load(bool debugMode);

    // Brings enabled states, colours, the list selection and the destination
    // option in line with the data.
    void refreshControls();
    // Puts a freshly loaded snippet file into the controls.
    void bindSnippets(const SnippetList& list);

    // Tells the user once when a command's writes did not reach the file (or
    // the day's backup could not be made).
    void reportWrite(WriteResult result);
    // Only a daily backup that could not be made, for the load's writes.
    void reportBackupFailure();

    // Writes the editor's text (and cipher flag) when it differs from the
    // file, before something else reads the entry; see writePendingText.
    void savePendingText();
    // Runs the work once no dialog, menu or send of the program is open, from
    // the main message loop: never inside the event that asks for it, nor in
    // a modal loop whose caller still acts on what it saw before.
    void whenIdle(std::function<void()> work);
    // Reads the snippet file anew with load (which fills every window): the
    // editor's text is written first (or, when another program changed the
    // file, settled with it by the entry's name), and the entry shown stays
    // shown when the file still has one of that name.
    void reload(const std::function<void()>& load);

    void showWindow();
    void hideWindow();
    // Ends the program: the window unloads.
    void quit();

    MainForm form;

private:
    // The entry number of the current entry, 0 when there is none.
    EntryNumber currentEntry() const { return editor_.currentEntry(form.lbEntryList); }
    // Writes one value of the current entry; nothing without a current entry.
    WriteResult writeCurrentField(const std::string& section, const std::string& value);
    void wireEvents();
    void installTrayIcon();
    void wireMenus();
    void selectEntry();
    void destinationChosen(int index);
    void titleBoxLeft();
    void rememberTitle();
    void editorMouseDown(const ui::MouseEvent& e);
    // Runs a link the rest of the program may leave empty.
    static void run(const std::function<void()>& link) {
        if (link) link();
    }
    void queryUnload(ui::CloseReason reason, bool& cancel);
    // Writes the editor's text where it belongs: under the entry's number
    // while the file is as the program last read or wrote it. Once another
    // program changed it, the text goes to the entry of its name where
    // nothing is lost, and the file is read again soon; a text whose entry
    // changed there too, or is gone, is held until then, when the user
    // decides.
    WriteResult storeText();
    // Writes the editor's text when the file does not hold it, unless exactly
    // this text was tried already (a failure is told once).
    WriteResult writePendingText();
    // A held text of an entry other than current is settled with the user.
    void settleHeld(const EntryCommands::Kept& current);
    // The same before the program ends; a held text is settled with the user.
    void saveBeforeEnd();
    // The editor or the cipher check box lost the focus: the text is written.
    void textLeft();
    // The program lost the activation to another program: the text is
    // written, and a failure told once the event is over.
    void deactivated();
    void runIdleWork();
    void unloading();
    void cut();
    void copy();
    void paste();
    void deleteSelection();
    void find();
    void findNext();
    void showAbout();

    Services services_;
    SnippetFile& file_;
    UserSettings& settings_;
    SnippetLocation& location_;
    const MessageBoxes& messages_;
    bool ntPlatform_;
    bool debugMode_ = false;
    MainWindowLinks links_;
    EditorState editor_;
    // The term of "&Suchen...", searched again by "&Weitersuchen".
    std::string searchText_;
    // "Fenster mit diesem &Titel:" was chosen and the title box not yet left.
    bool titleModeChosen_ = false;
    EntryCommands commands_;
    AbbreviationField abbreviation_;
    // What writePendingText tried last: the entry, its text and cipher flag.
    struct Tried {
        EntryNumber entry = 0;
        std::string text;
        int crypt = 0;
        bool operator==(const Tried&) const = default;
    };
    std::optional<Tried> lastTried_;
    // A text held by storeText for the user's decision.
    std::optional<EntryCommands::Kept> held_;
    // The entry to show again once the list is filled anew: name and number.
    std::optional<std::pair<std::string, EntryNumber>> keepShown_;
    std::deque<std::function<void()>> idleWork_;
    ResizeLayout layout_;
};

}  // namespace scrivlet
