#include "store/file_helpers.h"

namespace scrivlet {

bool fileExists(FileSystem& files, const std::string& path) {
    if (path.empty()) return false;
    auto attrs = files.attributes(path);
    return attrs && !attrs->directory && !attrs->hidden && !attrs->system;
}

FileRead readFileWhole(FileSystem& files, const std::string& path) {
    if (!fileExists(files, path)) return {};
    auto data = files.readAll(path);
    if (!data) return {"", true};
    return {std::move(*data), false};
}

bool writeFileWhole(FileSystem& files, const std::string& path, const std::string& data) {
    // A read-only, hidden or system file refuses to be replaced until its
    // attributes are normal again.
    if (auto attrs = files.attributes(path);
        attrs && !attrs->directory && (attrs->readOnly || attrs->hidden || attrs->system))
        files.setAttributes(path, FileAttributes{});
    return files.writeAll(path, data);
}

std::string cutAtNull(const std::string& buffer) {
    const auto nul = buffer.find('\0');
    return nul == std::string::npos ? buffer : buffer.substr(0, nul);
}

std::string addBackslash(const std::string& path) {
    if (!path.empty() && path.back() == '\\') return path;
    return path + '\\';
}

std::string appFolder(SystemInfo& system) {
    const std::string exe = system.executablePath();
    const auto slash = exe.rfind('\\');
    return addBackslash(slash == std::string::npos ? std::string() : exe.substr(0, slash));
}

}  // namespace scrivlet
