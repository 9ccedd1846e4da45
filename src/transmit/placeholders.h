#pragma once
#include <string>

#include "platform/clock.h"
#include "platform/files.h"

namespace scrivlet {

// "%datei=name%" becomes the file's content (LF removed, so CR LF is one
// Enter), or a not-found notice typed in its place. Included text is not
// searched again.
std::string expandFilePlaceholders(std::string text, FileSystem& files);

// %zeit% %stunde% %minute% %sekunde% %datum% %tag% %wochentag% %monat% %jahr%,
// letter case ignored, each reading the clock when its turn comes.
std::string expandClockPlaceholders(std::string text, Clock& clock);

}  // namespace scrivlet
