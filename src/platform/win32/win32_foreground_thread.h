#pragma once
#include <windows.h>

namespace scrivlet {

// The thread that owns the foreground window, which is the thread keys go to;
// 0 while no window is in front.
inline DWORD foregroundThread() {
    const HWND front = GetForegroundWindow();
    return front ? GetWindowThreadProcessId(front, nullptr) : 0;
}

}  // namespace scrivlet
