#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// How the system's private-profile functions treat the text they are handed and
// the values they find. The simulated profile follows these rules, and so does
// the program where it answers a key read from a whole section read at once.
namespace scrivlet::profile_text {

// The ANSI functions hand their arguments to the wide ones in counted strings
// of at most 65534 bytes, so the longest argument they take is 32766 characters.
// Under Wine a longer string does not convert, and the call then crashes (a long
// fallback), reports success without storing anything, or stores the value cut
// to its length modulo 65536. Such calls are refused instead: a read gives the
// fallback, a write fails. Values read from a file have no such limit.
constexpr std::size_t LongestArgument = 32766;

// Arguments are C strings to the system: an embedded NUL ends them.
inline std::string_view asCString(const std::string& s) { return std::string_view(s.c_str()); }

// What the profile functions count as blank around names, values and lines: tab
// to carriage return, ^Z (an old end-of-file mark) and the space.
bool isBlank(char c);
std::string_view withoutLeadingBlanks(std::string_view s);
std::string_view withoutTrailingBlanks(std::string_view s);
std::string_view trimmed(std::string_view s);

// Section and key names compare with the ASCII letters folded only: "[Ä]" is
// not "[ä]". The name in lower case.
std::string folded(std::string_view name);

// A key read drops the fallback's trailing spaces (not tabs), all but one of a
// fallback of spaces alone.
std::string_view withoutTrailingSpaces(std::string_view fallback);

// A value as a key read copies it into a buffer of bufferSize (at least 1)
// characters: one pair of equal quotes (" or ') around it is dropped, but the
// room for the closing quote is checked against the value without its opening
// quote, so when the buffer is exactly that long the character before the
// closing quote is lost as well.
std::string copiedValue(std::string_view value, std::size_t bufferSize);

}  // namespace scrivlet::profile_text
