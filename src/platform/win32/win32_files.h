#pragma once
#include "platform/files.h"

namespace scrivlet {

class Win32FileSystem : public FileSystem {
public:
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
};

}  // namespace scrivlet
