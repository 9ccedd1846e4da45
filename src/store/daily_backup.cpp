#include "store/daily_backup.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "platform/text.h"

namespace scrivlet {

std::string DailyBackup::folderOf(const std::string& file) {
    const auto slash = file.rfind('\\');
    if (slash == std::string::npos) return {};
    return file.substr(0, slash + 1) + FolderName;
}

std::string DailyBackup::nameFor(const DateTime& day) {
    char name[40];
    std::snprintf(name, sizeof name, "Scrivlet-%04d-%02d-%02d.ini", day.year, day.month, day.day);
    return name;
}

bool DailyBackup::isBackupName(const std::string& name) {
    const std::string pattern = "SCRIVLET-0000-00-00.INI";
    if (name.size() != pattern.size()) return false;
    const std::string upper = toUpper(name);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const bool digit = upper[i] >= '0' && upper[i] <= '9';
        if (pattern[i] == '0' ? !digit : upper[i] != pattern[i]) return false;
    }
    return true;
}

void DailyBackup::beforeWrite(const std::string& file) {
    const std::string folder = folderOf(file);
    if (folder.empty()) return;
    const std::string backup = folder + "\\" + nameFor(services_.clock.now());
    const std::string key = toUpper(backup);
    if (present_.count(key)) return;
    FileSystem& files = services_.files;
    const auto source = files.attributes(file);
    if (!source || source->directory) return;
    if (const auto there = files.attributes(backup); there && !there->directory) {
        present_.insert(key);
        return;
    }
    if (!files.createFolder(folder) || !files.copy(file, backup)) {
        if (failed_.insert(key).second) untold_ = backup;
        return;
    }
    present_.insert(key);
    // A copy takes the attributes of its source: a read-only one could not be
    // removed when its time has come.
    static_cast<void>(files.setAttributes(backup, {}));
    removeOldest(folder);
}

void DailyBackup::removeOldest(const std::string& folder) {
    std::vector<std::string> backups;
    for (std::string& name : services_.files.fileNames(folder))
        if (isBackupName(name)) backups.push_back(std::move(name));
    if (backups.size() <= Kept) return;
    // The date in the name orders them; letter case does not.
    std::sort(backups.begin(), backups.end(),
              [](const std::string& a, const std::string& b) { return toUpper(a) < toUpper(b); });
    // One that cannot go (another user's, read-only) stays; the rest go all the same.
    for (std::size_t i = 0; i + Kept < backups.size(); ++i)
        static_cast<void>(services_.files.remove(folder + "\\" + backups[i]));
}

std::optional<std::string> DailyBackup::takeFailure() { return std::exchange(untold_, std::nullopt); }

}  // namespace scrivlet
