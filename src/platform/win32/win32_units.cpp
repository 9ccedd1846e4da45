#include "platform/win32/win32_units.h"

namespace scrivlet {

ScreenUnits ScreenUnits::ofScreen() {
    HDC screen = GetDC(nullptr);
    if (!screen) return {96, 96};
    const ScreenUnits units(GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    return units;
}

}  // namespace scrivlet
