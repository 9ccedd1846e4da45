#pragma once
#include "platform/profile.h"

namespace scrivlet {

// The system's private-profile functions, GetPrivateProfileStringA,
// GetPrivateProfileSectionA and WritePrivateProfileStringA: sections, keys and
// values are the file's bytes. A file whose path the ANSI code page cannot
// spell goes through the wide functions with the same bytes.
class Win32Profile : public Profile {
public:
    std::string readString(const std::string& section, const std::string& key,
                           const std::string& fallback, const std::string& file,
                           std::size_t bufferSize) override;
    std::optional<std::string> readSection(const std::string& section,
                                           const std::string& file) override;
    bool writeString(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& file) override;
    bool removeKey(const std::string& section, const std::string& key,
                   const std::string& file) override;
    bool removeSection(const std::string& section, const std::string& file) override;
};

}  // namespace scrivlet
