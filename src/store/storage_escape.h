#pragma once
#include <string>
#include <string_view>

namespace scrivlet {

// An entry text stored as one INI value: backslash, TAB, LF, CR and the double
// quote would end or bend the value, so they are written as "\\", "\T", "\L",
// "\N" and "\H".
std::string escapeText(std::string_view text);
std::string unescapeText(std::string_view stored);

}  // namespace scrivlet
