#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace scrivlet {

// Text inside the program is UTF-8 in std::string. A lone UTF-16 surrogate,
// which an edit control, a window title or the clipboard may hold, is kept in
// its three-byte form (WTF-8), so text taken from Windows goes back unchanged.

// The code point at byte i and the bytes it takes; a byte that starts no
// sequence reads as U+FFFD, one byte long, so every loop moves on.
char32_t decodeUtf8(std::string_view text, std::size_t i, std::size_t* length = nullptr);
void appendUtf8(std::string& out, char32_t codePoint);
std::string utf8Of(char32_t codePoint);
// How many bytes from i to the end of the code point that starts there.
std::size_t utf8Length(std::string_view text, std::size_t i);
// The start of the code point that byte i lies in.
std::size_t codePointStart(std::string_view text, std::size_t i);
std::size_t countCodePoints(std::string_view text);
// How many bytes the first count code points of the text take.
std::size_t prefixOfCodePoints(std::string_view text, std::size_t count);
bool isValidUtf8(std::string_view bytes);

// UTF-16, as the W functions of Windows take it; lone surrogates pass both ways.
std::u16string toUtf16(std::string_view utf8);
std::string fromUtf16(std::u16string_view utf16);
// A code point and its UTF-16 code units (two for those beyond U+FFFF).
inline std::size_t utf16Units(char32_t codePoint) { return codePoint > 0xFFFF ? 2 : 1; }

// Windows-1252 as Windows maps it: every byte has a code point, the five bytes
// without a character (0x81, 0x8D, 0x8F, 0x90, 0x9D) the control code of the
// same number.
char32_t fromCp1252(unsigned char byte);
std::optional<unsigned char> toCp1252(char32_t codePoint);
std::string cp1252ToUtf8(std::string_view bytes);
// Every character that Windows-1252 holds becomes its byte; others become
// the replacement given.
std::string utf8ToCp1252(std::string_view utf8, char replacement = '?');
// The characters of the text that Windows-1252 lacks, each once, in order.
std::string charactersBeyondCp1252(std::string_view utf8);

// How a text file is encoded, as far as its bytes tell: a byte-order mark of
// UTF-8 or UTF-16, or valid UTF-8 with at least one byte beyond ASCII (which
// Windows-1252 text practically never is); anything else is Windows-1252.
enum class FileEncoding { Windows1252, Utf8, Utf8WithBom, Utf16LittleEndian, Utf16BigEndian };
FileEncoding detectEncoding(std::string_view bytes);
// The file's text as UTF-8, its byte-order mark left out.
std::string decodeFile(std::string_view bytes);
std::string decodeFile(std::string_view bytes, FileEncoding encoding);

}  // namespace scrivlet
