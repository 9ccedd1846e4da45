#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace scrivlet {

struct FileAttributes {
    bool directory = false;
    bool hidden = false;
    bool system = false;
    bool readOnly = false;
};

struct PlainFileRead {
    enum class Result {
        Read,           // bytes holds the whole file
        NotAPlainFile,  // missing, a folder, a device such as CON or NUL, a pipe
        TooLarge,       // more than the bytes asked for; nothing was read
        Unreadable,     // a plain file that could not be opened or read
    };
    Result result = Result::NotAPlainFile;
    std::string bytes;
};

// What tells one version of a file from another without reading it: the time
// of its last write (in the back-end's own units) and its size.
struct FileStamp {
    std::int64_t written = 0;
    std::uint64_t size = 0;
    bool operator==(const FileStamp&) const = default;
};

// Files addressed by Windows paths ("C:\dir\file"); contents are bytes.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Attributes of the file or folder at path, nothing when it does not exist or
    // the path is invalid.
    virtual std::optional<FileAttributes> attributes(const std::string& path) = 0;
    // The stamp of the file at path, nothing for a folder or a path that names
    // no file.
    virtual std::optional<FileStamp> stamp(const std::string& path) = 0;
    // The whole file, nothing when it cannot be opened or read.
    virtual std::optional<std::string> readAll(const std::string& path) = 0;
    // A plain file on a disk, read whole when it holds at most maxBytes bytes;
    // anything else (a folder, a device, a pipe) is never opened for reading.
    virtual PlainFileRead readPlainFile(const std::string& path, std::size_t maxBytes) = 0;
    // Creates or replaces the file with exactly these bytes.
    virtual bool writeAll(const std::string& path, const std::string& data) = 0;
    // Copies over an existing target.
    virtual bool copy(const std::string& from, const std::string& to) = 0;
    virtual bool remove(const std::string& path) = 0;
    virtual bool setAttributes(const std::string& path, const FileAttributes& attributes) = 0;
    virtual bool createFolder(const std::string& path) = 0;
    // The names of the files in the folder, without its subfolders, in no
    // particular order; none when the folder is not there.
    virtual std::vector<std::string> fileNames(const std::string& folder) = 0;
};

}  // namespace scrivlet
