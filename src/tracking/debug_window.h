#pragma once
#include <functional>
#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/ui/ui_backend.h"
#include "platform/window_system.h"
#include "platform/ui/form.h"
#include "platform/ui/list_box.h"
#include "platform/ui/simple_controls.h"
#include "platform/ui/timer.h"
#include "platform/window_id.h"

namespace scrivlet {

// ZRDEBUGFRM: twice a second the main window and every window above it, with
// handle and visibility, and in the caption the title of the window the
// tracker would look at first.
class DebugWindowForm : public ui::Form {
public:
    explicit DebugWindowForm(ui::UiBackend& ui);

    ui::ListBox wList{this, "WList", {180, 180, 4815, 5520}, false};
    ui::CheckBox visChk{this, "VisChk", {1140, 5820, 1755, 375}, "visible only"};
    ui::Button command1{this, "Command1", {3180, 5880, 1095, 375}, "Exit"};
    ui::Timer timer1{*this, 500, true};
};

// The one debug window: shown at start in debug mode and by the main window's
// gestures, ended by "Exit" or its close box (its timer with it), unloaded
// last when the program ends.
class DebugWindow {
public:
    // mainWindow gives the main window's handle, where the list starts.
    // Its window through ui; the windows it lists through windows; the time
    // of the list's first line through clock.
    DebugWindow(ui::UiBackend& ui, WindowSystem& windows, Clock& clock, std::string ownCaption,
                std::function<WindowId()> mainWindow);
    ~DebugWindow();
    DebugWindow(const DebugWindow&) = delete;
    DebugWindow& operator=(const DebugWindow&) = delete;

    // Shows the window, made first when there is none, and brings it forward.
    void show();
    void unload();
    // The open window; null when there is none.
    DebugWindowForm* window() const;

    // The date and time, then a line per window from the main window upwards
    // (the visible ones only while VisChk is checked).
    void fillWList();
    // The caption becomes the title of the first visible, titled foreign
    // window from the foreground window down; the ignore list plays no part.
    void tron();

private:
    ui::UiBackend& ui_;
    WindowSystem& windows_;
    Clock& clock_;
    std::string ownCaption_;
    std::function<WindowId()> mainWindow_;
    std::unique_ptr<DebugWindowForm> form_;
    bool ended_ = false;
};

// One line of WList: "001 000A01F2 V '• Scrivlet 2.3c'".
std::string windowListLine(int position, WindowId window, bool visible, const std::string& title);

}  // namespace scrivlet
