#include "picker/picker_place.h"

#include <algorithm>

namespace scrivlet {

ScreenRect placeAtTypingSpot(const TypingSpot& spot, int width, int height) {
    const ScreenRect& area = spot.workArea;
    int left = spot.at.left;
    int top = spot.at.bottom;
    if (top + height > area.bottom && spot.at.top - height >= area.top) top = spot.at.top - height;
    left = std::max(std::min(left, area.right - width), area.left);
    top = std::max(std::min(top, area.bottom - height), area.top);
    return {left, top, left + width, top + height};
}

}  // namespace scrivlet
