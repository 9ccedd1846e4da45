// The day's backup of the snippet file, made before the first write of a day
// into the folder "Sicherung" beside it; the ten newest are kept, and a backup
// that cannot be made is told once and stops no write.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "native/main_window_story.h"
#include "store/daily_backup.h"

namespace scrivlet {
namespace {

using test::snippetFile;

const std::string Folder = "C:\\Programme\\Scrivlet\\Sicherung";

struct BackupStory : test::MainWindowStory {
    // The user changes the shown entry's text and leaves the editor.
    void change(const std::string& text) { editAndLeave(text); }
    std::vector<std::string> backups() {
        std::vector<std::string> names = sim.files.fileNames(Folder);
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string backup(const std::string& name) { return fileText(Folder + "\\" + name); }
};

TEST_F(BackupStory, TheFirstWriteOfADayKeepsTheFileAsItWas) {
    const std::string original = snippetFile({{"Brief", "Hallo"}});
    startWith(original);
    sim.clock.set(2026, 3, 2, 8, 0, 0);
    change("Hallo Welt");
    EXPECT_EQ(backups(), std::vector<std::string>{"Scrivlet-2026-03-02.ini"});
    EXPECT_EQ(backup("Scrivlet-2026-03-02.ini"), original);
    // Later the same day: the backup stays the morning's.
    sim.clock.set(2026, 3, 2, 17, 30, 0);
    change("Servus");
    EXPECT_EQ(backup("Scrivlet-2026-03-02.ini"), original);
    // The next day keeps the evening's state.
    const std::string evening = fileText(StandardFile);
    sim.clock.set(2026, 3, 3, 8, 0, 0);
    change("Moin");
    EXPECT_EQ(backups(), (std::vector<std::string>{"Scrivlet-2026-03-02.ini", "Scrivlet-2026-03-03.ini"}));
    EXPECT_EQ(backup("Scrivlet-2026-03-03.ini"), evening);
    EXPECT_EQ(stored("Text", 1), "Moin");
    EXPECT_TRUE(messages().empty());
}

TEST_F(BackupStory, ABackupOfTodayFromAnEarlierRunIsKept) {
    startWith(snippetFile({{"Brief", "Hallo"}}));
    sim.clock.set(2026, 3, 2, 8, 0, 0);
    writeFile(Folder + "\\Scrivlet-2026-03-02.ini", "vom Morgen");
    change("Hallo Welt");
    EXPECT_EQ(backup("Scrivlet-2026-03-02.ini"), "vom Morgen");
}

// ---- only the ten newest stay

struct RotationCase {
    const char* label;
    std::vector<std::string> before;  // in the folder before the write
    std::vector<std::string> after;   // sorted
};

[[maybe_unused]] void PrintTo(const RotationCase& c, std::ostream* out) { *out << c.label; }

std::vector<std::string> days(int from, int to, const char* prefix = "Scrivlet-2026-02-") {
    std::vector<std::string> names;
    for (int d = from; d <= to; ++d)
        names.push_back(prefix + std::string(d < 10 ? "0" : "") + std::to_string(d) + ".ini");
    return names;
}

std::vector<std::string> plus(std::vector<std::string> names, std::initializer_list<std::string> more) {
    names.insert(names.end(), more);
    std::sort(names.begin(), names.end());
    return names;
}

class Rotation : public BackupStory, public ::testing::WithParamInterface<RotationCase> {};

TEST_P(Rotation, KeepsTheTenNewestByNameAndNothingElseGoes) {
    startWith(snippetFile({{"Brief", "Hallo"}}));
    sim.clock.set(2026, 3, 2, 8, 0, 0);
    for (const std::string& name : GetParam().before) writeFile(Folder + "\\" + name, name);
    change("Hallo Welt");
    EXPECT_EQ(backups(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, Rotation,
    ::testing::Values(
        RotationCase{"NineBeforeAllStay", days(1, 9), plus(days(1, 9), {"Scrivlet-2026-03-02.ini"})},
        RotationCase{"TenBeforeTheOldestGoes", days(1, 10), plus(days(2, 10), {"Scrivlet-2026-03-02.ini"})},
        RotationCase{"ManyBeforeAllButTheNewestNineGo", days(1, 25), plus(days(17, 25), {"Scrivlet-2026-03-02.ini"})},
        RotationCase{"OtherFilesStay",
                     plus(days(1, 10), {"notiz.txt", "Scrivlet-alt.ini", "Scrivlet-2026-02-1.ini"}),
                     plus(days(2, 10), {"Scrivlet-2026-03-02.ini", "notiz.txt", "Scrivlet-alt.ini",
                                        "Scrivlet-2026-02-1.ini"})},
        RotationCase{"LetterCaseCountsNot", plus(days(2, 10), {"SCRIVLET-2026-02-01.INI"}),
                     plus(days(2, 10), {"Scrivlet-2026-03-02.ini"})},
        RotationCase{"ALaterDateByTheClockIsNewer", plus(days(1, 9), {"Scrivlet-2027-01-01.ini"}),
                     plus(days(2, 9), {"Scrivlet-2026-03-02.ini", "Scrivlet-2027-01-01.ini"})}),
    [](const auto& p) { return std::string(p.param.label); });

// ---- a backup that cannot be made

struct FailureCase {
    const char* label;
    std::function<void(BackupStory&)> arrange;
};

[[maybe_unused]] void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.label; }

class BackupFails : public BackupStory, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(BackupFails, IsToldOnceAndTheWritesGoOn) {
    startWith(snippetFile({{"Brief", "Hallo"}}));
    sim.clock.set(2026, 3, 2, 8, 0, 0);
    GetParam().arrange(*this);
    change("Hallo Welt");
    EXPECT_EQ(stored("Text", 1), "Hallo Welt");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].icon, MessageIcon::Warning);
    EXPECT_EQ(messages()[0].text,
              "Die tägliche Sicherung der Textbausteine konnte nicht als "
              "'C:\\Programme\\Scrivlet\\Sicherung\\Scrivlet-2026-03-02.ini' angelegt werden.\r\rIhre Änderungen "
              "werden trotzdem gespeichert. Bitte prüfen Sie, ob Sie in diesem Ordner schreiben dürfen und ob auf "
              "dem Laufwerk noch Platz ist.");
    change("Servus");
    EXPECT_EQ(stored("Text", 1), "Servus");
    EXPECT_EQ(messages().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, BackupFails,
    ::testing::Values(FailureCase{"AFileWhereTheFolderBelongs",
                                  [](BackupStory& s) { s.writeFile(Folder, "kein Ordner"); }},
                      FailureCase{"AFolderWithoutWriteRights",
                                  [](BackupStory& s) {
                                      s.sim.files.createFolder(Folder);
                                      s.sim.files.denyWrites(Folder);
                                  }},
                      FailureCase{"AFolderNamedLikeTheBackup",
                                  [](BackupStory& s) {
                                      s.sim.files.createFolder(Folder + "\\Scrivlet-2026-03-02.ini");
                                  }}),
    [](const auto& p) { return std::string(p.param.label); });

TEST(DailyBackupNames, FollowTheDayAndAreKnownInAnyLetterCase) {
    EXPECT_EQ(DailyBackup::nameFor({2026, 3, 2}), "Scrivlet-2026-03-02.ini");
    EXPECT_EQ(DailyBackup::folderOf("C:\\Eigene Texte\\Scrivlet.ini"), "C:\\Eigene Texte\\Sicherung");
    EXPECT_EQ(DailyBackup::folderOf("Scrivlet.ini"), "");
    const struct {
        const char* name;
        bool backup;
    } cases[] = {
        {"Scrivlet-2026-03-02.ini", true},  {"scrivlet-1999-12-31.INI", true},
        {"Scrivlet-2026-3-02.ini", false},  {"Scrivlet-2026-03-02.ini.bak", false},
        {"Scrivlet-2026-03-0x.ini", false}, {"Scrivlet.ini", false},
        {"Notiz-2026-03-02.ini", false},
    };
    for (const auto& c : cases) EXPECT_EQ(DailyBackup::isBackupName(c.name), c.backup) << c.name;
}

}  // namespace
}  // namespace scrivlet
