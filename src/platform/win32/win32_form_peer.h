#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "platform/ui/form.h"
#include "platform/ui/menu.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_units.h"
#include "platform/win32/win32_window.h"

namespace scrivlet {

class Win32Ui;
class Win32TimerPeer;

// The top-level window of a form: its frame, caption, icon and menu bar, the
// windows of its controls, its timers. It reports moves, sizes, activation
// and closing to the form, and the mouse moving and pressed over the form's
// own area (not over its controls); it dispatches menu commands, and answers
// Enter and Esc with the form's default and cancel buttons. The window's size
// and its controls count in twips of its own monitor's resolution; moved to
// a monitor of another scale, it is laid out anew there.
class Win32FormPeer : public ui::ControlPeer, public Window {
public:
    static constexpr const wchar_t* ClassName = L"ScrivletForm";

    Win32FormPeer(Win32Ui& ui, ui::Form& form);
    ~Win32FormPeer() override;

    ui::Form& form() { return form_; }
    const ui::Form& form() const { return form_; }
    // Twips and pixels at the resolution of the window's monitor.
    const ScreenUnits& units() const { return units_; }
    void update(ui::Change change) override;
    void show();
    void focus(ui::Control* control);
    // The shortcuts of the menu bar; true when the message was one.
    bool translateAccelerator(MSG& message);

    void timerCreated(Win32TimerPeer& timer) { timers_.insert(&timer); }
    void timerDestroyed(Win32TimerPeer& timer) { timers_.erase(&timer); }

    // The window styles (style, extended style) of a form's border style;
    // the frame a form adds around its client area follows from them.
    static std::pair<DWORD, DWORD> styles(const ui::Form::Style& style);

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    HMENU createMenuBar();
    void removeMenuBar();
    void reportGeometry();
    void setIcons();
    // The window came to a monitor of another resolution: the system
    // suggests where it goes and how large it is there.
    void changeDpi(int dpiX, int dpiY, const RECT& suggested);
    // The outer size for a resolution at which the client area keeps its
    // twips.
    SIZE sizeAt(int dpi) const;
    void command(WORD id);
    ui::MenuItem* menuItem(UINT id);
    void paint();
    ui::MouseEvent mouseEvent(ui::MouseButton button, LPARAM lParam) const;
    void mouseMoved(LPARAM lParam);
    void mousePressed(ui::MouseButton button, LPARAM lParam);
    bool focusFirstControl();
    HWND defaultButtonWindow();

    Win32Ui& ui_;
    ui::Form& form_;
    ScreenUnits units_;
    UniqueHmenu menuBar_;
    UniqueHaccel accelerators_;
    std::vector<ACCEL> acceleratorKeys_;
    std::set<Win32TimerPeer*> timers_;
    // The control that had the focus when the window was last deactivated.
    HWND savedFocus_ = nullptr;
    // Set while show() runs: the activation it causes is reported by the
    // form itself.
    bool showing_ = false;
    // Where the last move reported to the form ended, on the screen.
    std::optional<POINT> lastMouse_;
};

}  // namespace scrivlet
