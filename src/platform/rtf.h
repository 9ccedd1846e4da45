#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/rich_edit.h"

namespace scrivlet {

// Text with the format of every character, as the program's editor holds it:
// UTF-8 with CR LF line breaks, a format for each byte.
struct FormattedText {
    std::string text;
    std::vector<ui::CharFormat> formats;
};

// The character set a font is declared with: the symbol set for Wingdings,
// the markers' font, the ANSI set for every other (the values of RTF's
// \fcharset and of LOGFONT's lfCharSet).
constexpr int AnsiCharset = 0;
constexpr int SymbolCharset = 2;
int fontCharset(std::string_view font);

// The RTF that gives a RichEdit control the whole text in its formats in one
// step, in ASCII: a character beyond it as \uN? per UTF-16 unit, one of the
// symbol font's characters U+F020..U+F0FF as its code \'hh. A CR LF (or a
// lone CR or LF) becomes a paragraph break; colours go
// through toRgb first (system colours have no place in RTF). The standard
// format is font 0 and in force before the first character, so that even an
// empty text has a format.
std::string toRtf(const std::string& text, const std::vector<ui::CharFormat>& formats,
                  const ui::CharFormat& standard, int pointSize, const std::function<Colour(Colour)>& toRgb);

// The text and formats in RTF as RichEdit writes it: paragraph breaks as
// CR LF, each character with the colour and font in force; \uN (with the
// \ucN characters after it skipped) as that UTF-16 unit, \'hh and other bytes
// in the font's character set (Windows-1252, or U+F0hh in a symbol font). The
// automatic colour and an unknown font come from fallback.
FormattedText fromRtf(std::string_view rtf, const ui::CharFormat& fallback);

}  // namespace scrivlet
