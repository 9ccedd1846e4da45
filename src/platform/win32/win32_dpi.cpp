#include "platform/win32/win32_dpi.h"

#include <algorithm>
#include <iterator>

#include "platform/win32/win32_system_library.h"
#include "platform/win32/win32_units.h"

namespace scrivlet {

namespace {

using SetProcessDpiAwarenessContextFunction = BOOL(WINAPI*)(HANDLE);
using SetProcessDpiAwarenessFunction = HRESULT(WINAPI*)(int);

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 and _PER_MONITOR_AWARE, which
// the headers for Windows 7 do not define.
const HANDLE PerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
const HANDLE PerMonitorAware = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));
constexpr int ProcessPerMonitorDpiAware = 2;
constexpr int EffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

}  // namespace

Win32Dpi::Win32Dpi() : shcore_(loadSystemLibrary(L"shcore.dll")) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    getDpiForWindow_ = libraryFunction<GetDpiForWindowFunction>(user32, "GetDpiForWindow");
    getDpiForMonitor_ = libraryFunction<GetDpiForMonitorFunction>(shcore_.get(), "GetDpiForMonitor");
    adjustWindowRectExForDpi_ = libraryFunction<AdjustWindowRectExForDpiFunction>(user32, "AdjustWindowRectExForDpi");
    getSystemMetricsForDpi_ = libraryFunction<GetSystemMetricsForDpiFunction>(user32, "GetSystemMetricsForDpi");
    systemParametersInfoForDpi_ = libraryFunction<SystemParametersInfoForDpiFunction>(user32, "SystemParametersInfoForDpi");
    // The manifest says so already where Windows reads it; a process started
    // without it (a test) says it here, the best way this Windows knows.
    if (!IsProcessDPIAware()) {
        const auto setContext =
            libraryFunction<SetProcessDpiAwarenessContextFunction>(user32, "SetProcessDpiAwarenessContext");
        const auto setAwareness = libraryFunction<SetProcessDpiAwarenessFunction>(shcore_.get(), "SetProcessDpiAwareness");
        if (!(setContext && (setContext(PerMonitorAwareV2) || setContext(PerMonitorAware))) &&
            !(setAwareness && SUCCEEDED(setAwareness(ProcessPerMonitorDpiAware))))
            SetProcessDPIAware();
    }
    // Asked only now: before the process says it is aware, the system
    // reports 96 and stretches its windows.
    system_ = ScreenUnits::ofScreen().dpiY();
}

int Win32Dpi::ofMonitor(HMONITOR monitor) const {
    UINT x = 0, y = 0;
    if (monitor && getDpiForMonitor_ && SUCCEEDED(getDpiForMonitor_(monitor, EffectiveDpi, &x, &y)) && y > 0)
        return static_cast<int>(y);
    return system_;
}

int Win32Dpi::ofWindow(HWND window) const {
    if (getDpiForWindow_)
        if (const UINT dpi = getDpiForWindow_(window); dpi > 0) return static_cast<int>(dpi);
    return ofMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

RECT Win32Dpi::frame(DWORD style, bool menu, DWORD extended, int dpi) const {
    RECT r{0, 0, 0, 0};
    if (adjustWindowRectExForDpi_ && adjustWindowRectExForDpi_(&r, style, menu, extended, static_cast<UINT>(dpi)))
        return r;
    r = {0, 0, 0, 0};
    if (!AdjustWindowRectEx(&r, style, menu, extended)) return {0, 0, 0, 0};
    // The system's frame at its own resolution, scaled.
    return {MulDiv(r.left, dpi, system_), MulDiv(r.top, dpi, system_), MulDiv(r.right, dpi, system_),
            MulDiv(r.bottom, dpi, system_)};
}

int Win32Dpi::metric(int index, int dpi) const {
    if (getSystemMetricsForDpi_) return getSystemMetricsForDpi_(index, static_cast<UINT>(dpi));
    return MulDiv(GetSystemMetrics(index), dpi, system_);
}

LOGFONTW Win32Dpi::messageFont(int dpi) const {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTW font{};
    if (systemParametersInfoForDpi_ &&
        systemParametersInfoForDpi_(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi)))
        return metrics.lfMessageFont;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font = metrics.lfMessageFont;
    else
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    // The system's font at its own resolution, scaled.
    font.lfHeight = MulDiv(font.lfHeight, dpi, system_);
    return font;
}

LOGFONTW Win32Dpi::dialogFont(int dpi) const {
    // Its character set and smoothing stay the user's.
    LOGFONTW font = messageFont(dpi);
    constexpr wchar_t Face[] = L"Tahoma";
    std::copy(std::begin(Face), std::end(Face), font.lfFaceName);
    // Points scaled from the resolution itself, not from the system font's
    // pixels: rounded twice, 8 pt at 120 dots per inch would be a pixel taller
    // than the 13.3 the layout has room for.
    font.lfHeight = -MulDiv(8, dpi, 72);
    font.lfWidth = 0;
    font.lfWeight = FW_NORMAL;
    font.lfItalic = font.lfUnderline = font.lfStrikeOut = FALSE;
    return font;
}

}  // namespace scrivlet
