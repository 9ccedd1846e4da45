#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/files.h"

namespace scrivlet {

// Included text is cut off here: the file as a whole, and all included text of
// one expansion together. Typing a megabyte takes hours.
constexpr std::size_t IncludeLimitBytes = 1024 * 1024;

// "%datei=name%" becomes the file's content (LF removed, so CR LF is one
// Enter), or a notice typed in its place: not found (also for folders,
// devices, hidden and system files) or more than IncludeLimitBytes. The
// placeholders are found in the text given, never inside included text, and
// a file named several times (in any letter case) is read once, so the work
// is bounded by the text and the files it names.
std::string expandFilePlaceholders(std::string_view text, FileSystem& files);

// %zeit% %stunde% %minute% %sekunde% %datum% %tag% %wochentag% %monat% %jahr%,
// letter case ignored, in that order, all from one reading of the clock.
std::string expandClockPlaceholders(std::string text, Clock& clock);

}  // namespace scrivlet
