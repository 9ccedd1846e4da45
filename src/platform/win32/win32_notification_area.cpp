#include "platform/win32/win32_notification_area.h"

#include "platform/win32/win32_notify_icon_data.h"

namespace scrivlet {

bool Win32NotificationArea::hook(WindowId window, std::function<void(unsigned)> onIconMessage,
                                 std::function<void()> onTaskbarCreated) {
    unhook();
    const HWND hwnd = reinterpret_cast<HWND>(window);
    if (!hwnd || !IsWindow(hwnd)) return false;
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    if (taskbarCreated_ == 0) return false;
    if (!subclass_.attach(hwnd, *this)) return false;
    onIconMessage_ = std::move(onIconMessage);
    onTaskbarCreated_ = std::move(onTaskbarCreated);
    return true;
}

void Win32NotificationArea::unhook() {
    // The program hooks its main window once and unhooks it as that unloads;
    // nothing replaces the procedure in between, so the one it had goes back.
    subclass_.detach();
    onIconMessage_ = nullptr;
    onTaskbarCreated_ = nullptr;
}

std::optional<LRESULT> Win32NotificationArea::subclassMessage(HWND, UINT message, WPARAM, LPARAM lParam) {
    if (message == CallbackMessage) {
        // A copy: the program may unhook (and so drop the handler) from
        // within, when the icon's menu ends it.
        if (auto handler = onIconMessage_) handler(static_cast<unsigned>(lParam));
        return 0;
    }
    // The broadcast goes on to the window as well.
    if (message == taskbarCreated_)
        if (auto handler = onTaskbarCreated_) handler();
    return std::nullopt;
}

bool Win32NotificationArea::addIcon(unsigned id, const std::string& tip) {
    const HWND hwnd = subclass_.window();
    if (!hwnd) return false;
    NOTIFYICONDATAW data = notifyIconData(hwnd, id, CallbackMessage, tip);
    return Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

bool Win32NotificationArea::deleteIcon(unsigned id) {
    const HWND hwnd = subclass_.window();
    if (!hwnd) return false;
    NOTIFYICONDATAW data = notifyIconKey(hwnd, id);
    return Shell_NotifyIconW(NIM_DELETE, &data) != FALSE;
}

}  // namespace scrivlet
