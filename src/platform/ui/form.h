#pragma once
#include <functional>
#include <string>
#include <utility>
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
// its client area. The position is twips of the screen (ScreenInfo); the size
// and everything inside are twips at the resolution of the monitor the window
// is on (dpi()), so a window moved to a monitor of another scale keeps its
// size in twips and looks the same there, sharp.
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

    // The window's class, by which other programs find it; empty for the
    // toolkit's common one. Set before the form is realized.
    const std::string& windowClass() const { return windowClass_; }
    void setWindowClass(std::string name) { windowClass_ = std::move(name); }

    int clientWidth() const { return clientWidth_; }
    // The dots per inch of the monitor the window is on, as the back-end
    // reports it (96 until it does).
    int dpi() const { return dpi_; }
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
    // A later start of the program asks this window to show itself.
    std::function<void()> onShowRequest;
    // The window now shows at another resolution: it was moved to a monitor
    // of another scale, or its monitor's scale changed. Its new geometry has
    // been reported before (onResize ran when its size changed).
    std::function<void()> onDpiChange;

    // Reports of the native window, which change state without echoing back.
    void reportGeometry(Rect outer, int clientWidth, int clientHeight, WindowState state);
    void reportFocus(Control* to);
    // The window was activated, coming from another of the program's windows
    // or from another program.
    void reportActivated(bool fromProgram);
    // The program's windows lost the activation to another program.
    void reportDeactivated();
    // A later start of the program asked the window to show itself; true when
    // the form answers such requests.
    bool reportShowRequest();
    // The resolution of the window's monitor, at its making and whenever it
    // changes (after the geometry the change gave the window).
    void reportDpi(int dpi);

    void setGeometry(Rect r) override;

private:
    friend class Timer;
    friend class Control;
    void setClientFromOuter();

    UiBackend& ui_;
    Style style_;
    std::string caption_;
    Picture icon_ = Picture::AppIcon;
    std::string windowClass_;
    int clientWidth_, clientHeight_;
    bool realized_ = false;
    bool unloaded_ = false;
    WindowState state_ = WindowState::Normal;
    int dpi_ = 96;
    std::vector<Menu*> menuBar_;
    std::vector<Timer*> timers_;
    Control* focused_ = nullptr;
};

}  // namespace scrivlet::ui
