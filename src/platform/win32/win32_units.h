#pragma once
#include <windows.h>

#include "platform/ui/geometry.h"
#include "platform/ui/colour.h"

namespace scrivlet {

// Twips and pixels of the screen. The process is DPI aware, so the screen's
// logical resolution is the real one and a single pair of values serves every
// form (the toolkit, like its form-designer model, has no per-monitor scale).
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

// The toolkit's colours are COLORREF values, or system colours with the top
// bit set and the index in the low byte.
inline COLORREF toColorRef(Colour c) {
    return (c & 0x80000000u) ? GetSysColor(static_cast<int>(c & 0xFFu)) : static_cast<COLORREF>(c & 0xFFFFFFu);
}

}  // namespace scrivlet
