#pragma once
#include "platform/hotkey.h"
#include "platform/ui/colour.h"

namespace scrivlet {

// How the pop-up menu is opened and laid out, the quick picker's hotkey and
// how abbreviations expand,
// from the [Common] section.
struct PopupOptions {
    int viaBorder = 0;      // 0 icon only, 1 icon and screen border
    int borderByClick = 0;  // 0 mouse over the strip, 1 click on it
    int position = 0;       // 0 top, 1 bottom, 2 left, 3 right
    Colour borderColour = ButtonFaceColour;
    int cascade = 0;        // 0 flat, 1 grouped by first character
    Hotkey pickerHotkey = DefaultPickerHotkey;
    int abbreviations = 1;  // 1 typed abbreviations become their entries
    int atOnce = 0;         // 1 as soon as the last letter is typed, 0 at a delimiter after it
    int ignoreCase = 0;     // 1 letters compare in either case
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
    keep(kept.pickerHotkey, inFile.pickerHotkey, changed.pickerHotkey);
    keep(kept.abbreviations, inFile.abbreviations, changed.abbreviations);
    keep(kept.atOnce, inFile.atOnce, changed.atOnce);
    keep(kept.ignoreCase, inFile.ignoreCase, changed.ignoreCase);
    return kept;
}

}  // namespace scrivlet
