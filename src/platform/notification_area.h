#pragma once
#include <functional>
#include <string>

#include "platform/window_id.h"

namespace scrivlet {

// The program's icon in the notification area of the taskbar. The shell
// reports mouse events on the icon as the private message 1024 to the window
// that owns the icon; the hook routes that message, and the shell's
// "TaskbarCreated" broadcast, to the program and everything else to the
// window's own procedure.
class NotificationArea {
public:
    static constexpr unsigned CallbackMessage = 1024;
    // lParam values of the callback message.
    static constexpr unsigned LeftButtonDown = 0x201, LeftButtonUp = 0x202, LeftDoubleClick = 0x203;
    static constexpr unsigned RightButtonDown = 0x204, RightButtonUp = 0x205, RightDoubleClick = 0x206;

    virtual ~NotificationArea() = default;
    virtual bool hook(WindowId window, std::function<void(unsigned lParam)> onIconMessage,
                      std::function<void()> onTaskbarCreated) = 0;
    virtual void unhook() = 0;
    // The icon shows the hooked window's own icon; the tip is cut to 63 characters.
    virtual bool addIcon(unsigned id, const std::string& tip) = 0;
    virtual bool deleteIcon(unsigned id) = 0;
};

}  // namespace scrivlet
