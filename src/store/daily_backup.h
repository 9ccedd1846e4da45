#pragma once
#include <cstddef>
#include <optional>
#include <set>
#include <string>

#include "platform/clock.h"
#include "platform/files.h"

namespace scrivlet {

// A copy of the snippet file as it was before the first write of a day, in
// the folder "Sicherung" beside it, named "Scrivlet-JJJJ-MM-TT.ini" by the
// day of the platform's clock; the ten newest by name are kept. The profile
// functions rewrite the whole file in place: a crash or a full disk in the
// middle of a write, or a wrong delete, would otherwise leave nothing.
class DailyBackup {
public:
    static constexpr const char* FolderName = "Sicherung";
    static constexpr std::size_t Kept = 10;

    // The copies through files; the day through clock.
    struct Services {
        FileSystem& files;
        Clock& clock;
    };

    explicit DailyBackup(Services services) : services_(services) {}

    // Copies the file when no backup of today is there yet, and removes the
    // oldest backups beyond the ten newest. A file that is not there yet has
    // nothing to keep. A backup that cannot be made stops nothing: the write
    // goes on, and the failure waits for takeFailure.
    void beforeWrite(const std::string& file);
    // The path of a backup that could not be made, once for each backup
    // (a file and a day); nothing when there is no failure left to tell.
    std::optional<std::string> takeFailure();

    // "C:\dir\Sicherung" for "C:\dir\Scrivlet.ini"; "" for a path without folder.
    static std::string folderOf(const std::string& file);
    // "Scrivlet-2026-03-02.ini".
    static std::string nameFor(const DateTime& day);
    // A name as nameFor makes them, in any letter case.
    static bool isBackupName(const std::string& name);

private:
    void removeOldest(const std::string& folder);

    Services services_;
    // Backups made or found this run, in capitals: not looked for again.
    std::set<std::string> present_;
    // Backups that could not be made, in capitals: told once each.
    std::set<std::string> failed_;
    std::optional<std::string> untold_;
};

}  // namespace scrivlet
