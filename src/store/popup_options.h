#pragma once
#include "platform/ui/colour.h"

namespace scrivlet {

// How the pop-up menu is opened and laid out, from the [Common] section.
struct PopupOptions {
    int viaBorder = 0;      // 0 icon only, 1 icon and screen border
    int borderByClick = 0;  // 0 mouse over the strip, 1 click on it
    int position = 0;       // 0 top, 1 bottom, 2 left, 3 right
    Colour borderColour = ButtonFaceColour;
    int cascade = 0;        // 0 flat, 1 grouped by first character
};

}  // namespace scrivlet
