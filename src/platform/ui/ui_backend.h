#pragma once
#include <string>
#include <string_view>

#include "platform/ui/geometry.h"
#include "platform/window_id.h"

namespace scrivlet::ui {

class Control;
class Form;
class Menu;

// The primary screen: its size in pixels and the resolution at which
// positions on the screen count in twips (the one the program started with; a
// form's size counts at its own monitor's, Form::dpi()). Pixels become twips
// exactly, never by a whole number of twips per pixel: at 175 % or 200 % that
// would be 8 or 7 where 8.23 or 7.5 are right, and the bottom of a screen
// would lie some 70 pixels above its edge.
struct ScreenInfo {
    int widthPixels = 1280;
    int heightPixels = 1024;
    int dpiX = 96;
    int dpiY = 96;
    int twipsX(int pixels) const { return pixelsToTwips(pixels, dpiX); }
    int twipsY(int pixels) const { return pixelsToTwips(pixels, dpiY); }
    int widthTwips() const { return twipsX(widthPixels); }
    int heightTwips() const { return twipsY(heightPixels); }
};

// The window system under the control toolkit: real windows on Windows, none
// in the simulated desktop.
class UiBackend {
public:
    virtual ~UiBackend() = default;

    // Creates the native window of a form with its controls, menus and timers.
    virtual void realize(Form& form) = 0;
    virtual void destroy(Form& form) = 0;
    // The window the system knows the form by; 0 before it is realized.
    virtual WindowId windowOf(const Form& form) = 0;
    virtual void show(Form& form) = 0;
    virtual void hide(Form& form) = 0;
    // Runs until the form is hidden or unloaded.
    virtual void runModal(Form& form) = 0;
    // Makes the control the focus of its form's window.
    virtual void focus(Form& form, Control* control) = 0;

    // Shows the menu at the mouse and returns when it has closed; a chosen
    // item's onClick has run by then.
    virtual void popupMenu(Form& owner, Menu& menu) = 0;
    // Makes the system's menu follow the items now, so that showing it later
    // costs no building (a menu of thousands of items takes long to build).
    virtual void prepareMenu(Menu& menu) = 0;

    // What the frame, caption and menu bar add to a client area, in twips at
    // the form's resolution.
    virtual Rect frameAround(const Form& form) = 0;
    virtual ScreenInfo screen() = 0;
    // Negative, zero or positive as the platform's case-insensitive, locale-aware
    // comparison orders the texts (the order of sorted lists).
    virtual int compareText(std::string_view a, std::string_view b) = 0;
    // Lets pending user-interface events run once.
    virtual void doEvents() = 0;
    // Ends the message loop of the program.
    virtual void quit() = 0;
};

}  // namespace scrivlet::ui
