#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/files.h"

namespace scrivlet {

// Windows paths mapped onto a host folder: "C:\dir\file" is <root>/C/dir/file.
// Path components compare without regard to case, as on Windows. The attributes
// hidden, system and read-only live here, since the host has no such notion; a
// read-only file refuses writes, and a folder marked unwritable refuses to have
// files created, replaced or deleted in it (as a folder without write rights).
// A file's write time is the host's; a write made through this object always
// moves it on, even within one tick of the host's clock.
class SimFileSystem : public FileSystem {
public:
    explicit SimFileSystem(std::filesystem::path hostRoot);

    std::optional<FileAttributes> attributes(const std::string& path) override;
    std::optional<FileStamp> stamp(const std::string& path) override;
    std::optional<std::string> readAll(const std::string& path) override;
    PlainFileRead readPlainFile(const std::string& path, std::size_t maxBytes) override;
    bool writeAll(const std::string& path, const std::string& data) override;
    bool copy(const std::string& from, const std::string& to) override;
    bool remove(const std::string& path) override;
    bool setAttributes(const std::string& path, const FileAttributes& attributes) override;
    bool createFolder(const std::string& path) override;
    std::vector<std::string> fileNames(const std::string& folder) override;

    // The host path of a Windows path, following existing components in any
    // letter case; nothing for a path that is not absolute ("C:\...").
    std::optional<std::filesystem::path> hostPath(const std::string& path) const;
    void denyWrites(const std::string& folder);
    // A file whose attributes cannot be changed, as one of another user's.
    void lockAttributes(const std::string& path);
    // Counts every change made through this object, so that readers that cache a
    // file can tell it changed even within one tick of the host clock.
    std::uint64_t generation() const { return generation_; }
    const std::filesystem::path& hostRoot() const { return root_; }

private:
    std::string attributeKey(const std::filesystem::path& host) const;
    bool writable(const std::filesystem::path& host) const;
    void written(const std::filesystem::path& host, std::optional<std::filesystem::file_time_type> before);

    std::filesystem::path root_;
    std::map<std::string, FileAttributes> attributes_;
    std::set<std::string> deniedFolders_;
    std::set<std::string> lockedAttributes_;
    std::uint64_t generation_ = 0;
};

}  // namespace scrivlet
