#pragma once
#include <string>

#include "platform/files.h"
#include "platform/system_info.h"

namespace scrivlet {

// True for an existing normal file: folders and hidden or system files do not
// count, and an empty or invalid path is false.
bool fileExists(FileSystem& files, const std::string& path);

struct FileRead {
    std::string text;
    bool failed = false;  // the file exists but could not be read
};
// The whole file as single-byte text; "" for a file that is not there.
FileRead readFileWhole(FileSystem& files, const std::string& path);

// Replaces the file with exactly these bytes, clearing a read-only attribute
// of an existing file first.
bool writeFileWhole(FileSystem& files, const std::string& path, const std::string& data);

std::string cutAtNull(const std::string& buffer);
std::string addBackslash(const std::string& path);

// The program's folder with a trailing backslash.
std::string appFolder(SystemInfo& system);

}  // namespace scrivlet
