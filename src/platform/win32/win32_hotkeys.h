#pragma once
#include <windows.h>

#include "platform/hotkey.h"
#include "platform/win32/win32_window.h"

namespace scrivlet {

// The program's global hotkey: RegisterHotKey on a message-only window of
// the program's thread, whose WM_HOTKEY raises onPressed from the message
// loop that runs (the main one, or a modal dialog's).
class Win32Hotkeys : public HotkeyService, private Window {
public:
    static constexpr const wchar_t* ClassName = L"ScrivletHotkey";
    Win32Hotkeys();
    ~Win32Hotkeys() override;

    bool hold(Hotkey hotkey) override;
    // The MOD_* flags of a combination (MOD_NOREPEAT not among them).
    static UINT systemModifiers(Hotkey hotkey);

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void release();
    static constexpr int Id = 1;
    bool held_ = false;
};

}  // namespace scrivlet
