#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace scrivlet {

// Text is UTF-8 (see unicode.h); the helpers named Cp1252 work on the bytes of
// the snippet file, which is Windows-1252.

inline bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline char asciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
inline char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

std::string toUpperAscii(std::string_view s);
bool equalsIgnoreCase(std::string_view a, std::string_view b);  // ASCII letters only

// Upper and lower case of a byte of Windows-1252 as the system's locale has
// it within the code page: umlauts, accented letters, š/Š, œ/Œ, ž/Ž and ÿ/Ÿ
// included; ß and µ have no capital there.
char upperCp1252(char c);
char lowerCp1252(char c);

// Upper and lower case letter for letter, as Windows has them (one table for
// both back-ends); a letter without a single other case stays as it is.
char32_t upperOf(char32_t codePoint);
char32_t lowerOf(char32_t codePoint);
std::string toUpper(std::string_view utf8);
std::string toLower(std::string_view utf8);

// Where needle occurs in text from byte from on, letter case ignored; the
// byte range it takes in text (which may differ from needle's length), or
// nothing.
struct TextRange {
    std::size_t start = 0;
    std::size_t length = 0;
};
std::optional<TextRange> findIgnoringCase(std::string_view text, std::string_view needle, std::size_t from = 0);

// Leading and trailing blanks (code 32) removed.
std::string trimBlanks(std::string_view s);

}  // namespace scrivlet
