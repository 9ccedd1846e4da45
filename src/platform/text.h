#pragma once
#include <string>
#include <string_view>

namespace scrivlet {

// Single-byte text of the Windows-1252 code page.

inline bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline char asciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
inline char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

std::string toUpperAscii(std::string_view s);
bool equalsIgnoreCase(std::string_view a, std::string_view b);  // ASCII letters only

// Upper and lower case of Windows-1252 as the system's locale has it: umlauts,
// accented letters, š/Š, œ/Œ, ž/Ž and ÿ/Ÿ included; ß and µ have no capital.
char upperCp1252(char c);
char lowerCp1252(char c);
std::string toUpper(std::string_view s);
std::string toLower(std::string_view s);

// Leading and trailing blanks (code 32) removed.
std::string trimBlanks(std::string_view s);

}  // namespace scrivlet
