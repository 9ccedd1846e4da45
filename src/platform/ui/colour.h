#pragma once
#include <cstdint>

namespace scrivlet {

// Colours with the top bit set name system colours; the others are RGB values
// (red in the low byte).
using Colour = std::uint32_t;
constexpr Colour ButtonFaceColour = 0x8000000F;
constexpr Colour WindowBackgroundColour = 0x80000005;
constexpr Colour ButtonTextColour = 0x80000012;

// A colour the window system can paint: an RGB value or a system colour index.
bool isValidColour(Colour c);

}  // namespace scrivlet
