#include "platform/win32/win32_hotkey_box_peer.h"

namespace scrivlet {

Win32HotkeyBoxPeer::Win32HotkeyBoxPeer(Win32Ui& ui, ui::HotkeyBox& box, HWND parent, int id)
    : Win32ControlPeer(ui, box, parent, id), box_(box) {
    createWindow(L"EDIT", ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP, WS_EX_CLIENTEDGE, hotkeyName(box.value()));
}

std::uint8_t Win32HotkeyBoxPeer::heldModifiers() {
    std::uint8_t held = 0;
    if (GetKeyState(VK_SHIFT) < 0) held |= Hotkey::Shift;
    if (GetKeyState(VK_CONTROL) < 0) held |= Hotkey::Ctrl;
    if (GetKeyState(VK_MENU) < 0) held |= Hotkey::Alt;
    if (GetKeyState(VK_LWIN) < 0 || GetKeyState(VK_RWIN) < 0) held |= Hotkey::Win;
    return held;
}

namespace {
bool movesOn(WPARAM key) { return key == VK_TAB && (Win32HotkeyBoxPeer::heldModifiers() & ~Hotkey::Shift) == 0; }
}  // namespace

HBRUSH Win32HotkeyBoxPeer::controlColour(HDC dc) {
    // A field to type in, though the edit is read-only.
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(dc, GetSysColor(box_.enabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    return GetSysColorBrush(COLOR_WINDOW);
}

std::optional<LRESULT> Win32HotkeyBoxPeer::subclassMessage(HWND window, UINT message, WPARAM wParam,
                                                           LPARAM lParam) {
    switch (message) {
        case WM_GETDLGCODE: {
            const auto* pending = reinterpret_cast<const MSG*>(lParam);
            if (pending && pending->message == WM_KEYDOWN && movesOn(pending->wParam))
                return callOriginal(window, message, wParam, lParam);
            return callOriginal(window, message, wParam, lParam) | DLGC_WANTALLKEYS;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            if (movesOn(wParam)) return std::nullopt;
            if (wParam == VK_PACKET || wParam > 0xFF) return 0;
            (void)box_.press({static_cast<std::uint8_t>(wParam), heldModifiers()});
            return 0;
        }
        case WM_CHAR:
        case WM_SYSCHAR:
        case WM_DEADCHAR:
        case WM_SYSDEADCHAR:
        case WM_KEYUP:
        case WM_SYSKEYUP:
            // Nothing is typed, and a released Alt opens no menu.
            if (message == WM_CHAR && wParam == '\t') return std::nullopt;
            return 0;
        default: return Win32ControlPeer::subclassMessage(window, message, wParam, lParam);
    }
}

void Win32HotkeyBoxPeer::updateOwn(ui::Change change) {
    if (change == ui::Change::Value) setWindowText(hwnd(), hotkeyName(box_.value()));
}

}  // namespace scrivlet
