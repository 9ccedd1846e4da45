#pragma once
#include "platform/window_system.h"

namespace scrivlet {

// Where a window of the given size (pixels) opens at the spot the user types
// at: its top left corner below the spot's left end, so the line being typed
// stays in sight; above the spot when there is no room below; and always
// wholly inside the work area (a window larger than it at its top left).
ScreenRect placeAtTypingSpot(const TypingSpot& spot, int width, int height);

}  // namespace scrivlet
