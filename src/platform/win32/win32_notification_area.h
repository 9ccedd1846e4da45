#pragma once
#include <windows.h>

#include "platform/notification_area.h"

namespace scrivlet {

// The icon through Shell_NotifyIconA, and the hook as a replacement window
// procedure of the window that owns the icon.
class Win32NotificationArea : public NotificationArea {
public:
    Win32NotificationArea() = default;
    ~Win32NotificationArea() override { unhook(); }
    Win32NotificationArea(const Win32NotificationArea&) = delete;
    Win32NotificationArea& operator=(const Win32NotificationArea&) = delete;

    bool hook(WindowId window, std::function<void(unsigned lParam)> onIconMessage,
              std::function<void()> onTaskbarCreated) override;
    void unhook() override;
    bool addIcon(unsigned id, const std::string& tip) override;
    bool deleteIcon(unsigned id) override;

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    WNDPROC previous_ = nullptr;
    UINT taskbarCreated_ = 0;
    std::function<void(unsigned)> onIconMessage_;
    std::function<void()> onTaskbarCreated_;
};

}  // namespace scrivlet
