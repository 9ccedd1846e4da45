#include "platform/profile_text.h"

#include <algorithm>

#include "platform/text.h"

namespace scrivlet::profile_text {

bool isBlank(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 0x09 && u <= 0x0d) || u == 0x1a || u == 0x20;
}

std::string_view withoutLeadingBlanks(std::string_view s) {
    std::size_t begin = 0;
    while (begin < s.size() && isBlank(s[begin])) ++begin;
    return s.substr(begin);
}

std::string_view withoutTrailingBlanks(std::string_view s) {
    std::size_t end = s.size();
    while (end > 0 && isBlank(s[end - 1])) --end;
    return s.substr(0, end);
}

std::string_view trimmed(std::string_view s) { return withoutTrailingBlanks(withoutLeadingBlanks(s)); }

std::string folded(std::string_view name) {
    std::string out(name);
    for (char& c : out) c = asciiLower(c);
    return out;
}

std::string_view withoutTrailingSpaces(std::string_view fallback) {
    std::size_t end = fallback.size();
    while (end > 1 && fallback[end - 1] == ' ') --end;
    return fallback.substr(0, end);
}

std::string copiedValue(std::string_view value, std::size_t bufferSize) {
    bool quoted = false;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        quoted = true;
        value.remove_prefix(1);
    }
    std::string out(value.substr(0, std::min(value.size(), bufferSize - 1)));
    if (quoted && bufferSize >= value.size() && !out.empty()) out.pop_back();
    return out;
}

}  // namespace scrivlet::profile_text
