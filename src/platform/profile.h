#pragma once
#include <cstddef>
#include <optional>
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

    // GetPrivateProfileSectionA, with a buffer grown until the whole section fits:
    // the entries of the first section of this name (compared without trimming,
    // ASCII letters in either case), each followed by its NUL, as the call fills
    // the buffer: "key=value\0key2\0" ("key2" has no '='), nothing after the last
    // entry's NUL. Values keep their quotes; entries whose name starts with ';',
    // and nameless ones without '=', are left out. An empty or missing section and
    // a missing file give an empty string; a file that cannot be opened, or a
    // section name the call could not take, gives nothing.
    virtual std::optional<std::string> readSection(const std::string& section,
                                                   const std::string& file) = 0;

    // WritePrivateProfileStringA; false when the system reports a failure.
    virtual bool writeString(const std::string& section, const std::string& key,
                             const std::string& value, const std::string& file) = 0;

    // WritePrivateProfileStringA without a value: the first key of this name in
    // any section of this name goes (names compared as given, not trimmed,
    // ASCII letters in either case). A key or file that is not there is no
    // failure and leaves the file untouched; an emptied section keeps its header.
    virtual bool removeKey(const std::string& section, const std::string& key,
                           const std::string& file) = 0;
    // WritePrivateProfileStringA without a key: the first section of this name
    // goes, header and all.
    virtual bool removeSection(const std::string& section, const std::string& file) = 0;
};

}  // namespace scrivlet
