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
    if (value.find_first_of("\r\n") != std::string::npos) return WriteResult::LineBreak;
    return storedForm(value).size() > LongestValue ? WriteResult::TooLong : WriteResult::Ok;
}

std::string IniAccess::singleLine(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            out += text[i];
        } else if (i == 0 || (text[i - 1] != '\r' && text[i - 1] != '\n')) {
            out += ' ';
        }
    }
    return out;
}

void IniAccess::remember(const std::string& file) {
    if (!file.empty()) currentFile_ = file;
}

std::string IniAccess::read(const std::string& section, const std::string& key,
                            const std::string& fallback, const std::string& file) {
    remember(file);
    return profile_.readString(section, key, fallback, currentFile_, ReadBufferSize);
}

std::optional<std::string> IniAccess::readWhole(const std::string& section, const std::string& key,
                                                const std::string& file) {
    std::string value = read(section, key, "", file);
    // A read gives at most 32766 characters, and a quoted value of 32766 loses
    // one more; a shorter value is whole. A longer one is whole when a buffer
    // two characters larger brings back the same.
    if (value.size() + 1 < LongestValue) return value;
    if (profile_.readString(section, key, "", currentFile_, ReadBufferSize + 2) != value) return std::nullopt;
    return value;
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
    ++writes_;
    return profile_.writeString(section, key, storedForm(value), currentFile_) ? WriteResult::Ok
                                                                                : WriteResult::Failed;
}

WriteResult IniAccess::remove(const std::string& section, const std::string& key,
                              const std::string& file) {
    remember(file);
    ++writes_;
    return profile_.removeKey(section, key, currentFile_) ? WriteResult::Ok : WriteResult::Failed;
}

WriteResult IniAccess::removeSection(const std::string& section, const std::string& file) {
    remember(file);
    ++writes_;
    return profile_.removeSection(section, currentFile_) ? WriteResult::Ok : WriteResult::Failed;
}

}  // namespace scrivlet
