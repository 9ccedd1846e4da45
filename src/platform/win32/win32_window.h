#pragma once
#include <windows.h>

#include <string>

#include "platform/win32/unique_handle.h"

namespace scrivlet {

// Registers a class of this program's windows once per process: the same name
// registered again is the class already there. False when the system refuses it.
bool registerWindowClass(const wchar_t* name, UINT style, WNDPROC procedure, HBRUSH background = nullptr);

// A window of a class this program registers: the window procedure finds the
// object through the pointer stored at WM_NCCREATE and hands it every message
// as a call of handle(); the object owns the window and destroys it.
class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_.get(); }

    // Registers the class once per process; false when the system refuses it.
    static bool registerClass(const wchar_t* className, HBRUSH background);

protected:
    bool create(const wchar_t* className, DWORD exStyle, DWORD style, const std::string& text, RECT bounds,
                HWND parentOrOwner, HMENU menu = nullptr);
    // The messages of the window; the default is DefWindowProcW.
    virtual LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT defaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(hwnd_.get(), message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    UniqueHwnd hwnd_;
};

}  // namespace scrivlet
