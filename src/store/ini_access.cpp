#include "store/ini_access.h"

namespace scrivlet {

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
    if (value.size() > LongestValue) return WriteResult::TooLong;
    return profile_.writeString(section, key, value, currentFile_) ? WriteResult::Ok
                                                                    : WriteResult::Failed;
}

}  // namespace scrivlet
