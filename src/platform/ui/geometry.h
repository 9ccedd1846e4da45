#pragma once

namespace scrivlet::ui {

// Positions and sizes of forms and controls are twips (1/1440 inch), relative
// to the containing control; only the back-end converts them to pixels.
struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

// Pixels at a resolution (dots per inch) as twips, rounded to the nearest so
// that the back-ends' rounding the other way gives the same pixels back.
constexpr int pixelsToTwips(int pixels, int dpi) {
    const long long scaled = static_cast<long long>(pixels) * 1440;
    return static_cast<int>((scaled >= 0 ? scaled + dpi / 2 : scaled - dpi / 2) / dpi);
}

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

// Shift state of a key or mouse event, as a mask.
namespace shift {
constexpr int None = 0, Shift = 1, Ctrl = 2, Alt = 4;
}

enum class MouseButton { Left = 1, Right = 2, Middle = 4 };

struct MouseEvent {
    MouseButton button = MouseButton::Left;
    int shift = shift::None;
    Point at;  // twips, relative to the control
};

// Key codes are the system's virtual-key codes (9 Tab, 13 Enter).
struct KeyEvent {
    int keyCode = 0;
    int shift = shift::None;
    bool consumed = false;  // set by a handler: the control does not see the key
};

}  // namespace scrivlet::ui
