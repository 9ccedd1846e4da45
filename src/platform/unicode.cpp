#include "platform/unicode.h"

#include <algorithm>
#include <array>

namespace scrivlet {

namespace {

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The sequence at i when it is well formed (surrogates allowed), else 0.
std::size_t sequenceAt(std::string_view s, std::size_t i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    std::size_t n = 0;
    char32_t value = 0, minimum = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) n = 2, value = b0 & 0x1F, minimum = 0x80;
    else if (b0 >= 0xE0 && b0 <= 0xEF) n = 3, value = b0 & 0x0F, minimum = 0x800;
    else if (b0 >= 0xF0 && b0 <= 0xF4) n = 4, value = b0 & 0x07, minimum = 0x10000;
    else return 0;
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if (!isContinuation(b)) return 0;
        value = (value << 6) | (b & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF) return 0;
    cp = value;
    return n;
}

// 0x80..0x9F of Windows-1252.
constexpr std::array<char16_t, 32> High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

char32_t decodeUtf8(std::string_view text, std::size_t i, std::size_t* length) {
    char32_t cp = 0;
    std::size_t n = sequenceAt(text, i, cp);
    if (n == 0) cp = 0xFFFD, n = 1;
    if (length) *length = n;
    return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp <= 0x10FFFF) {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        appendUtf8(out, 0xFFFD);
    }
}

std::string utf8Of(char32_t codePoint) {
    std::string s;
    appendUtf8(s, codePoint);
    return s;
}

std::size_t utf8Length(std::string_view text, std::size_t i) {
    std::size_t n = 0;
    decodeUtf8(text, i, &n);
    return n;
}

std::size_t codePointStart(std::string_view text, std::size_t i) {
    if (i >= text.size()) return text.size();
    // Back over at most three continuation bytes to a start that reaches i.
    for (std::size_t back = 0; back <= 3 && back <= i; ++back) {
        const std::size_t start = i - back;
        if (isContinuation(static_cast<unsigned char>(text[start]))) continue;
        return start + utf8Length(text, start) > i ? start : i;
    }
    return i;
}

std::size_t countCodePoints(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); i += utf8Length(text, i)) ++count;
    return count;
}

std::size_t prefixOfCodePoints(std::string_view text, std::size_t count) {
    std::size_t i = 0;
    for (; i < text.size() && count > 0; --count) i += utf8Length(text, i);
    return i;
}

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t cp = 0;
        const std::size_t n = sequenceAt(bytes, i, cp);
        if (n == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += n;
    }
    return true;
}

std::u16string toUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t n = 0;
        const char32_t cp = decodeUtf8(utf8, i, &n);
        i += n;
        if (cp > 0xFFFF) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string fromUtf16(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t cp = utf16[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        }
        appendUtf8(out, cp);
    }
    return out;
}

char32_t fromCp1252(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? High[byte - 0x80] : byte;
}

std::optional<unsigned char> toCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
    for (std::size_t i = 0; i < High.size(); ++i)
        if (High[i] == cp) return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

std::string cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char c : bytes) appendUtf8(out, fromCp1252(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8ToCp1252(std::string_view utf8, char replacement) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t n = 0;
        const char32_t cp = decodeUtf8(utf8, i, &n);
        i += n;
        const auto byte = toCp1252(cp);
        out += byte ? static_cast<char>(*byte) : replacement;
    }
    return out;
}

std::string charactersBeyondCp1252(std::string_view utf8) {
    std::u32string seen;
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t n = 0;
        const char32_t cp = decodeUtf8(utf8, i, &n);
        i += n;
        if (toCp1252(cp) || seen.find(cp) != std::u32string::npos) continue;
        seen += cp;
        appendUtf8(out, cp);
    }
    return out;
}

FileEncoding detectEncoding(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return FileEncoding::Utf8WithBom;
    if (bytes.substr(0, 2) == "\xFF\xFE") return FileEncoding::Utf16LittleEndian;
    if (bytes.substr(0, 2) == "\xFE\xFF") return FileEncoding::Utf16BigEndian;
    const bool beyondAscii =
        std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return beyondAscii && isValidUtf8(bytes) ? FileEncoding::Utf8 : FileEncoding::Windows1252;
}

std::string decodeFile(std::string_view bytes) { return decodeFile(bytes, detectEncoding(bytes)); }

std::string decodeFile(std::string_view bytes, FileEncoding encoding) {
    switch (encoding) {
        case FileEncoding::Utf8: return std::string(bytes);
        case FileEncoding::Utf8WithBom: return std::string(bytes.substr(3));
        case FileEncoding::Utf16LittleEndian:
        case FileEncoding::Utf16BigEndian: {
            const bool little = encoding == FileEncoding::Utf16LittleEndian;
            std::u16string units;
            for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
                const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
                units += static_cast<char16_t>(little ? a | (b << 8) : (a << 8) | b);
            }
            return fromUtf16(units);
        }
        case FileEncoding::Windows1252: break;
    }
    return cp1252ToUtf8(bytes);
}

}  // namespace scrivlet
