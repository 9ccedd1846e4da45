#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/lifetime.h"
#include "store/message_boxes.h"
#include "platform/programs.h"
#include "platform/ui/ui_backend.h"
#include "platform/ui/form.h"
#include "platform/ui/list_box.h"
#include "platform/ui/simple_controls.h"
#include "store/snippet_file.h"
#include "store/write_result.h"

namespace scrivlet {

// DebFrm: the windows the next entry could go to, top first, as the last
// capture saw them. The user puts a title on the ignore list here, or opens
// the snippet file in notepad.
class DebuggerForm : public ui::Form {
public:
    explicit DebuggerForm(ui::UiBackend& ui);

    ui::ListBox titelListe{this, "TitelListe", {120, 120, 4215, 1620}, false};
    // Five lines high down to the first button: with Windows' dialog fonts
    // of today (Tahoma, Segoe UI) the explanation takes five lines, not four.
    ui::Label label1{this, "Label1", {180, 1860, 4155, 1125}, ""};
    ui::Button btnIgnore{this, "Btn(0)", {120, 3000, 4215, 375}, "&Markierten Titel in Zukunft ignorieren"};
    ui::Button btnEdit{this, "Btn(1)", {120, 3420, 4215, 375}, "&Konfigurationsdatei manuell bearbeiten"};
    ui::Button btnClose{this, "Btn(2)", {120, 3960, 4215, 375}, "&Dieses Fenster schließen"};
};

// What the debugger dialog asks of the rest of the program.
struct DebuggerLinks {
    // Puts the dialog 50 pixels right of and below the main window.
    std::function<void(ui::Form&)> placeBesideMainWindow;
    // Reads the snippet file into every window again.
    std::function<void()> reloadSnippetFile;
    // Tells the user when a write did not reach the snippet file.
    std::function<void(WriteResult)> reportWrite;
};

// The debugger dialog's life: made hidden by the first capture (or by the
// user's command), refilled by every capture, ended by closing it; the next
// capture makes it anew.
class Debugger {
public:
    // The dialog's window through ui; notepad for the snippet file through
    // programs.
    Debugger(ui::UiBackend& ui, Programs& programs, SnippetFile& file, const MessageBoxes& messages,
             std::string caption, DebuggerLinks links);
    ~Debugger();
    Debugger(const Debugger&) = delete;
    Debugger& operator=(const Debugger&) = delete;

    // Every capture: the titles of the windows that passed, top first.
    void showTitles(const std::vector<std::string>& titles);
    // "Debu&g" and "&Debugger...": shown modeless, in front.
    void show();
    // The program ends: the dialog goes first, and nothing makes it again.
    void unload();
    // The open dialog, hidden or shown; null when there is none.
    DebuggerForm* dialog() const;

private:
    DebuggerForm* open();
    void ignoreSelected();
    void editSnippetFile();

    ui::UiBackend& ui_;
    Programs& programs_;
    SnippetFile& file_;
    const MessageBoxes& messages_;
    std::string caption_;
    DebuggerLinks links_;
    std::unique_ptr<DebuggerForm> form_;
    bool ended_ = false;
    // Tells a notepad that ends later whether this object still exists.
    Lifetime lifetime_;
};

// The command line that opens the file in notepad; the quotes keep a path
// with blanks or commas one argument.
std::string notepadCommandLine(const std::string& path);

}  // namespace scrivlet
