#include "store/section_index.h"

#include <algorithm>

#include "platform/profile_text.h"
#include "store/ini_access.h"

namespace scrivlet {

namespace {

using profile_text::asCString;
using profile_text::copiedValue;
using profile_text::folded;
using profile_text::LongestArgument;
using profile_text::trimmed;
using profile_text::withoutTrailingSpaces;

// The buffer of the key read whose answers the index gives.
constexpr std::size_t BufferSize = IniAccess::ReadBufferSize;

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
        const std::string_view name = entry.substr(0, std::min(equals, entry.size()));
        const bool hasValue = value.has_value();
        if (values_.try_emplace(folded(name), std::move(value)).second && hasValue)
            withValues_.emplace_back(name);
    }
}

bool SectionIndex::covers(const std::string& key) const {
    const std::string_view name = asCString(key);
    if (name.size() > LongestArgument) return true;
    const std::string_view wanted = trimmed(name);
    return !wanted.empty() && wanted.front() != ';';
}

bool SectionIndex::has(const std::string& key) const {
    const auto found = values_.find(folded(trimmed(asCString(key))));
    return found != values_.end() && found->second.has_value();
}

std::string SectionIndex::value(const std::string& key, const std::string& fallback) const {
    const std::string_view name = asCString(key);
    const std::string_view fallbackText = asCString(fallback);
    if (name.size() > LongestArgument || fallbackText.size() > LongestArgument)
        return std::string(fallbackText.substr(0, BufferSize - 1));
    const auto found = values_.find(folded(trimmed(name)));
    if (found != values_.end() && found->second) return copiedValue(*found->second, BufferSize);
    return copiedValue(withoutTrailingSpaces(fallbackText), BufferSize);
}

}  // namespace scrivlet
