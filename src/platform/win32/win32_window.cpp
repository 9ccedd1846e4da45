#include "platform/win32/win32_window.h"

#include "platform/win32/win32_text.h"

namespace scrivlet {

Window::~Window() {
    if (HWND window = hwnd_.get()) {
        // The object is going: the last messages of the window (WM_DESTROY and
        // the rest) must not reach it any more.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    }
}

bool registerWindowClass(const wchar_t* name, UINT style, WNDPROC procedure, HBRUSH background) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, name, &existing)) return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    return RegisterClassExW(&windowClass) != 0;
}

bool Window::registerClass(const wchar_t* className, HBRUSH background) {
    return registerWindowClass(className, CS_DBLCLKS, procedure, background);
}

bool Window::create(const wchar_t* className, DWORD exStyle, DWORD style, const std::string& text, RECT bounds,
                    HWND parentOrOwner, HMENU menu) {
    HWND window = CreateWindowExW(exStyle, className, wide(text).c_str(), style, bounds.left, bounds.top,
                                  bounds.right - bounds.left, bounds.bottom - bounds.top, parentOrOwner, menu,
                                  GetModuleHandleW(nullptr), this);
    // WM_NCCREATE already stored the handle, so that the messages of the
    // creation could use it; a failed creation has cleared it again.
    return window != nullptr && window == hwnd_.get();
}

LRESULT Window::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    return defaultHandling(message, wParam, lParam);
}

LRESULT CALLBACK Window::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        created->hwnd_.reset(hwnd);
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The system destroys the window (a failed creation, or its owner or
        // parent went): the object keeps no handle that is no longer valid.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_.release();
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    // The handler may destroy the object (a form unloads in its own close
    // message): nothing here touches it afterwards.
    return self->handle(message, wParam, lParam);
}

}  // namespace scrivlet
