#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/files.h"
#include "store/snippet_file.h"

namespace scrivlet {

// For what keeps a copy of the snippet file's names (the kept pop-up menu, the
// picker's index): whether the file changed since that copy was read, by its
// path, its write time and size, and the program's own writes.
class SnippetFileFollower {
public:
    enum class Reading { Unchanged, Read, Unreadable };

    explicit SnippetFileFollower(FileSystem& files) : files_(files) {}

    // Unchanged, or the file is to be read now: readable, when given, is asked
    // first, and when it says no the copy stays empty until the next change.
    Reading follow(SnippetFile& file, const std::function<bool()>& readable = {}) {
        const Version now = versionOf(file);
        if (seen_ == now) return Reading::Unchanged;
        const bool canRead = !readable || readable();
        // A turn of the file into the program's form rewrites it: what is read
        // is the file as it is afterwards. A change while it is read shows at
        // the next look.
        seen_ = canRead ? versionOf(file) : now;
        return canRead ? Reading::Read : Reading::Unreadable;
    }

private:
    struct Version {
        std::string path;
        std::optional<FileStamp> stamp;
        std::uint64_t ownWrites = 0;
        bool operator==(const Version&) const = default;
    };
    Version versionOf(SnippetFile& file) const { return {file.path(), files_.stamp(file.path()), file.writes()}; }

    FileSystem& files_;
    std::optional<Version> seen_;
};

}  // namespace scrivlet
