#include "platform/win32/win32_files.h"

#include <algorithm>
#include <limits>
#include <string_view>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"

namespace scrivlet {

namespace {

bool isFolder(const std::string& path) {
    const DWORD bits = GetFileAttributesW(wide(path).c_str());
    return bits != INVALID_FILE_ATTRIBUTES && (bits & FILE_ATTRIBUTE_DIRECTORY);
}

// Windows refuses to open a read-only file for writing, but not every file
// system under it does: Wine run by root opens it all the same. The user's mark
// must protect the file everywhere, so it is checked before writing.
bool isReadOnlyFile(const std::string& path) {
    const DWORD bits = GetFileAttributesW(wide(path).c_str());
    return bits != INVALID_FILE_ATTRIBUTES && (bits & FILE_ATTRIBUTE_READONLY) &&
           !(bits & FILE_ATTRIBUTE_DIRECTORY);
}

// Where the first folder below the root of path begins: after "C:\" or after
// "\\server\share\", whose parts cannot be created.
std::size_t firstCreatablePart(const std::string& path) {
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        const std::size_t server = path.find('\\', 2);
        if (server == std::string::npos) return path.size();
        const std::size_t share = path.find('\\', server + 1);
        return share == std::string::npos ? path.size() : share + 1;
    }
    if (path.size() >= 2 && path[1] == ':') return path.size() > 2 && path[2] == '\\' ? 3 : 2;
    return path.empty() || path[0] != '\\' ? 0 : 1;
}

}  // namespace

std::optional<FileAttributes> Win32FileSystem::attributes(const std::string& path) {
    const DWORD bits = GetFileAttributesW(wide(path).c_str());
    if (bits == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    FileAttributes result;
    result.directory = (bits & FILE_ATTRIBUTE_DIRECTORY) != 0;
    result.hidden = (bits & FILE_ATTRIBUTE_HIDDEN) != 0;
    result.system = (bits & FILE_ATTRIBUTE_SYSTEM) != 0;
    result.readOnly = (bits & FILE_ATTRIBUTE_READONLY) != 0;
    return result;
}

std::optional<FileStamp> Win32FileSystem::stamp(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(wide(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
    FileStamp result;
    // 100-ns steps since 1601, as the file system keeps them.
    result.written = static_cast<std::int64_t>((static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                               data.ftLastWriteTime.dwLowDateTime);
    result.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return result;
}

std::optional<std::string> Win32FileSystem::readAll(const std::string& path) {
    // Others may keep the file open for writing (an editor, the profile functions
    // of another process); reading it anyway is what the user expects.
    const UniqueFile file(CreateFileW(wide(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return std::nullopt;
    std::string data;
    data.reserve(static_cast<std::size_t>(size.QuadPart));
    // Read until the end rather than trusting the size, which may change while we read.
    char buffer[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return std::nullopt;
        if (got == 0) break;
        data.append(buffer, got);
    }
    return data;
}

PlainFileRead Win32FileSystem::readPlainFile(const std::string& path, std::size_t maxBytes) {
    using Result = PlainFileRead::Result;
    // The device namespace ("\\.\pipe\x", "\\.\COM1"): opening a name there
    // could block or connect to a server, so it is refused before any call.
    if (path.rfind("\\\\.\\", 0) == 0) return {};
    // Device names (CON, NUL, COM1, also as "C:\dir\NUL") resolve into it.
    wchar_t full[MAX_PATH];
    const DWORD length = GetFullPathNameW(wide(path).c_str(), MAX_PATH, full, nullptr);
    if (length > 0 && length < MAX_PATH && std::wstring_view(full, length).rfind(L"\\\\.\\", 0) == 0) return {};
    const DWORD bits = GetFileAttributesW(wide(path).c_str());
    if (bits == INVALID_FILE_ATTRIBUTES || (bits & FILE_ATTRIBUTE_DIRECTORY)) return {};
    const UniqueFile file(CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {Result::Unreadable, {}};
    // CON, NUL and pipes open as character or pipe handles, not as disk files.
    if (GetFileType(file.get()) != FILE_TYPE_DISK) return {};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return {Result::Unreadable, {}};
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) return {Result::TooLarge, {}};
    std::string data;
    data.reserve(static_cast<std::size_t>(size.QuadPart));
    // The file may grow while it is read: never more than one byte beyond the limit.
    char buffer[64 * 1024];
    while (data.size() <= maxBytes) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(sizeof buffer, maxBytes + 1 - data.size()));
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, want, &got, nullptr)) return {Result::Unreadable, {}};
        if (got == 0) break;
        data.append(buffer, got);
    }
    if (data.size() > maxBytes) return {Result::TooLarge, {}};
    return {Result::Read, std::move(data)};
}

bool Win32FileSystem::writeAll(const std::string& path, const std::string& data) {
    if (isReadOnlyFile(path)) return false;
    // OPEN_ALWAYS and truncating afterwards, not CREATE_ALWAYS: CREATE_ALWAYS refuses
    // to replace a hidden or system file unless the same attributes are passed,
    // and replacing a file must keep the attributes the user gave it.
    const UniqueFile file(CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    std::size_t done = 0;
    while (done < data.size()) {
        const DWORD chunk = static_cast<DWORD>(
            std::min<std::size_t>(data.size() - done, std::numeric_limits<DWORD>::max() / 2));
        DWORD written = 0;
        if (!WriteFile(file.get(), data.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return SetEndOfFile(file.get()) != FALSE;
}

bool Win32FileSystem::copy(const std::string& from, const std::string& to) {
    if (isReadOnlyFile(to)) return false;
    return CopyFileW(wide(from).c_str(), wide(to).c_str(), FALSE) != FALSE;
}

bool Win32FileSystem::remove(const std::string& path) { return DeleteFileW(wide(path).c_str()) != FALSE; }

bool Win32FileSystem::setAttributes(const std::string& path, const FileAttributes& attributes) {
    DWORD bits = 0;
    if (attributes.hidden) bits |= FILE_ATTRIBUTE_HIDDEN;
    if (attributes.system) bits |= FILE_ATTRIBUTE_SYSTEM;
    if (attributes.readOnly) bits |= FILE_ATTRIBUTE_READONLY;
    // Zero is not a valid argument; NORMAL is how "no attributes" is spelt.
    return SetFileAttributesW(wide(path).c_str(), bits ? bits : FILE_ATTRIBUTE_NORMAL) != FALSE;
}

std::vector<std::string> Win32FileSystem::fileNames(const std::string& folder) {
    std::vector<std::string> names;
    const std::string pattern = (!folder.empty() && folder.back() == '\\' ? folder : folder + '\\') + '*';
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(FindFirstFileW(wide(pattern).c_str(), &found));
    if (!search) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(narrow(found.cFileName));
    } while (FindNextFileW(search.get(), &found));
    return names;
}

bool Win32FileSystem::createFolder(const std::string& path) {
    // CreateDirectoryW makes one level only; the parents are made first, and a
    // level that already exists is no failure. Whether the whole path ends up a
    // folder is the answer, so races with another creator do not matter.
    for (std::size_t end = path.find('\\', firstCreatablePart(path)); end != std::string::npos;
         end = path.find('\\', end + 1)) {
        const std::string parent = path.substr(0, end);
        if (!parent.empty() && parent.back() != '\\' && !isFolder(parent))
            CreateDirectoryW(wide(parent).c_str(), nullptr);
    }
    CreateDirectoryW(wide(path).c_str(), nullptr);
    return isFolder(path);
}

}  // namespace scrivlet
