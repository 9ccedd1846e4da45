#include "platform/win32/win32_subclass.h"

namespace scrivlet {

namespace {
constexpr const char* SubclassProperty = "Scrivlet.Subclass";
}

bool Subclass::attach(HWND hwnd, SubclassHandler& handler) {
    detach();
    if (!hwnd || !SetPropA(hwnd, SubclassProperty, this)) return false;
    hwnd_ = hwnd;
    handler_ = &handler;
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclass::procedure)));
    if (!original_) {
        RemovePropA(hwnd, SubclassProperty);
        hwnd_ = nullptr;
        handler_ = nullptr;
        return false;
    }
    return true;
}

void Subclass::detach() {
    if (!hwnd_) return;
    if (IsWindow(hwnd_)) {
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        RemovePropA(hwnd_, SubclassProperty);
    }
    hwnd_ = nullptr;
    handler_ = nullptr;
}

LRESULT CALLBACK Subclass::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<Subclass*>(GetPropA(hwnd, SubclassProperty));
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    const WNDPROC original = self->original_;
    if (message == WM_NCDESTROY) {
        self->detach();
        return CallWindowProcA(original, hwnd, message, wParam, lParam);
    }
    const std::shared_ptr<bool> alive = self->alive_;
    const std::optional<LRESULT> handled = self->handler_->subclassMessage(hwnd, message, wParam, lParam);
    if (handled) return *handled;
    // The handler may have destroyed the control's peer and the window with
    // it (a click that unloads the form): then the class has nothing to do.
    if (!*alive && !IsWindow(hwnd)) return 0;
    return CallWindowProcA(original, hwnd, message, wParam, lParam);
}

}  // namespace scrivlet
