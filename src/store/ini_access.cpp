#include "store/ini_access.h"

namespace scrivlet {

namespace {

// What the profile functions count as blank around a value: tab to carriage
// return, ^Z and the space.
bool isBlank(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 0x09 && u <= 0x0d) || u == 0x1a || u == 0x20;
}

bool isQuote(char c) { return c == '"' || c == '\''; }

}  // namespace

std::string IniAccess::storedForm(const std::string& value) {
    if (value.empty()) return value;
    const bool quoted = value.size() >= 2 && isQuote(value.front()) && value.back() == value.front();
    if (!quoted && !isBlank(value.front()) && !isBlank(value.back())) return value;
    return '"' + value + '"';
}

WriteResult IniAccess::check(const std::string& value) {
    return storedForm(value).size() > LongestValue ? WriteResult::TooLong : WriteResult::Ok;
}

void IniAccess::remember(const std::string& file) {
    if (!file.empty()) currentFile_ = file;
}

std::string IniAccess::read(const std::string& section, const std::string& key,
                            const std::string& fallback, const std::string& file) {
    remember(file);
    return profile_.readString(section, key, fallback, currentFile_, ReadBufferSize);
}

std::optional<std::string> IniAccess::readSection(const std::string& section,
                                                  const std::string& file) {
    remember(file);
    return profile_.readSection(section, currentFile_);
}

WriteResult IniAccess::write(const std::string& section, const std::string& key,
                             const std::string& value, const std::string& file) {
    remember(file);
    if (const WriteResult refused = check(value); refused != WriteResult::Ok) return refused;
    return profile_.writeString(section, key, storedForm(value), currentFile_) ? WriteResult::Ok
                                                                                : WriteResult::Failed;
}

}  // namespace scrivlet
