#include "store/abbreviation.h"

#include "platform/unicode.h"

namespace scrivlet {

bool isWhiteSpace(char32_t c) {
    return c <= U' ' || c == 0x7F || c == 0x85 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200B) ||
           c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000 || c == 0xFEFF;
}

AbbreviationForm abbreviationForm(std::string_view text) {
    if (text.empty()) return AbbreviationForm::Blank;
    if (text.front() == '[' || text.front() == ';') return AbbreviationForm::BadStart;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++characters) {
        std::size_t length = 1;
        const char32_t c = decodeUtf8(text, i, &length);
        if (isWhiteSpace(c)) return AbbreviationForm::Blank;
        if (c == U'=') return AbbreviationForm::EqualsSign;
        i += length;
    }
    return characters > LongestAbbreviation ? AbbreviationForm::TooLong : AbbreviationForm::Fit;
}

}  // namespace scrivlet
