#include "store/section_index.h"

#include <algorithm>

#include "platform/text.h"
#include "store/ini_access.h"

namespace scrivlet {

namespace {

// The key read hands its arguments to the system as counted strings of at most
// this many characters and gives the fallback without a look at the file for a
// longer one; see the profile back-ends.
constexpr std::size_t LongestArgument = 32766;
constexpr std::size_t BufferSize = IniAccess::ReadBufferSize;

// What the profile functions count as blank around a key: tab to carriage
// return, ^Z and the space.
bool isBlank(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 0x09 && u <= 0x0d) || u == 0x1a || u == 0x20;
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Arguments are C strings to the system: an embedded NUL ends them.
std::string_view asCString(const std::string& s) { return std::string_view(s.c_str()); }

std::string folded(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = asciiLower(c);
    return out;
}

// A value as the key read copies it into its buffer: one pair of equal quotes
// around it is dropped, but the room for the closing quote is checked against
// the value without its opening quote, so a value exactly that long loses the
// character before the closing quote too.
std::string copied(std::string_view value) {
    bool quoted = false;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        quoted = true;
        value.remove_prefix(1);
    }
    std::string out(value.substr(0, std::min(value.size(), BufferSize - 1)));
    if (quoted && BufferSize >= value.size() && !out.empty()) out.pop_back();
    return out;
}

// The key read drops the fallback's trailing spaces (not tabs), all but one of
// a fallback of spaces alone.
std::string_view withoutTrailingSpaces(std::string_view fallback) {
    std::size_t end = fallback.size();
    while (end > 1 && fallback[end - 1] == ' ') --end;
    return fallback.substr(0, end);
}

}  // namespace

SectionIndex::SectionIndex(std::string_view section) {
    std::size_t pos = 0;
    while (pos < section.size()) {
        std::size_t end = section.find('\0', pos);
        if (end == std::string_view::npos) end = section.size();
        const std::string_view entry = section.substr(pos, end - pos);
        pos = end + 1;
        // Names hold no '=' (the first one on a line ends the name); values may.
        const std::size_t equals = entry.find('=');
        std::optional<std::string> value;
        if (equals != std::string_view::npos) value.emplace(entry.substr(equals + 1));
        // The first entry of a name is the one a key read finds.
        values_.try_emplace(folded(entry.substr(0, std::min(equals, entry.size()))),
                            std::move(value));
    }
}

bool SectionIndex::covers(const std::string& key) const {
    const std::string_view name = asCString(key);
    if (name.size() > LongestArgument) return true;
    const std::string_view wanted = trimmed(name);
    return !wanted.empty() && wanted.front() != ';';
}

std::string SectionIndex::value(const std::string& key, const std::string& fallback) const {
    const std::string_view name = asCString(key);
    const std::string_view fallbackText = asCString(fallback);
    if (name.size() > LongestArgument || fallbackText.size() > LongestArgument)
        return std::string(fallbackText.substr(0, BufferSize - 1));
    const auto found = values_.find(folded(trimmed(name)));
    if (found != values_.end() && found->second) return copied(*found->second);
    return copied(withoutTrailingSpaces(fallbackText));
}

}  // namespace scrivlet
