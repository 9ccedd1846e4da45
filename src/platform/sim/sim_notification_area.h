#pragma once
#include <map>
#include <string>

#include "platform/notification_area.h"

namespace scrivlet {

// The notification area of the simulated taskbar; the test plays the shell.
class SimNotificationArea : public NotificationArea {
public:
    bool hook(WindowId window, std::function<void(unsigned)> onIconMessage,
              std::function<void()> onTaskbarCreated) override {
        hookedWindow = window;
        onIconMessage_ = std::move(onIconMessage);
        onTaskbarCreated_ = std::move(onTaskbarCreated);
        return true;
    }
    void unhook() override {
        hookedWindow = 0;
        onIconMessage_ = nullptr;
        onTaskbarCreated_ = nullptr;
    }
    bool addIcon(unsigned id, const std::string& tip) override {
        if (refuses) return false;
        icons[id] = tip.substr(0, 63);
        return true;
    }
    bool deleteIcon(unsigned id) override { return icons.erase(id) > 0; }

    // The shell reports a mouse event on the icon; false when nothing is hooked.
    bool iconMessage(unsigned lParam) {
        if (!onIconMessage_) return false;
        onIconMessage_(lParam);
        return true;
    }
    // Explorer restarted: the taskbar is new and holds no icons.
    void restartTaskbar() {
        icons.clear();
        if (onTaskbarCreated_) onTaskbarCreated_();
    }

    WindowId hookedWindow = 0;
    std::map<unsigned, std::string> icons;  // id, tip
    bool refuses = false;

private:
    std::function<void(unsigned)> onIconMessage_;
    std::function<void()> onTaskbarCreated_;
};

}  // namespace scrivlet
