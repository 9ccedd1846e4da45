#pragma once
#include <windows.h>

#include "platform/ui/geometry.h"
#include "platform/ui/colour.h"

namespace scrivlet {

// Twips and pixels at one resolution: the screen's, which positions on the
// screen count in, or a window's own monitor's, which its size and its
// controls count in. The process is per-monitor aware, so these are the
// monitors' real resolutions.
class ScreenUnits {
public:
    ScreenUnits(int dpiX, int dpiY) : dpiX_(dpiX > 0 ? dpiX : 96), dpiY_(dpiY > 0 ? dpiY : 96) {}
    // The resolution of the primary screen as the system reports it.
    static ScreenUnits ofScreen();

    int dpiX() const { return dpiX_; }
    int dpiY() const { return dpiY_; }
    int xToPixels(int twips) const { return MulDiv(twips, dpiX_, 1440); }
    int yToPixels(int twips) const { return MulDiv(twips, dpiY_, 1440); }
    int xToTwips(int pixels) const { return MulDiv(pixels, 1440, dpiX_); }
    int yToTwips(int pixels) const { return MulDiv(pixels, 1440, dpiY_); }
    // A length given for 96 dots per inch, at the screen's resolution.
    int scale(int pixelsAt96) const { return MulDiv(pixelsAt96, dpiY_, 96); }

    RECT toPixels(const ui::Rect& r) const {
        const int left = xToPixels(r.left), top = yToPixels(r.top);
        return {left, top, left + xToPixels(r.width), top + yToPixels(r.height)};
    }
    ui::Rect toTwips(const RECT& r) const {
        return {xToTwips(r.left), yToTwips(r.top), xToTwips(r.right - r.left),
                yToTwips(r.bottom - r.top)};
    }

private:
    int dpiX_, dpiY_;
};

// A form's outer rectangle in pixels: its position in the screen's twips, its
// size in those of its own monitor.
inline RECT toScreenPixels(const ScreenUnits& screen, const ScreenUnits& own, const ui::Rect& r) {
    const int left = screen.xToPixels(r.left), top = screen.yToPixels(r.top);
    return {left, top, left + own.xToPixels(r.width), top + own.yToPixels(r.height)};
}
inline ui::Rect fromScreenPixels(const ScreenUnits& screen, const ScreenUnits& own, const RECT& r) {
    return {screen.xToTwips(r.left), screen.yToTwips(r.top), own.xToTwips(r.right - r.left),
            own.yToTwips(r.bottom - r.top)};
}

// The toolkit's colours are COLORREF values, or system colours with the top
// bit set and the index in the low byte.
inline COLORREF toColorRef(Colour c) {
    return (c & 0x80000000u) ? GetSysColor(static_cast<int>(c & 0xFFu)) : static_cast<COLORREF>(c & 0xFFFFFFu);
}

}  // namespace scrivlet
