#pragma once
#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace scrivlet {

// The resolutions of the monitors. The program is per-monitor aware: each
// window is laid out at the resolution of the monitor it is on, and the
// system tells it when that changes (WM_DPICHANGED) instead of stretching its
// pixels. The functions for it came with Windows 8.1 (shcore's
// GetDpiForMonitor) and Windows 10 (GetDpiForWindow, AdjustWindowRectExForDpi,
// ...), so they are looked up when the program starts; without them every
// window has the resolution the program started with, and each answer below
// is the system-aware one.
class Win32Dpi {
public:
    // Makes the process per-monitor aware (the second version, else the
    // first, else system aware), unless its manifest has done so already.
    Win32Dpi();

    // The resolution the program started with, of the primary monitor then.
    int system() const { return system_; }
    int ofWindow(HWND window) const;
    int ofMonitor(HMONITOR monitor) const;
    // What the frame, caption and menu bar of a window of these styles add
    // around its client area at a resolution: the system's frame rectangle
    // around an empty client area at (0, 0).
    RECT frame(DWORD style, bool menu, DWORD extended, int dpi) const;
    // A system metric (an icon's size) at a resolution.
    int metric(int index, int dpi) const;
    // The font of message boxes, at a resolution.
    LOGFONTW messageFont(int dpi) const;
    // The font of the program's windows, at a resolution: Tahoma 8 pt, which
    // every Windows since XP has. The windows are laid out in twips for a
    // font of 8 pt whose line is 13 pixels high at 96 dots per inch; the
    // message font of Windows Vista and later, Segoe UI 9 pt, is a line of
    // 16 pixels and a sixth wider, and would be cut at the bottom and the end
    // of almost every caption.
    LOGFONTW dialogFont(int dpi) const;

private:
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
    using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);

    UniqueHmodule shcore_;
    GetDpiForWindowFunction getDpiForWindow_ = nullptr;
    GetDpiForMonitorFunction getDpiForMonitor_ = nullptr;
    AdjustWindowRectExForDpiFunction adjustWindowRectExForDpi_ = nullptr;
    GetSystemMetricsForDpiFunction getSystemMetricsForDpi_ = nullptr;
    SystemParametersInfoForDpiFunction systemParametersInfoForDpi_ = nullptr;
    int system_ = 96;
};

}  // namespace scrivlet
