#pragma once
#include <string>

#include "platform/files.h"
#include "platform/system_info.h"
#include "store/snippet_file.h"
#include "store/user_settings.h"
#include "store/write_result.h"

namespace scrivlet {

// Which file is the snippet file: "Scrivlet.ini" in the program's folder
// (started from "sample.ini" there) or in a folder of the user's, and the
// per-user setting "path" that remembers the choice. It asks nothing and shows
// nothing; it reports what became of each step.
class SnippetPath {
public:
    static constexpr const char* FileName = "Scrivlet.ini";

    SnippetPath(FileSystem& files, SystemInfo& system, SnippetFile& file, UserSettings& settings)
        : files_(files), system_(system), file_(file), settings_(settings) {}

    // The remembered path, "" when none has been chosen yet.
    std::string remembered();
    std::string standardPath();
    std::string samplePath();
    // The snippet file of a folder; a drive root gets no doubled backslash.
    static std::string inFolder(const std::string& folder);
    bool exists(const std::string& path);

    struct StandardFile {
        // The sample was there but could not be copied: the file starts empty.
        bool sampleCopyFailed = false;
        WriteResult remembered = WriteResult::Ok;
    };
    // Makes the standard file current (from the sample when only that exists)
    // and remembers it.
    StandardFile useStandardFile();

    // Makes a file current; only remember() keeps the choice for the next start.
    void use(const std::string& path) { file_.setPath(path); }
    WriteResult remember();
    // A new, empty snippet file.
    bool createEmpty(const std::string& path);

private:
    FileSystem& files_;
    SystemInfo& system_;
    SnippetFile& file_;
    UserSettings& settings_;
};

}  // namespace scrivlet
