#include "platform/text.h"

#include <algorithm>
#include <span>

#include "platform/letter_case_table.h"
#include "platform/unicode.h"

namespace scrivlet {

std::string toUpperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = asciiUpper(c);
    return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiUpper(a[i]) != asciiUpper(b[i])) return false;
    return true;
}

char upperCp1252(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
    if (u == 0x9A || u == 0x9C || u == 0x9E) return static_cast<char>(u - 16);  // š œ ž
    if (u == 0xFF) return static_cast<char>(0x9F);                              // ÿ
    if (u >= 0xE0 && u != 0xF7) return static_cast<char>(u - 32);               // à..þ, not ÷
    return c;
}

char lowerCp1252(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
    if (u == 0x8A || u == 0x8C || u == 0x8E) return static_cast<char>(u + 16);
    if (u == 0x9F) return static_cast<char>(0xFF);
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 32);
    return c;
}

namespace {

char32_t otherCase(std::span<const CaseRange> runs, char32_t cp) {
    if (cp > 0xFFFF) return cp;
    // The last run that starts at or before the letter.
    auto after = std::upper_bound(runs.begin(), runs.end(), cp,
                                  [](char32_t c, const CaseRange& r) { return c < r.first; });
    if (after == runs.begin()) return cp;
    const CaseRange& run = *(after - 1);
    if (cp > run.last || (cp - run.first) % static_cast<char32_t>(run.stride) != 0) return cp;
    return static_cast<char32_t>(static_cast<int>(cp) + run.delta);
}

template <class Map>
std::string mapLetters(std::string_view utf8, Map map) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t n = 0;
        const char32_t cp = decodeUtf8(utf8, i, &n);
        const char32_t mapped = map(cp);
        if (mapped == cp)
            out.append(utf8.substr(i, n));  // as it was, even a byte that is no UTF-8
        else
            appendUtf8(out, mapped);
        i += n;
    }
    return out;
}

}  // namespace

char32_t upperOf(char32_t cp) { return otherCase(UpperCase, cp); }
char32_t lowerOf(char32_t cp) { return otherCase(LowerCase, cp); }

std::string toUpper(std::string_view utf8) { return mapLetters(utf8, upperOf); }
std::string toLower(std::string_view utf8) { return mapLetters(utf8, lowerOf); }

std::optional<TextRange> findIgnoringCase(std::string_view text, std::string_view needle, std::size_t from) {
    // Compared code point by code point, so a capital of another length in
    // UTF-8 cannot shift the range found.
    std::u32string wanted;
    for (std::size_t i = 0; i < needle.size();) {
        std::size_t n = 0;
        wanted += upperOf(decodeUtf8(needle, i, &n));
        i += n;
    }
    if (wanted.empty()) return std::nullopt;
    for (std::size_t start = codePointStart(text, from); start < text.size(); start += utf8Length(text, start)) {
        std::size_t at = start, k = 0;
        while (k < wanted.size() && at < text.size()) {
            std::size_t n = 0;
            if (upperOf(decodeUtf8(text, at, &n)) != wanted[k]) break;
            at += n;
            ++k;
        }
        if (k == wanted.size()) return TextRange{start, at - start};
    }
    return std::nullopt;
}

std::string trimBlanks(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ') ++b;
    while (e > b && s[e - 1] == ' ') --e;
    return std::string(s.substr(b, e - b));
}

}  // namespace scrivlet
