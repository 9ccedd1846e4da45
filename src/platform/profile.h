#pragma once
#include <cstddef>
#include <string>

namespace scrivlet {

// The private-profile (INI) functions of the system: one call reads or writes one
// value and opens and closes the file itself.
class Profile {
public:
    virtual ~Profile() = default;

    // GetPrivateProfileStringA with a buffer of bufferSize characters; the result
    // holds exactly the characters the call reports as copied.
    virtual std::string readString(const std::string& section, const std::string& key,
                                   const std::string& fallback, const std::string& file,
                                   std::size_t bufferSize) = 0;

    // WritePrivateProfileStringA; false when the system reports a failure.
    virtual bool writeString(const std::string& section, const std::string& key,
                             const std::string& value, const std::string& file) = 0;
};

}  // namespace scrivlet
