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
        StartCase{"AValueThatCannotBeWrittenKeepsTheShortcut",
                  [](AutostartStory& s) {
                      s.putShortcut();
                      s.sim.registry.denyWrites(HKCU, RunKey);
                  },
                  0, "<none>", true,
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
