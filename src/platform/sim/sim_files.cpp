#include "platform/sim/sim_files.h"

#include <chrono>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/text.h"

namespace scrivlet {

namespace fs = std::filesystem;

SimFileSystem::SimFileSystem(fs::path hostRoot) : root_(std::move(hostRoot)) {
    std::error_code ec;
    fs::create_directories(root_ / "C", ec);
}

namespace {

// Windows takes either slash as a separator.
std::string withBackslashes(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// A path ending in a separator can only name a folder: "C:\dir\file.txt\" is no file.
bool namesFolder(const std::string& path) {
    return path.size() > 3 && (path.back() == '\\' || path.back() == '/');
}

}  // namespace

std::optional<fs::path> SimFileSystem::hostPath(const std::string& windowsPath) const {
    const std::string path = withBackslashes(windowsPath);
    if (path.size() < 3 || path[1] != ':' || path[2] != '\\' || !isAsciiLetter(path[0]))
        return std::nullopt;
    for (char c : path)
        if (c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|' ||
            static_cast<unsigned char>(c) < 32)
            return std::nullopt;
    fs::path host = root_ / std::string(1, asciiUpper(path[0]));
    std::string rest = path.substr(3);
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = rest.find('\\', start);
        if (end == std::string::npos) end = rest.size();
        std::string part = rest.substr(start, end - start);
        start = end + 1;
        // The system drops trailing dots and blanks of the last name: "notiz.txt. "
        // is "notiz.txt".
        if (end == rest.size() && part != "." && part != "..")
            while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
        if (part.empty() || part == ".") {
            if (end == rest.size()) break;
            continue;
        }
        if (part == "..") {
            if (host != root_ / std::string(1, asciiUpper(path[0]))) host = host.parent_path();
            continue;
        }
        std::error_code ec;
        fs::path chosen = host / part;
        if (!fs::exists(chosen, ec) && fs::is_directory(host, ec)) {
            for (const auto& item : fs::directory_iterator(host, ec))
                if (toUpper(item.path().filename().string()) == toUpper(part)) {
                    chosen = item.path();
                    break;
                }
        }
        host = chosen;
        if (end == rest.size()) break;
    }
    return host;
}

std::string SimFileSystem::attributeKey(const fs::path& host) const {
    return toUpper(host.lexically_normal().string());
}

bool SimFileSystem::writable(const fs::path& host) const {
    return !deniedFolders_.count(attributeKey(host.parent_path()));
}

std::optional<FileAttributes> SimFileSystem::attributes(const std::string& path) {
    auto host = hostPath(path);
    std::error_code ec;
    if (!host || !fs::exists(*host, ec)) return std::nullopt;
    if (namesFolder(path) && !fs::is_directory(*host, ec)) return std::nullopt;
    FileAttributes result;
    auto it = attributes_.find(attributeKey(*host));
    if (it != attributes_.end()) result = it->second;
    result.directory = fs::is_directory(*host, ec);
    return result;
}

std::optional<FileStamp> SimFileSystem::stamp(const std::string& path) {
    auto host = hostPath(path);
    std::error_code ec;
    if (!host || namesFolder(path) || !fs::is_regular_file(*host, ec)) return std::nullopt;
    const auto time = fs::last_write_time(*host, ec);
    if (ec) return std::nullopt;
    const auto size = fs::file_size(*host, ec);
    if (ec) return std::nullopt;
    return FileStamp{static_cast<std::int64_t>(time.time_since_epoch().count()), static_cast<std::uint64_t>(size)};
}

void SimFileSystem::written(const fs::path& host, std::optional<fs::file_time_type> before) {
    ++generation_;
    if (!before) return;
    // The host's clock may not have moved since the last write (its file times
    // go in ticks of a few milliseconds): this write must still be told apart.
    std::error_code ec;
    const auto now = fs::last_write_time(host, ec);
    if (!ec && now <= *before) fs::last_write_time(host, *before + std::chrono::milliseconds(1), ec);
}

std::optional<std::string> SimFileSystem::readAll(const std::string& path) {
    auto host = hostPath(path);
    std::error_code ec;
    if (!host || namesFolder(path) || !fs::is_regular_file(*host, ec)) return std::nullopt;
    std::ifstream in(*host, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream data;
    data << in.rdbuf();
    return data.str();
}

PlainFileRead SimFileSystem::readPlainFile(const std::string& path, std::size_t maxBytes) {
    // Only "C:\..." paths reach the host, so device names (CON, NUL, pipes)
    // name nothing here.
    auto host = hostPath(path);
    std::error_code ec;
    if (!host || namesFolder(path) || !fs::is_regular_file(*host, ec)) return {};
    const auto size = fs::file_size(*host, ec);
    if (ec) return {PlainFileRead::Result::Unreadable, {}};
    if (size > maxBytes) return {PlainFileRead::Result::TooLarge, {}};
    auto data = readAll(path);
    if (!data) return {PlainFileRead::Result::Unreadable, {}};
    if (data->size() > maxBytes) return {PlainFileRead::Result::TooLarge, {}};
    return {PlainFileRead::Result::Read, std::move(*data)};
}

bool SimFileSystem::writeAll(const std::string& path, const std::string& data) {
    auto host = hostPath(path);
    std::error_code ec;
    if (!host || namesFolder(path) || !fs::is_directory(host->parent_path(), ec) ||
        fs::is_directory(*host, ec) || !writable(*host))
        return false;
    auto attrs = attributes_.find(attributeKey(*host));
    if (attrs != attributes_.end() && attrs->second.readOnly && fs::exists(*host, ec)) return false;
    std::optional<fs::file_time_type> before;
    if (fs::is_regular_file(*host, ec)) before = fs::last_write_time(*host, ec);
    std::ofstream out(*host, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    out.close();
    written(*host, before);
    return static_cast<bool>(out);
}

bool SimFileSystem::copy(const std::string& from, const std::string& to) {
    const auto source = hostPath(from);
    const auto target = hostPath(to);
    if (!source || !target) return false;
    // The system refuses to copy a file onto itself: the source is open.
    if (attributeKey(*source) == attributeKey(*target)) return false;
    auto data = readAll(from);
    if (!data) return false;
    std::error_code ec;
    const bool targetExisted = fs::exists(*target, ec);
    if (!writeAll(to, *data)) return false;
    // A new copy takes the source's attributes. Over an existing target Windows
    // and Wine part ways (Windows refuses a hidden one, Wine keeps the target's
    // attributes); the sim keeps them as Wine does, and nothing relies on either.
    if (!targetExisted) {
        auto attrs = attributes_.find(attributeKey(*source));
        if (attrs != attributes_.end()) attributes_[attributeKey(*target)] = attrs->second;
    }
    return true;
}

bool SimFileSystem::remove(const std::string& path) {
    auto host = hostPath(path);
    std::error_code ec;
    if (!host || namesFolder(path) || !fs::is_regular_file(*host, ec) || !writable(*host))
        return false;
    auto attrs = attributes_.find(attributeKey(*host));
    if (attrs != attributes_.end() && attrs->second.readOnly) return false;
    if (!fs::remove(*host, ec)) return false;
    attributes_.erase(attributeKey(*host));
    ++generation_;
    return true;
}

bool SimFileSystem::setAttributes(const std::string& path, const FileAttributes& attributes) {
    auto host = hostPath(path);
    std::error_code ec;
    if (!host || !fs::exists(*host, ec)) return false;
    if (namesFolder(path) && !fs::is_directory(*host, ec)) return false;
    if (lockedAttributes_.count(attributeKey(*host))) return false;
    FileAttributes stored = attributes;
    stored.directory = false;
    attributes_[attributeKey(*host)] = stored;
    ++generation_;
    return true;
}

bool SimFileSystem::createFolder(const std::string& path) {
    auto host = hostPath(path);
    std::error_code ec;
    if (!host) return false;
    fs::create_directories(*host, ec);
    return fs::is_directory(*host, ec);
}

std::vector<std::string> SimFileSystem::fileNames(const std::string& folder) {
    std::vector<std::string> names;
    auto host = hostPath(folder);
    std::error_code ec;
    if (!host || !fs::is_directory(*host, ec)) return names;
    for (const auto& item : fs::directory_iterator(*host, ec))
        if (item.is_regular_file(ec)) names.push_back(item.path().filename().string());
    return names;
}

void SimFileSystem::denyWrites(const std::string& folder) {
    if (auto host = hostPath(folder)) deniedFolders_.insert(attributeKey(*host));
}

void SimFileSystem::lockAttributes(const std::string& path) {
    if (auto host = hostPath(path)) lockedAttributes_.insert(attributeKey(*host));
}

}  // namespace scrivlet
