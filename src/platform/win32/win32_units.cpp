#include "platform/win32/win32_units.h"

#include "platform/win32/unique_handle.h"

namespace scrivlet {

ScreenUnits ScreenUnits::ofScreen() {
    const UniqueWindowDc screen = getDc(nullptr);
    if (!screen) return {96, 96};
    const HDC dc = screen.get().dc;
    return ScreenUnits(GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY));
}

}  // namespace scrivlet
