#pragma once
#include "platform/window_system.h"

namespace scrivlet {

// The top-level windows of the desktop through user32.
class Win32WindowSystem : public WindowSystem {
public:
    WindowId foreground() override;
    WindowId next(WindowId window) override;
    WindowId previous(WindowId window) override;
    bool exists(WindowId window) override;
    bool isVisible(WindowId window) override;
    std::string title(WindowId window) override;
    std::vector<WindowId> topLevelWindows() override;
    bool bringToForeground(WindowId window) override;
    void setTopmost(WindowId window, bool topmost) override;
    std::string className(WindowId window) override;
    TargetIntegrity integrity(WindowId window) override;
};

}  // namespace scrivlet
