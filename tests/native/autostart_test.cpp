// The start at logon: the check box of the options dialog and the value
// "Scrivlet" in the user's Run key, and the old shortcut turned into it.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "native/main_window_story.h"
#include "options/options_form.h"

namespace scrivlet {
namespace {

using namespace std::string_literals;
constexpr auto HKCU = RegistryHive::CurrentUser;
const std::string Startup = "C:\\Users\\Anna\\Startmenü\\Programme\\Autostart";
const std::string Shortcut = Startup + "\\Scrivlet.lnk";
const std::string RunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string ApprovedKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

struct AutostartStory : test::MainWindowStory {
    void setRunValue(const std::string& data) {
        ASSERT_TRUE(sim.registry.setValue(HKCU, RunKey, "Scrivlet", {registry_type::String, data + '\0'}));
    }
    std::optional<RegistryValue> runValue() { return sim.registry.queryValue(HKCU, RunKey, "Scrivlet"); }
    std::string runData() {
        const auto value = runValue();
        return value ? value->data : "<none>";
    }
    void withStartupFolder() {
        ASSERT_TRUE(sim.registry.setValue(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                                          "StartUp", {registry_type::String, Startup + '\0'}));
        sim.files.createFolder(Startup);
    }
    void putShortcut(FileAttributes attributes = {}) {
        withStartupFolder();
        writeFile(Shortcut, "L\0\0\0"s);
        sim.files.setAttributes(Shortcut, attributes);
    }
    bool shortcutThere() { return sim.files.attributes(Shortcut).has_value(); }
    // The task manager's switch for the value: 2 on, 3 off, with the time of
    // the change after it.
    void setApproval(unsigned char first) {
        std::string data(12, '\x11');
        data[0] = static_cast<char>(first);
        ASSERT_TRUE(sim.registry.setValue(HKCU, ApprovedKey, "Scrivlet", {registry_type::Binary, data}));
    }
    // The first byte of the switch, -1 without one.
    int approval() {
        const auto value = sim.registry.queryValue(HKCU, ApprovedKey, "Scrivlet");
        return value && !value->data.empty() ? static_cast<unsigned char>(value->data[0]) : -1;
    }
    ui::CheckBox& box() { return shownForm<OptionsForm>("OptionsForm")->autoStartChk; }
    std::vector<std::string> texts() {
        std::vector<std::string> all;
        for (const auto& m : messages()) all.push_back(m.text);
        return all;
    }
    static std::string quoted(const std::string& exe) { return "\"" + exe + "\" /AUTOSTART\0"s; }
    const std::string exe = "C:\\Programme\\Scrivlet\\scrivlet.exe";
};

// ---- the box at start

struct StartCase {
    const char* label;
    std::function<void(AutostartStory&)> arrange;
    int box;
    std::string runData;  // "<none>" when the value is not there
    bool shortcutLeft;
    std::vector<std::string> messages;
};

[[maybe_unused]] void PrintTo(const StartCase& c, std::ostream* out) { *out << c.label; }

class AtStart : public AutostartStory, public ::testing::WithParamInterface<StartCase> {};

TEST_P(AtStart, TheBoxFollowsTheRunValueAndAnOldShortcutBecomesOne) {
    const StartCase& c = GetParam();
    c.arrange(*this);
    startWith(test::snippetFile({{"Brief", "Hallo"}}));
    EXPECT_EQ(box().value(), c.box);
    // A value there is on in the task manager unless the box is clear.
    if (c.box == 1 && runValue()) {
        EXPECT_TRUE(approval() == -1 || approval() % 2 == 0) << approval();
    }
    EXPECT_EQ(runData(), c.runData);
    EXPECT_EQ(shortcutThere(), c.shortcutLeft);
    EXPECT_EQ(texts(), c.messages);
    for (const auto& m : messages()) EXPECT_EQ(m.caption, form().caption());
}

const std::string Quoted = "\"C:\\Programme\\Scrivlet\\scrivlet.exe\" /AUTOSTART\0"s;

INSTANTIATE_TEST_SUITE_P(
    Cases, AtStart,
    ::testing::Values(
        StartCase{"NothingThere", [](AutostartStory&) {}, 0, "<none>", false, {}},
        StartCase{"AValueWrittenBeforeCountsUnchanged",
                  [](AutostartStory& s) { s.setRunValue("C:\\Alt\\scrivlet.exe /AUTOSTART"); }, 1,
                  "C:\\Alt\\scrivlet.exe /AUTOSTART\0"s, false, {}},
        StartCase{"AShortcutBecomesTheValue", [](AutostartStory& s) { s.putShortcut(); }, 1, Quoted, false, {}},
        StartCase{"AValueSwitchedOffInTheTaskManagerCountsAsOff",
                  [](AutostartStory& s) {
                      s.setRunValue(Quoted.substr(0, Quoted.size() - 1));
                      s.setApproval(3);
                  },
                  0, Quoted, false, {}},
        StartCase{"AValueSwitchedOnAgainCounts",
                  [](AutostartStory& s) {
                      s.setRunValue(Quoted.substr(0, Quoted.size() - 1));
                      s.setApproval(2);
                  },
                  1, Quoted, false, {}},
        StartCase{"AShortcutBesideASwitchedOffValueBecomesTheValueSwitchedOn",
                  [](AutostartStory& s) {
                      s.setRunValue("C:\\Alt\\scrivlet.exe /AUTOSTART");
                      s.setApproval(3);
                      s.putShortcut();
                  },
                  1, Quoted, false, {}},
        StartCase{"AReadOnlyShortcutGoesWithoutAWord",
                  [](AutostartStory& s) { s.putShortcut({false, false, false, true}); }, 1, Quoted, false, {}},
        StartCase{"AHiddenShortcutIsNotSeen", [](AutostartStory& s) { s.putShortcut({false, true, false, false}); },
                  0, "<none>", true, {}},
        StartCase{"ASystemShortcutIsNotSeen", [](AutostartStory& s) { s.putShortcut({false, false, true, false}); },
                  0, "<none>", true, {}},
        StartCase{"WithoutTheStartupFolderNothingIsConverted",
                  [](AutostartStory& s) {
                      s.putShortcut();
                      s.sim.registry.deleteValue(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                                                       "Shell Folders", "Startup");
                  },
                  0, "<none>", true, {}},
        StartCase{"AShortcutThatCannotGoIsReportedAndTheValueWritten",
                  [](AutostartStory& s) {
                      s.putShortcut();
                      s.sim.files.denyWrites(Startup);
                  },
                  1, Quoted, true, {"Datei nicht löschbar: " + Shortcut}},
        StartCase{"LockedAttributesAreReportedAndTheShortcutStillGoes",
                  [](AutostartStory& s) {
                      s.putShortcut();
                      s.sim.files.lockAttributes(Shortcut);
                  },
                  1, Quoted, false, {"Attribute nicht löschbar: " + Shortcut}},
        StartCase{"AValueThatCannotBeWrittenKeepsTheShortcutWhichStillStartsIt",
                  [](AutostartStory& s) {
                      s.putShortcut();
                      s.sim.registry.denyWrites(HKCU, RunKey);
                  },
                  1, "<none>", true,
                  {"Scrivlet konnte nicht für den Aufruf beim Systemstart eingetragen werden: Der Wert 'Scrivlet' im "
                   "Registrierungsschlüssel 'HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run' "
                   "lässt sich nicht schreiben.\r\rBitte prüfen Sie Ihre Berechtigungen für diesen Schlüssel."}}),
    [](const auto& p) { return std::string(p.param.label); });

// ---- ticking and clearing

struct PathCase {
    const char* label;
    std::string exe;
};

[[maybe_unused]] void PrintTo(const PathCase& c, std::ostream* out) { *out << c.label; }

class Ticking : public AutostartStory, public ::testing::WithParamInterface<PathCase> {};

TEST_P(Ticking, WritesTheQuotedPathAndClearingDeletesIt) {
    const std::string& program_exe = GetParam().exe;
    sim.system.executablePath_ = program_exe;
    sim.files.createFolder(program_exe.substr(0, program_exe.rfind('\\')));
    start();
    ASSERT_EQ(box().value(), 0);
    box().click();
    const auto value = runValue();
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, registry_type::String);
    EXPECT_EQ(value->data, quoted(program_exe));
    box().click();
    EXPECT_FALSE(runValue().has_value());
    EXPECT_EQ(box().value(), 0);
    EXPECT_TRUE(messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Paths, Ticking,
                         ::testing::Values(PathCase{"WithoutBlanks", "C:\\Programme\\Scrivlet\\scrivlet.exe"},
                                           PathCase{"WithBlanks", "C:\\Program Files\\Scrivlet 2\\scrivlet.exe"},
                                           PathCase{"WithAComma", "D:\\Tools, alt\\scrivlet.exe"}),
                         [](const auto& p) { return std::string(p.param.label); });

TEST_F(AutostartStory, TickingAgainCorrectsThePathOfAMovedProgram) {
    setRunValue("C:\\Alt\\scrivlet.exe /AUTOSTART");
    startWith(test::snippetFile({{"Brief", "Hallo"}}));
    box().click();
    box().click();
    EXPECT_EQ(runData(), quoted(exe));
}

struct FailureCase {
    const char* label;
    bool valueBefore;
    std::string message;
};

[[maybe_unused]] void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.label; }

class RegistryRefuses : public AutostartStory, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(RegistryRefuses, OneMessageAndTheBoxShowsTheRegistryAgain) {
    const FailureCase& c = GetParam();
    if (c.valueBefore) setRunValue("\"" + exe + "\" /AUTOSTART");
    startWith(test::snippetFile({{"Brief", "Hallo"}}));
    ASSERT_EQ(box().value(), c.valueBefore ? 1 : 0);
    sim.registry.denyWrites(HKCU, RunKey);
    const std::string before = runData();
    box().click();
    EXPECT_EQ(box().value(), c.valueBefore ? 1 : 0);
    EXPECT_EQ(runData(), before);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].icon, MessageIcon::Error);
    EXPECT_EQ(messages()[0].text, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, RegistryRefuses,
    ::testing::Values(
        FailureCase{"Tick", false,
                    "Scrivlet konnte nicht für den Aufruf beim Systemstart eingetragen werden: Der Wert 'Scrivlet' "
                    "im Registrierungsschlüssel 'HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\"
                    "Run' lässt sich nicht schreiben.\r\rBitte prüfen Sie Ihre Berechtigungen für diesen Schlüssel."},
        FailureCase{"Clear", true,
                    "Der Aufruf beim Systemstart konnte nicht abgestellt werden: Der Wert 'Scrivlet' im "
                    "Registrierungsschlüssel 'HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\"
                    "Run' lässt sich nicht löschen.\r\rBitte prüfen Sie Ihre Berechtigungen für diesen Schlüssel."}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(AutostartStory, ClearingAValueAnotherProgramRemovedMeanwhileSucceeds) {
    setRunValue("\"" + exe + "\" /AUTOSTART");
    startWith(test::snippetFile({{"Brief", "Hallo"}}));
    ASSERT_EQ(box().value(), 1);
    ASSERT_TRUE(sim.registry.deleteValue(HKCU, RunKey, "Scrivlet"));
    box().click();
    EXPECT_EQ(box().value(), 0);
    EXPECT_FALSE(runValue().has_value());
    EXPECT_TRUE(messages().empty());
}

// ---- the box changed: afterwards it shows whether the program will start

struct ChangeCase {
    const char* label;
    std::function<void(AutostartStory&)> arrange;  // before the start
    int before;                                     // the box at start
    std::function<void(AutostartStory&)> meanwhile = [](AutostartStory&) {};
    int after = 0;
    std::string runData;  // "<none>" when the value is not there
    int approval = -1;    // the switch's first byte, -1 without one
    bool shortcutLeft = false;
    std::vector<std::string> messages = {};
};

[[maybe_unused]] void PrintTo(const ChangeCase& c, std::ostream* out) { *out << c.label; }

class Changing : public AutostartStory, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(Changing, TheBoxShowsWhetherTheProgramWillStartAtLogon) {
    const ChangeCase& c = GetParam();
    c.arrange(*this);
    startWith(test::snippetFile({{"Brief", "Hallo"}}));
    ASSERT_EQ(box().value(), c.before);
    c.meanwhile(*this);
    box().click();
    EXPECT_EQ(box().value(), c.after);
    EXPECT_EQ(runData(), c.runData);
    EXPECT_EQ(approval(), c.approval);
    EXPECT_EQ(shortcutThere(), c.shortcutLeft);
    EXPECT_EQ(texts(), c.messages);
}

const std::string Approved =
    "HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

INSTANTIATE_TEST_SUITE_P(
    Cases, Changing,
    ::testing::Values(
        ChangeCase{"TickingSwitchesOnWhatTheTaskManagerSwitchedOff",
                   [](AutostartStory& s) {
                       s.setRunValue(Quoted.substr(0, Quoted.size() - 1));
                       s.setApproval(3);
                   },
                   0, [](AutostartStory&) {}, 1, Quoted, 2},
        ChangeCase{"ASwitchThatCannotBeClearedIsReported",
                   [](AutostartStory& s) {
                       s.setRunValue(Quoted.substr(0, Quoted.size() - 1));
                       s.setApproval(3);
                   },
                   0, [](AutostartStory& s) { s.sim.registry.denyWrites(HKCU, ApprovedKey); }, 0, Quoted, 3, false,
                   {"Scrivlet konnte nicht für den Aufruf beim Systemstart eingetragen werden: Der Wert 'Scrivlet' "
                    "im Registrierungsschlüssel '" + Approved + "' lässt sich nicht schreiben.\r\rBitte prüfen Sie "
                    "Ihre Berechtigungen für diesen Schlüssel."}},
        ChangeCase{"ClearingASwitchedOnValueLeavesTheSwitch",
                   [](AutostartStory& s) {
                       s.setRunValue(Quoted.substr(0, Quoted.size() - 1));
                       s.setApproval(2);
                   },
                   1, [](AutostartStory&) {}, 0, "<none>", 2},
        ChangeCase{"ClearingRemovesTheShortcutTheValueCouldNotReplace",
                   [](AutostartStory& s) {
                       s.putShortcut();
                       s.sim.registry.denyWrites(HKCU, RunKey);
                   },
                   1, [](AutostartStory& s) { s.sim.dialogs.shown.clear(); }, 0, "<none>", -1, false},
        ChangeCase{"AShortcutThatCannotGoKeepsTheBoxTicked",
                   [](AutostartStory& s) {
                       s.putShortcut();
                       s.sim.registry.denyWrites(HKCU, RunKey);
                   },
                   1,
                   [](AutostartStory& s) {
                       s.sim.dialogs.shown.clear();
                       s.sim.files.denyWrites(Startup);
                   },
                   1, "<none>", -1, true, {"Datei nicht löschbar: " + Shortcut}}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(AutostartStory, OpeningTheDialogShowsASwitchOffMadeMeanwhile) {
    setRunValue("\"" + exe + "\" /AUTOSTART");
    startWith(test::snippetFile({{"Brief", "Hallo"}}));
    ASSERT_EQ(box().value(), 1);
    setApproval(3);
    form().btnOptions.click();
    EXPECT_EQ(box().value(), 0);
    EXPECT_EQ(approval(), 3) << "showing writes nothing";
    EXPECT_TRUE(runValue().has_value());
}

TEST_F(AutostartStory, TheCloseBoxDoesNotUndoATick) {
    startWith(test::snippetFile({{"Brief", "Hallo"}}));
    form().btnOptions.click();
    box().click();
    shownForm<OptionsForm>("OptionsForm")->requestClose(ui::CloseReason::User);
    EXPECT_EQ(runData(), quoted(exe));
    EXPECT_EQ(box().value(), 1);
}

}  // namespace
}  // namespace scrivlet
