#include "platform/win32/win32_hotkeys.h"

namespace scrivlet {

Win32Hotkeys::Win32Hotkeys() {
    if (registerClass(ClassName, nullptr)) create(ClassName, 0, 0, "", {0, 0, 0, 0}, HWND_MESSAGE);
}

Win32Hotkeys::~Win32Hotkeys() { release(); }

UINT Win32Hotkeys::systemModifiers(Hotkey hotkey) {
    UINT modifiers = 0;
    if (hotkey.modifiers & Hotkey::Alt) modifiers |= MOD_ALT;
    if (hotkey.modifiers & Hotkey::Ctrl) modifiers |= MOD_CONTROL;
    if (hotkey.modifiers & Hotkey::Shift) modifiers |= MOD_SHIFT;
    if (hotkey.modifiers & Hotkey::Win) modifiers |= MOD_WIN;
    return modifiers;
}

void Win32Hotkeys::release() {
    if (held_ && hwnd()) UnregisterHotKey(hwnd(), Id);
    held_ = false;
}

bool Win32Hotkeys::hold(Hotkey hotkey) {
    release();
    if (hotkey.none()) return true;
    if (!hwnd()) return false;
    // A key held down repeats: without MOD_NOREPEAT the picker would open
    // and close as long as the user holds it.
    const UINT modifiers = systemModifiers(hotkey);
    held_ = RegisterHotKey(hwnd(), Id, modifiers | MOD_NOREPEAT, hotkey.key) != FALSE;
    // Before Windows 7 the flag is unknown.
    if (!held_ && GetLastError() == ERROR_INVALID_PARAMETER)
        held_ = RegisterHotKey(hwnd(), Id, modifiers, hotkey.key) != FALSE;
    return held_;
}

LRESULT Win32Hotkeys::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY && wParam == Id) {
        if (onPressed) onPressed();
        return 0;
    }
    return defaultHandling(message, wParam, lParam);
}

}  // namespace scrivlet
