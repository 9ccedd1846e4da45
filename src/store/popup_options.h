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
    bool operator==(const PopupOptions&) const = default;
};

// The options read anew while the user changes them in the options dialog:
// each value the user changed there (changed differs from inFile, what the
// file held before) stays as the user set it; every other value is the one
// read (reread), another program's change included.
inline PopupOptions keepUnconfirmed(const PopupOptions& inFile, const PopupOptions& changed,
                                    const PopupOptions& reread) {
    PopupOptions kept = reread;
    auto keep = [](auto& into, const auto& before, const auto& now) {
        if (now != before) into = now;
    };
    keep(kept.viaBorder, inFile.viaBorder, changed.viaBorder);
    keep(kept.borderByClick, inFile.borderByClick, changed.borderByClick);
    keep(kept.position, inFile.position, changed.position);
    keep(kept.borderColour, inFile.borderColour, changed.borderColour);
    keep(kept.cascade, inFile.cascade, changed.cascade);
    return kept;
}

}  // namespace scrivlet
