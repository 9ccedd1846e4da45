#pragma once
#include "platform/win32/win32_window.h"

namespace scrivlet {

// The program's hidden top-level window. Forms without a taskbar button are
// owned by it, and it owns the pop-up menus of forms that have no window, so
// it passes a menu's opening on to the menu.
class Win32HostWindow : public Window {
public:
    static constexpr const wchar_t* ClassName = L"ScrivletHost";
    Win32HostWindow();

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace scrivlet
