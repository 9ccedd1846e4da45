#include "store/file_text.h"

#include <cstdio>

#include "platform/unicode.h"

namespace scrivlet {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The code point of the escape at i; 0 bytes long when there is none.
std::size_t escapeAt(std::string_view text, std::size_t i, char32_t& codePoint) {
    if (text.substr(i, 3) != "\\u{") return 0;
    char32_t value = 0;
    std::size_t k = i + 3;
    while (k < text.size() && k - (i + 3) < 6 && hexValue(text[k]) >= 0)
        value = value * 16 + static_cast<char32_t>(hexValue(text[k++]));
    const std::size_t digits = k - (i + 3);
    if (digits == 0 || k >= text.size() || text[k] != '}' || value > 0x10FFFF) return 0;
    codePoint = value;
    return k + 1 - i;
}

void appendEscape(std::string& out, char32_t codePoint) {
    char escape[16];
    std::snprintf(escape, sizeof escape, "\\u{%04X}", static_cast<unsigned>(codePoint));
    out += escape;
}

}  // namespace

std::size_t escapeLengthAt(std::string_view text, std::size_t i) {
    char32_t ignored = 0;
    return escapeAt(text, i, ignored);
}

std::string toFileText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t n = 0;
        const char32_t c = decodeUtf8(utf8, i, &n);
        const auto byte = toCp1252(c);
        // A byte that is no UTF-8 cannot come from the program's own text;
        // written as U+FFFD, it would be lost, so it is kept as its byte.
        if (c == 0xFFFD && n == 1 && static_cast<unsigned char>(utf8[i]) >= 0x80)
            appendEscape(out, static_cast<unsigned char>(utf8[i]));
        else if (!byte || (c == '\\' && escapeLengthAt(utf8, i) > 0))
            appendEscape(out, c);
        else
            out += static_cast<char>(*byte);
        i += n;
    }
    return out;
}

std::string fromFileText(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t c = 0;
        if (const std::size_t n = escapeAt(bytes, i, c)) {
            appendUtf8(out, c);
            i += n;
        } else {
            appendUtf8(out, fromCp1252(static_cast<unsigned char>(bytes[i])));
            ++i;
        }
    }
    return out;
}

}  // namespace scrivlet
