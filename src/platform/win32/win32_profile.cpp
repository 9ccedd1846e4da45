#include "platform/win32/win32_profile.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "platform/profile_text.h"

namespace scrivlet {

namespace {

// Calls with a longer argument than the system takes never reach it: a read
// gives the fallback, a write fails.
using profile_text::LongestArgument;

// What the system sees of an argument: it is a C string, so an embedded NUL ends it.
std::size_t visibleLength(const std::string& s) { return std::strlen(s.c_str()); }

bool tooLong(const std::string& a, const std::string& b, const std::string& c) {
    return visibleLength(a) > LongestArgument || visibleLength(b) > LongestArgument ||
           visibleLength(c) > LongestArgument;
}

// The buffer size is a DWORD, and no value is anywhere near this long.
constexpr std::size_t LargestBuffer = 0x7FFFFFFF;

// A section's buffer starts large enough for the names of ten thousand entries
// and grows fourfold while the call reports it too small: for two seconds after
// a write, Wine parses the whole file again at every call. The call takes four
// times the buffer's size of the heap for its wide copy, so a section that does
// not fit into the largest buffer counts as unreadable, and the caller reads its
// keys one at a time instead.
constexpr DWORD FirstSectionBuffer = 256 * 1024;
constexpr DWORD LargestSectionBuffer = 64 * 1024 * 1024;

// GetPrivateProfileSectionA answers 0 alike for an empty or missing section and
// for a file it could not open, and leaves a last error behind for a missing
// file too, which it reads as an empty one. What tells them apart is how a key
// read treats its fallback: from a file it opened it drops the fallback's
// quotes like a value's, otherwise it copies the fallback as it is. No section
// or key of a parsed file holds a line break, so this read never finds a value.
bool profileFileOpens(const std::string& file) {
    char text[8] = {};
    GetPrivateProfileStringA("\x01\n\x01", "\x01\n\x01", "'x'", text, sizeof text, file.c_str());
    return std::strcmp(text, "x") == 0;
}

}  // namespace

std::string Win32Profile::readString(const std::string& section, const std::string& key,
                                     const std::string& fallback, const std::string& file,
                                     std::size_t bufferSize) {
    if (bufferSize == 0) return {};
    if (tooLong(section, key, fallback))
        return fallback.substr(0, std::min(visibleLength(fallback), bufferSize - 1));
    const DWORD size = static_cast<DWORD>(std::min(bufferSize, LargestBuffer));
    std::string buffer(size, '\0');
    const DWORD copied = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(),
                                                  buffer.data(), size, file.c_str());
    buffer.resize(std::min<std::size_t>(copied, size - 1));
    return buffer;
}

std::optional<std::string> Win32Profile::readSection(const std::string& section,
                                                     const std::string& file) {
    if (visibleLength(section) > LongestArgument) return std::nullopt;
    for (DWORD size = FirstSectionBuffer; size <= LargestSectionBuffer; size *= 4) {
        std::string buffer(size, '\0');
        const DWORD copied =
            GetPrivateProfileSectionA(section.c_str(), buffer.data(), size, file.c_str());
        // A result of size - 2 is the call's sign of a buffer too small. Wine
        // gives it also when the section and the final NUL fill the buffer
        // exactly; the larger buffer then brings the same entries.
        if (copied + 2 == size) continue;
        if (copied == 0 && !profileFileOpens(file)) return std::nullopt;
        buffer.resize(std::min<std::size_t>(copied, size));
        return buffer;
    }
    return std::nullopt;
}

bool Win32Profile::writeString(const std::string& section, const std::string& key,
                               const std::string& value, const std::string& file) {
    if (tooLong(section, key, value)) return false;
    // Windows refuses to open a read-only file for writing, but Wine run by root
    // opens it all the same; the user's mark must protect the file everywhere.
    const DWORD attributes = GetFileAttributesA(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
        !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                      file.c_str()) != FALSE;
}

}  // namespace scrivlet
