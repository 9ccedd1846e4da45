#include "platform/win32/win32_profile.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>

#include "platform/profile_text.h"
#include "platform/win32/win32_text.h"

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

// Sections, keys and values are the file's bytes, and the ANSI functions pass
// them through unchanged: they convert with the ANSI code page to UTF-16 and
// back, as they read the file with it. The path is the program's text, which
// the ANSI functions take only in the ANSI code page. A path with a character
// that code page lacks goes to the wide functions instead, and the bytes are
// converted there with the ANSI code page, as the ANSI functions would: the
// file's bytes are the same either way. (A short 8.3 path would not serve: a
// file that does not exist yet has none, and volumes may have them turned off.)
std::wstring wideBytes(std::string_view bytes) {
    if (bytes.empty()) return {};
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (size <= 0) return {};
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
    return text;
}

std::string narrowBytes(std::wstring_view text) {
    if (text.empty()) return {};
    const int size =
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

// The path in the ANSI code page, when every character of it is there.
std::optional<std::string> ansiPath(const std::string& path) {
    const std::wstring text = wide(path);
    if (text.empty()) return std::string();
    // UTF-8 as the ANSI code page takes every character (and no flags).
    if (GetACP() == CP_UTF8) return path;
    BOOL lost = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, &lost);
    if (size <= 0 || lost) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), bytes.data(),
                        size, nullptr, &lost);
    if (lost) return std::nullopt;
    return bytes;
}

// One profile file, through the functions its path can go to.
class ProfileFile {
public:
    explicit ProfileFile(const std::string& path) : ansi_(ansiPath(path)), wide_(ansi_ ? L"" : wide(path)) {}

    DWORD readString(const std::string& section, const std::string& key, const std::string& fallback,
                     std::string& buffer) const {
        const auto size = static_cast<DWORD>(buffer.size());
        if (ansi_)
            return GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(), size,
                                            ansi_->c_str());
        std::wstring text(size, L'\0');
        const DWORD copied = GetPrivateProfileStringW(wideBytes(profile_text::asCString(section)).c_str(),
                                                      wideBytes(profile_text::asCString(key)).c_str(),
                                                      wideBytes(profile_text::asCString(fallback)).c_str(),
                                                      text.data(), size, wide_.c_str());
        return copyBack(text, copied, buffer);
    }

    DWORD readSection(const std::string& section, std::string& buffer) const {
        const auto size = static_cast<DWORD>(buffer.size());
        if (ansi_) return GetPrivateProfileSectionA(section.c_str(), buffer.data(), size, ansi_->c_str());
        std::wstring text(size, L'\0');
        const DWORD copied = GetPrivateProfileSectionW(wideBytes(profile_text::asCString(section)).c_str(),
                                                       text.data(), size, wide_.c_str());
        // The call's sign of a buffer too small stays what it is.
        if (copied + 2 == size) return copied;
        return copyBack(text, copied, buffer);
    }

    bool writeString(const std::string& section, const std::string& key, const std::string& value) const {
        if (ansi_)
            return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), ansi_->c_str()) != FALSE;
        return WritePrivateProfileStringW(wideBytes(profile_text::asCString(section)).c_str(),
                                          wideBytes(profile_text::asCString(key)).c_str(),
                                          wideBytes(profile_text::asCString(value)).c_str(), wide_.c_str()) != FALSE;
    }

    // A write without a value removes the key; without a key, the section.
    bool remove(const std::string& section, const std::string* key) const {
        if (ansi_)
            return WritePrivateProfileStringA(section.c_str(), key ? key->c_str() : nullptr, nullptr,
                                              ansi_->c_str()) != FALSE;
        const std::wstring wideKey = key ? wideBytes(profile_text::asCString(*key)) : std::wstring();
        return WritePrivateProfileStringW(wideBytes(profile_text::asCString(section)).c_str(),
                                          key ? wideKey.c_str() : nullptr, nullptr, wide_.c_str()) != FALSE;
    }

    // GetPrivateProfileSection answers 0 alike for an empty or missing section
    // and for a file it could not open, and leaves a last error behind for a
    // missing file too, which it reads as an empty one. What tells them apart is
    // how a key read treats its fallback: from a file it opened it drops the
    // fallback's quotes like a value's, otherwise it copies the fallback as it
    // is. No section or key of a parsed file holds a line break, so this read
    // never finds a value.
    bool opens() const {
        std::string text(8, '\0');
        const DWORD copied = readString("\x01\n\x01", "\x01\n\x01", "'x'", text);
        text.resize(std::min<std::size_t>(copied, text.size() - 1));
        return text == "x";
    }

private:
    // What a wide call copied, as the file's bytes, into the caller's buffer
    // (cut to it, as the ANSI call would cut); the count of bytes copied.
    static DWORD copyBack(const std::wstring& text, DWORD copied, std::string& buffer) {
        const std::string bytes = narrowBytes(std::wstring_view(text.data(), std::min<std::size_t>(copied, text.size())));
        const std::size_t room = buffer.empty() ? 0 : buffer.size() - 1;
        const std::size_t kept = std::min(bytes.size(), room);
        std::copy_n(bytes.data(), kept, buffer.data());
        if (kept < buffer.size()) buffer[kept] = '\0';
        return static_cast<DWORD>(kept);
    }

    std::optional<std::string> ansi_;
    std::wstring wide_;
};

// Windows refuses to open a read-only file for writing, but Wine run by root
// opens it all the same; the user's mark must protect the file everywhere.
bool readOnly(const std::string& file) {
    const DWORD attributes = GetFileAttributesW(wide(file).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
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
    const DWORD copied = ProfileFile(file).readString(section, key, fallback, buffer);
    buffer.resize(std::min<std::size_t>(copied, size - 1));
    return buffer;
}

std::optional<std::string> Win32Profile::readSection(const std::string& section,
                                                     const std::string& file) {
    if (visibleLength(section) > LongestArgument) return std::nullopt;
    const ProfileFile profile(file);
    for (DWORD size = FirstSectionBuffer; size <= LargestSectionBuffer; size *= 4) {
        std::string buffer(size, '\0');
        const DWORD copied = profile.readSection(section, buffer);
        // A result of size - 2 is the call's sign of a buffer too small. Wine
        // gives it also when the section and the final NUL fill the buffer
        // exactly; the larger buffer then brings the same entries.
        if (copied + 2 == size) continue;
        if (copied == 0 && !profile.opens()) return std::nullopt;
        buffer.resize(std::min<std::size_t>(copied, size));
        return buffer;
    }
    return std::nullopt;
}

bool Win32Profile::writeString(const std::string& section, const std::string& key,
                               const std::string& value, const std::string& file) {
    if (tooLong(section, key, value) || readOnly(file)) return false;
    return ProfileFile(file).writeString(section, key, value);
}

bool Win32Profile::removeKey(const std::string& section, const std::string& key, const std::string& file) {
    if (tooLong(section, key, "") || readOnly(file)) return false;
    return ProfileFile(file).remove(section, &key);
}

bool Win32Profile::removeSection(const std::string& section, const std::string& file) {
    if (tooLong(section, "", "") || readOnly(file)) return false;
    return ProfileFile(file).remove(section, nullptr);
}

}  // namespace scrivlet
