#include "popup/menu_order.h"

#include <algorithm>
#include <string>

#include "platform/unicode.h"

namespace scrivlet {

namespace {
constexpr char32_t FieldSeparator = 3;  // below every character of a name

std::u32string sortKey(const NamedEntry& entry) {
    std::u32string key;
    const std::string& name = entry.name;
    for (std::size_t i = 0; i < name.size();) {
        std::size_t n = 0;
        const char32_t c = decodeUtf8(name, i, &n);
        i += n;
        const auto byte = toCp1252(c);
        key += byte ? static_cast<char32_t>(*byte) : 0x100 + c;
    }
    key += FieldSeparator;
    for (char digit : std::to_string(entry.number)) key += static_cast<char32_t>(digit);
    return key;
}
}  // namespace

std::vector<NamedEntry> inMenuOrder(std::vector<NamedEntry> entries) {
    std::vector<std::u32string> keys;
    keys.reserve(entries.size());
    for (const NamedEntry& entry : entries) keys.push_back(sortKey(entry));
    std::vector<std::size_t> order(entries.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    std::vector<NamedEntry> sorted;
    sorted.reserve(entries.size());
    for (std::size_t i : order) sorted.push_back(std::move(entries[i]));
    return sorted;
}

}  // namespace scrivlet
