#pragma once
#include <cstdint>

namespace scrivlet {

// Colours with the top bit set name system colours.
using Colour = std::uint32_t;
constexpr Colour ButtonFaceColour = 0x8000000F;
constexpr Colour WindowBackgroundColour = 0x80000005;

// How the pop-up menu is opened and laid out, from the [Common] section.
struct PopupOptions {
    int viaBorder = 0;      // 0 icon only, 1 icon and screen border
    int borderByClick = 0;  // 0 mouse over the strip, 1 click on it
    int position = 0;       // 0 top, 1 bottom, 2 left, 3 right
    Colour borderColour = ButtonFaceColour;
    int cascade = 0;        // 0 flat, 1 grouped by first character
};

// A colour the window system can paint: an RGB value or a system colour index.
bool isValidColour(Colour c);

}  // namespace scrivlet
