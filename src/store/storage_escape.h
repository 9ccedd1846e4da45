#pragma once
#include <string>
#include <string_view>

namespace scrivlet {

// An entry text stored as one INI value: backslash, TAB, LF, CR and the double
// quote would end or bend the value, so they are written as "\\", "\T", "\L",
// "\N" and "\H".
std::string escapeText(std::string_view text);
std::string unescapeText(std::string_view stored);

// An entry's plain text (UTF-8) as the file stores it: in the file's code page
// with its escapes (file_text.h) first, then escaped as above, which is what
// older versions read; and back.
std::string textForFile(std::string_view plainText);
std::string textFromFile(std::string_view stored);

}  // namespace scrivlet
