#include "platform/ui/colour.h"

namespace scrivlet {

bool isValidColour(Colour c) {
    if (c & 0x80000000u) return (c & 0x7FFFFFFFu) <= 30;  // COLOR_* indices
    return c <= 0xFFFFFFu;
}

}  // namespace scrivlet
