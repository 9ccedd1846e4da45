#pragma once
#include <windows.h>

#include <optional>

#include "platform/lifetime.h"

namespace scrivlet {

// Sees the messages of a subclassed window before its class does; nothing
// means the class handles the message as usual.
class SubclassHandler {
public:
    virtual std::optional<LRESULT> subclassMessage(HWND hwnd, UINT message, WPARAM wParam,
                                                   LPARAM lParam) = 0;

protected:
    ~SubclassHandler() = default;
};

// Puts a handler in front of the window procedure of a window: of a control of
// a standard class (EDIT, BUTTON, RichEdit), or of the window that owns the
// notification icon. Detaching restores the procedure the window had; so does
// the window's destruction.
class Subclass {
public:
    Subclass() = default;
    ~Subclass() {
        lifetime_.end();
        detach();
    }
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;

    bool attach(HWND hwnd, SubclassHandler& handler);
    void detach();
    // The window while attached, else none.
    HWND window() const { return hwnd_; }
    // The class's own handling of a message.
    LRESULT callOriginal(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) const {
        return CallWindowProcW(original_, hwnd, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
    WNDPROC original_ = nullptr;
    SubclassHandler* handler_ = nullptr;
    // A running procedure call learns from it whether the handler destroyed
    // this object.
    Lifetime lifetime_;
};

}  // namespace scrivlet
