#include "platform/win32/win32_notification_area.h"

#include "platform/win32/win32_notify_icon_data.h"

namespace scrivlet {

namespace {
constexpr const char* HookProperty = "Scrivlet.NotificationArea";
}  // namespace

bool Win32NotificationArea::hook(WindowId window, std::function<void(unsigned)> onIconMessage,
                                 std::function<void()> onTaskbarCreated) {
    unhook();
    const HWND hwnd = reinterpret_cast<HWND>(window);
    if (!hwnd || !IsWindow(hwnd)) return false;
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    if (taskbarCreated_ == 0) return false;
    if (!SetPropA(hwnd, HookProperty, this)) return false;
    onIconMessage_ = std::move(onIconMessage);
    onTaskbarCreated_ = std::move(onTaskbarCreated);
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32NotificationArea::procedure)));
    if (!previous_) {
        RemovePropA(hwnd, HookProperty);
        onIconMessage_ = nullptr;
        onTaskbarCreated_ = nullptr;
        return false;
    }
    hwnd_ = hwnd;
    return true;
}

void Win32NotificationArea::unhook() {
    if (!hwnd_) return;
    // The program hooks its main window once and unhooks it as that unloads;
    // nothing replaces the procedure in between, so the one it had goes back.
    if (IsWindow(hwnd_)) {
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        RemovePropA(hwnd_, HookProperty);
    }
    hwnd_ = nullptr;
    previous_ = nullptr;
    onIconMessage_ = nullptr;
    onTaskbarCreated_ = nullptr;
}

LRESULT CALLBACK Win32NotificationArea::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<Win32NotificationArea*>(GetPropA(hwnd, HookProperty));
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    const WNDPROC previous = self->previous_;
    if (message == CallbackMessage) {
        // A copy: the program may unhook (and so drop the handler) from
        // within, when the icon's menu ends it.
        if (auto handler = self->onIconMessage_) handler(static_cast<unsigned>(lParam));
        return 0;
    }
    if (message == self->taskbarCreated_) {
        if (auto handler = self->onTaskbarCreated_) handler();
    } else if (message == WM_NCDESTROY) {
        self->unhook();
    }
    return CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

bool Win32NotificationArea::addIcon(unsigned id, const std::string& tip) {
    if (!hwnd_) return false;
    NOTIFYICONDATAA data = notifyIconData(hwnd_, id, CallbackMessage, tip);
    return Shell_NotifyIconA(NIM_ADD, &data) != FALSE;
}

bool Win32NotificationArea::deleteIcon(unsigned id) {
    if (!hwnd_) return false;
    NOTIFYICONDATAA data = notifyIconKey(hwnd_, id);
    return Shell_NotifyIconA(NIM_DELETE, &data) != FALSE;
}

}  // namespace scrivlet
