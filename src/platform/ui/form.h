#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/control.h"

namespace scrivlet::ui {

class Menu;
class Timer;
class UiBackend;

// FixedSingle and FixedDialog are both fixed in size; a fixed single window
// shows its icon in the caption, a dialog frame does not.
enum class BorderStyle { Sizable, FixedSingle, FixedDialog, ToolWindow, None };
enum class WindowState { Normal, Minimized, Maximized };
// Why a form is asked to close: the user's close box, system menu or Alt+F4,
// the program itself, Windows ending the session, or another program (the
// task manager, a plain close message from outside).
enum class CloseReason { User = 0, Code = 1, SystemShutdown = 2, TaskManager = 3 };

// The images the program draws itself.
// Monitor is a screen on its stand with a desktop and a taskbar at the bottom,
// 188 x 174 units; the others are square.
enum class Picture { None, New, Rename, Delete, Ok, Help, Info, Debug, Options, AppIcon, Monitor };

// A top-level window. Its geometry is the outer rectangle in twips (frame,
// caption and menu bar included), on the screen; its controls are laid out in
// its client area.
class Form : public Container {
public:
    struct Style {
        BorderStyle border = BorderStyle::Sizable;
        bool minButton = true;
        bool maxButton = true;
        bool showInTaskbar = true;
        bool topmost = false;
    };

    Form(UiBackend& ui, std::string name, int clientWidth, int clientHeight, Style style);
    ~Form() override;

    UiBackend& ui() { return ui_; }
    const Style& style() const { return style_; }

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    Picture icon() const { return icon_; }
    // The window's icon; set before the form is realized.
    void setIcon(Picture p) { icon_ = p; }

    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }

    // Creates the native window and its controls (nothing in the simulated
    // desktop); call once the form's controls exist.
    void realize();
    bool realized() const { return realized_; }

    void show();       // modeless
    void showModal();  // returns when the form is hidden or unloaded
    void hide();

    // Asks the form to close: onQueryUnload may cancel; otherwise it unloads.
    bool requestClose(CloseReason reason);
    // Windows asks whether the session may end (log-off, shut-down). Nothing
    // unloads yet: another program may still refuse, and the session goes on.
    // True when the form agrees (onQueryEndSession may refuse).
    bool queryEndSession();
    void unload();
    bool unloaded() const { return unloaded_; }

    WindowState windowState() const { return state_; }
    void setWindowState(WindowState s);

    const std::vector<Menu*>& menuBar() const { return menuBar_; }
    void addMenu(Menu& menu) { menuBar_.push_back(&menu); }
    const std::vector<Timer*>& timers() const { return timers_; }

    Control* focused() const { return focused_; }
    void moveFocus(Control* to);

    std::function<void()> onResize;
    // The form became the program's active window: it was shown, or the user
    // came to it from another of the program's windows (not from another
    // program).
    std::function<void()> onActivate;
    // The program lost the activation to another program's window. Every
    // form hears it, shown or hidden; a move among the program's own windows
    // is none.
    std::function<void()> onDeactivate;
    std::function<void(CloseReason, bool& cancel)> onQueryUnload;
    std::function<void(bool& refuse)> onQueryEndSession;
    std::function<void()> onUnload;

    // Reports of the native window, which change state without echoing back.
    void reportGeometry(Rect outer, int clientWidth, int clientHeight, WindowState state);
    void reportFocus(Control* to);
    // The window was activated, coming from another of the program's windows
    // or from another program.
    void reportActivated(bool fromProgram);
    // The program's windows lost the activation to another program.
    void reportDeactivated();

    void setGeometry(Rect r) override;

private:
    friend class Timer;
    friend class Control;
    void setClientFromOuter();

    UiBackend& ui_;
    Style style_;
    std::string caption_;
    Picture icon_ = Picture::AppIcon;
    int clientWidth_, clientHeight_;
    bool realized_ = false;
    bool unloaded_ = false;
    WindowState state_ = WindowState::Normal;
    std::vector<Menu*> menuBar_;
    std::vector<Timer*> timers_;
    Control* focused_ = nullptr;
};

}  // namespace scrivlet::ui
