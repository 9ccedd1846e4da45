#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "platform/lifetime.h"
#include "platform/ui/control.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_subclass.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_units.h"

namespace scrivlet {

class Win32Ui;

// The native window of one control: a child window of its container's window,
// subclassed so that focus and mouse presses reach the control. Notifications
// the window sends to its parent come here through the container
// (command/notify/drawItem/controlColour).
class Win32ControlPeer : public ui::ControlPeer, protected SubclassHandler {
public:
    ~Win32ControlPeer() override;

    HWND hwnd() const { return window_.get(); }
    ui::Control& control() { return control_; }
    // The peer of a window this program created for a control, if it is one.
    static Win32ControlPeer* fromHwnd(HWND hwnd);

    void update(ui::Change change) override;

    // A notification code of WM_COMMAND from the window.
    virtual void command(WORD /*code*/) {}
    virtual std::optional<LRESULT> notify(const NMHDR& /*header*/) { return std::nullopt; }
    virtual bool drawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
    // WM_CTLCOLOR*: the brush of the back colour, text in the fore colour.
    virtual HBRUSH controlColour(HDC dc);
    // Reads what the native window holds back into the control, as the
    // user's actions would report it.
    virtual void syncFromNative() {}
    // The form came to a monitor of another resolution: the window goes to
    // its twips in the new units, with the font of the new resolution.
    virtual void refreshForDpi();

protected:
    Win32ControlPeer(Win32Ui& ui, ui::Control& control, HWND parent, int id);

    // Creates the window with the control's geometry, visibility, enabled
    // state and font, and subclasses it.
    bool createWindow(const wchar_t* className, DWORD style, DWORD exStyle, const std::string& text);
    // Where the window goes, in pixels of its container: the control's
    // geometry, unless the kind of control needs more room (a combo box's list).
    virtual RECT windowBounds();
    // What the kind of control does with a change; the common ones (geometry,
    // visibility, enabled state, colours) are done already.
    virtual void updateOwn(ui::Change /*change*/) {}
    std::optional<LRESULT> subclassMessage(HWND hwnd, UINT message, WPARAM wParam,
                                           LPARAM lParam) override;
    // Subclasses another window of the control (the edit field of a combo
    // box) for focus and mouse.
    void subclassPart(HWND part);
    LRESULT callOriginal(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Tells whether the peer was destroyed: a handler that runs the
    // program's event code asks it before it touches the peer again.
    Lifetime::Watch watchLifetime() const { return lifetime_.watch(); }
    void applyFont(bool bold);
    // The font the window shows now (bold or not, at the form's resolution).
    virtual HFONT currentFont();
    // The resolution the window's font is made for: the form's.
    virtual int fontDpi();
    // Twips and pixels of the form's monitor.
    ScreenUnits units() const;

    Win32Ui& ui_;
    ui::Control& control_;
    HWND parent_;
    int id_;
    UniqueHwnd window_;
    HWND part_ = nullptr;
    Subclass subclass_;
    Subclass partSubclass_;
    UniqueHbrush background_;
    // Set while the peer changes the window itself, so that the window's
    // notifications of that change are not reported back as the user's.
    bool updating_ = false;
    bool bold_ = false;

private:
    Lifetime lifetime_;
};

// Sets a flag for the duration of a scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = before_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool before_;
};

// The shift mask of the toolkit from the keyboard state.
int currentShiftMask();

// The text of a window (a control's, a title) as the program's text.
std::string windowText(HWND hwnd);
// Sets a window's text; false when the window refuses it.
bool setWindowText(HWND hwnd, const std::string& text);

}  // namespace scrivlet
