#include "picker/search_fold.h"

#include "platform/text.h"
#include "platform/unicode.h"

namespace scrivlet {

namespace {

// The base letters of U+0100 to U+017F (Latin Extended-A), capitals and small
// letters alike; '*' marks the ligatures, spelled out below.
constexpr std::string_view ExtendedABase =
    "aaaaaacccccccc"    // Ā..č
    "dddd"              // Ď..đ
    "eeeeeeeeee"        // Ē..ě
    "gggggggg"          // Ĝ..ģ
    "hhhh"              // Ĥ..ħ
    "iiiiiiiiii"        // Ĩ..ı
    "**"                // Ĳ ĳ
    "jjkkk"             // Ĵ..ĸ
    "llllllllll"        // Ĺ..ł
    "nnnnnnnnn"         // Ń..ŋ
    "oooooo"            // Ō..ő
    "**"                // Œ œ
    "rrrrrr"            // Ŕ..ř
    "ssssssss"          // Ś..š
    "tttttt"            // Ţ..ŧ
    "uuuuuuuuuuuu"      // Ũ..ų
    "wwyyyzzzzzzs";     // Ŵ..ž, ſ
static_assert(ExtendedABase.size() == 0x80);

// The base letters of U+00E0 to U+00FF, small letters only (capitals are
// lowered first); '*' marks those spelled out below, '-' the sign "÷".
constexpr std::string_view LatinOneBase = "aaaa*a*ceeeeiiii*noooo*-ouuu*y*y";
static_assert(LatinOneBase.size() == 0x20);

bool isUmlautBase(char c) { return c == 'a' || c == 'o' || c == 'u'; }

bool isBlank(char32_t c) {
    return c == ' ' || (c >= 0x09 && c <= 0x0D) || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200B) ||
           c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000 || c == 0xFEFF;
}

// Appends the folded form of one character, already in small letters.
void appendFolded(std::string& out, char32_t c, Umlauts umlauts) {
    const bool spelled = umlauts == Umlauts::Spelled;
    if (c >= 0xE0 && c <= 0xFF) {
        switch (c) {
            case 0xE4: out += spelled ? "ae" : "a"; return;  // ä
            case 0xF6: out += spelled ? "oe" : "o"; return;  // ö
            case 0xFC: out += spelled ? "ue" : "u"; return;  // ü
            case 0xE6: out += "ae"; return;                  // æ
            case 0xF0: out += 'd'; return;                   // ð
            case 0xFE: out += "th"; return;                  // þ
            case 0xF7: appendUtf8(out, c); return;           // ÷
            default: out += LatinOneBase[c - 0xE0]; return;
        }
    }
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x132 || c == 0x133)
            out += "ij";
        else if (c == 0x152 || c == 0x153)
            out += "oe";
        else
            out += ExtendedABase[c - 0x100];
        return;
    }
    switch (c) {
        case 0xDF: case 0x1E9E: out += "ss"; return;   // ß ẞ
        case 0x218: case 0x219: out += 's'; return;    // Ș ș
        case 0x21A: case 0x21B: out += 't'; return;    // Ț ț
        default: break;
    }
    if (c >= 0x300 && c <= 0x36F) {
        // A combining accent: it falls away, but a diaeresis after a, o or u
        // makes an umlaut.
        if (c == 0x308 && spelled && !out.empty() && isUmlautBase(out.back())) out += 'e';
        return;
    }
    if (isBlank(c)) {
        out += ' ';
        return;
    }
    appendUtf8(out, c);
}

}  // namespace

std::string foldForSearch(std::string_view text, Umlauts umlauts) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            // Most of any text; the case table agrees with this for ASCII.
            if (byte >= 'A' && byte <= 'Z')
                out += static_cast<char>(byte + 32);
            else if (byte >= 0x09 && byte <= 0x0D)
                out += ' ';
            else
                out += static_cast<char>(byte);
            ++i;
            continue;
        }
        std::size_t n = 0;
        const char32_t c = decodeUtf8(text, i, &n);
        i += n;
        appendFolded(out, lowerOf(c), umlauts);
    }
    return out;
}

namespace {
bool separatesWords(char32_t c) {
    if (c < 0x80) {
        const auto a = static_cast<char>(c);
        return !((a >= 'a' && a <= 'z') || (a >= 'A' && a <= 'Z') || (a >= '0' && a <= '9'));
    }
    return (c >= 0xA0 && c <= 0xBF && c != 0xAA && c != 0xB5 && c != 0xBA) || c == 0xD7 || c == 0xF7 ||
           (c >= 0x2000 && c <= 0x2BFF) || (c >= 0x2E00 && c <= 0x2E7F) || (c >= 0x3000 && c <= 0x303F) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF01 && c <= 0xFF0F) || (c >= 0x1F000 && c <= 0x1FAFF);
}
}  // namespace

bool startsWord(std::string_view folded, std::size_t at) {
    if (at == 0) return true;
    return separatesWords(decodeUtf8(folded, codePointStart(folded, at - 1)));
}

}  // namespace scrivlet
