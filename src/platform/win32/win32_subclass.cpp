#include "platform/win32/win32_subclass.h"

#include <unordered_map>

namespace scrivlet {

namespace {

// The subclass of each window, kept in the process rather than as a window
// property: under Wine every property read asks the server, and the procedure
// looks its subclass up at every message (a list filled with 10,000 rows paid
// half a second for it). Windows and their procedures belong to one thread.
std::unordered_map<HWND, Subclass*>& subclasses() {
    thread_local std::unordered_map<HWND, Subclass*> byWindow;
    return byWindow;
}

}  // namespace

bool Subclass::attach(HWND hwnd, SubclassHandler& handler) {
    detach();
    if (!hwnd) return false;
    subclasses()[hwnd] = this;
    hwnd_ = hwnd;
    handler_ = &handler;
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclass::procedure)));
    if (!original_) {
        subclasses().erase(hwnd);
        hwnd_ = nullptr;
        handler_ = nullptr;
        return false;
    }
    return true;
}

void Subclass::detach() {
    if (!hwnd_) return;
    if (IsWindow(hwnd_)) SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    const auto known = subclasses().find(hwnd_);
    if (known != subclasses().end() && known->second == this) subclasses().erase(known);
    hwnd_ = nullptr;
    handler_ = nullptr;
}

LRESULT CALLBACK Subclass::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto known = subclasses().find(hwnd);
    Subclass* self = known != subclasses().end() ? known->second : nullptr;
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    const WNDPROC original = self->original_;
    if (message == WM_NCDESTROY) {
        self->detach();
        return CallWindowProcW(original, hwnd, message, wParam, lParam);
    }
    const Lifetime::Watch alive = self->lifetime_.watch();
    const std::optional<LRESULT> handled = self->handler_->subclassMessage(hwnd, message, wParam, lParam);
    if (handled) return *handled;
    // The handler may have destroyed the control's peer and the window with
    // it (a click that unloads the form): then the class has nothing to do.
    if (!alive.alive() && !IsWindow(hwnd)) return 0;
    return CallWindowProcW(original, hwnd, message, wParam, lParam);
}

}  // namespace scrivlet
