#include "platform/win32/win32_host_window.h"

#include "platform/win32/win32_menu_peer.h"

namespace scrivlet {

Win32HostWindow::Win32HostWindow() {
    if (registerClass(ClassName, nullptr)) create(ClassName, WS_EX_TOOLWINDOW, WS_POPUP, "Scrivlet", {0, 0, 0, 0}, nullptr);
}

LRESULT Win32HostWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITMENUPOPUP && !HIWORD(lParam)) {
        if (auto* menu = Win32MenuPeer::fromHandle(reinterpret_cast<HMENU>(wParam))) menu->opening();
        return 0;
    }
    // The host lives as long as the program: a close request from another
    // program (taskkill asks every window) is the main window's to answer, and
    // the host would otherwise take the windows it owns (the strip) with it.
    if (message == WM_CLOSE) return 0;
    return defaultHandling(message, wParam, lParam);
}

}  // namespace scrivlet
