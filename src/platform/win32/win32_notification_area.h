#pragma once
#include <windows.h>

#include "platform/notification_area.h"
#include "platform/win32/win32_subclass.h"

namespace scrivlet {

// The icon through Shell_NotifyIconW, and the hook as a subclass of the window
// that owns the icon.
class Win32NotificationArea : public NotificationArea, private SubclassHandler {
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
    std::optional<LRESULT> subclassMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    UINT taskbarCreated_ = 0;
    std::function<void(unsigned)> onIconMessage_;
    std::function<void()> onTaskbarCreated_;
    Subclass subclass_;
};

}  // namespace scrivlet
