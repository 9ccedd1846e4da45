#include <gtest/gtest.h>

#include "native/sim_desktop.h"
#include "mainwindow/snippet_location.h"
#include "tracking/own_caption.h"

namespace scrivlet {
namespace {

using test::SimDesktop;

struct SnippetLocationTest : ::testing::Test {
    SnippetLocation location() {
        return SnippetLocation({desk.sim.dialogs, desk.sim.files, desk.sim.system}, file, settings, ownCaption("", true), [this] {
            ++loads;
            list = file.load();
        });
    }
    std::string rememberedPath() { return settings.get("path", "<none>"); }
    const std::vector<MessageRequest>& shown() { return desk.sim.dialogs.shown; }

    SimDesktop desk;
    IniAccess ini{desk.sim.profile};
    SnippetFile file{ini, desk.sim.random};
    UserSettings settings{desk.sim.registry};
    SnippetList list;
    int loads = 0;
};

TEST_F(SnippetLocationTest, FirstStartCopiesTheSample) {
    desk.writeFile(SimDesktop::SampleFile, "[Name]\r\n1=Gruß\r\n");
    EXPECT_TRUE(location().locate(SnippetLocation::Mode::Start));
    EXPECT_EQ(file.path(), SimDesktop::StandardFile);
    EXPECT_EQ(rememberedPath(), SimDesktop::StandardFile);
    ASSERT_EQ(list.entries.size(), 1u);
    EXPECT_EQ(list.entries[0].name, "Gruß");
    EXPECT_EQ(desk.fileText(SimDesktop::SampleFile), "[Name]\r\n1=Gruß\r\n");
    EXPECT_TRUE(shown().empty());
}

TEST_F(SnippetLocationTest, FirstStartWithoutSampleCreatesTheFileWithIgnoreTitles) {
    location().locate(SnippetLocation::Mode::Start);
    EXPECT_TRUE(shown().empty());
    EXPECT_TRUE(list.entries.empty());
    EXPECT_EQ(desk.fileText(SimDesktop::StandardFile),
              "[Ignore]\r\n1=DFÜ-Netzwerkmonitor\r\n2=Microsoft Office Shortcut-Leiste\r\n");
}

TEST_F(SnippetLocationTest, ARememberedFileThatIsGoneFallsBackToTheStandardFile) {
    EXPECT_EQ(settings.save("path", "C:\\Weg\\Scrivlet.ini"), WriteResult::Ok);
    location().locate(SnippetLocation::Mode::Start);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].text,
              "Im angegebenen Ordner befindet sich keine Scrivlet-datei.\r\rDie Pfadangabe wird "
              "daher auf Standardwerte zurückgesetzt.");
    EXPECT_EQ(shown()[0].icon, MessageIcon::Information);
    EXPECT_EQ(shown()[0].caption, ownCaption("", true));
    EXPECT_EQ(rememberedPath(), SimDesktop::StandardFile);
    EXPECT_EQ(loads, 1);
}

TEST_F(SnippetLocationTest, ARememberedFileIsUsedAsItIs) {
    desk.writeFile("C:\\Eigene\\Scrivlet.ini", "[Name]\r\n1=eigen\r\n");
    EXPECT_EQ(settings.save("path", "C:\\Eigene\\Scrivlet.ini"), WriteResult::Ok);
    location().locate(SnippetLocation::Mode::Start);
    EXPECT_EQ(file.path(), "C:\\Eigene\\Scrivlet.ini");
    EXPECT_EQ(list.entries.at(0).name, "eigen");
    EXPECT_FALSE(desk.sim.files.attributes(SimDesktop::StandardFile));
}

TEST_F(SnippetLocationTest, ChoosingAFolderWithAFileAsksNothing) {
    desk.writeFile("C:\\Team\\Scrivlet.ini", "[Name]\r\n1=Team\r\n");
    desk.sim.dialogs.chooseFolderNext("C:\\Team");
    EXPECT_TRUE(location().locate(SnippetLocation::Mode::ChooseFolder));
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(desk.sim.dialogs.folderPrompts.at(0), "Bitte wählen Sie den neuen Ablageordner:");
    EXPECT_EQ(rememberedPath(), "C:\\Team\\Scrivlet.ini");
    EXPECT_EQ(list.entries.at(0).name, "Team");
}

TEST_F(SnippetLocationTest, ADriveRootGetsNoDoubledBackslash) {
    desk.sim.dialogs.chooseFolderNext("D:\\");
    desk.sim.files.createFolder("D:\\");
    location().locate(SnippetLocation::Mode::ChooseFolder);
    EXPECT_EQ(file.path(), "D:\\Scrivlet.ini");
    EXPECT_EQ(shown().at(0).icon, MessageIcon::Question);
    EXPECT_EQ(desk.fileText("D:\\Scrivlet.ini"),
              "[Ignore]\r\n1=DFÜ-Netzwerkmonitor\r\n2=Microsoft Office Shortcut-Leiste\r\n");
}

TEST_F(SnippetLocationTest, CancelOrNoChangesNothing) {
    location().locate(SnippetLocation::Mode::Start);
    const int loadsBefore = loads;
    EXPECT_FALSE(location().locate(SnippetLocation::Mode::ChooseFolder));  // chooser cancelled
    desk.sim.files.createFolder("C:\\Leer");
    desk.sim.dialogs.chooseFolderNext("C:\\Leer");
    desk.sim.dialogs.answerNext(MessageAnswer::No);
    EXPECT_FALSE(location().locate(SnippetLocation::Mode::ChooseFolder));
    EXPECT_EQ(loads, loadsBefore);
    EXPECT_EQ(file.path(), SimDesktop::StandardFile);
    EXPECT_EQ(rememberedPath(), SimDesktop::StandardFile);
    EXPECT_FALSE(desk.sim.files.attributes("C:\\Leer\\Scrivlet.ini"));
}

TEST_F(SnippetLocationTest, AFolderThatCannotBeWrittenKeepsTheOldFile) {
    location().locate(SnippetLocation::Mode::Start);
    desk.sim.files.createFolder("C:\\Gesperrt");
    desk.sim.files.denyWrites("C:\\Gesperrt");
    desk.sim.dialogs.chooseFolderNext("C:\\Gesperrt");
    desk.sim.dialogs.answerNext(MessageAnswer::Yes);
    EXPECT_FALSE(location().locate(SnippetLocation::Mode::ChooseFolder));
    ASSERT_EQ(shown().size(), 2u);
    EXPECT_EQ(shown()[1].icon, MessageIcon::Error);
    EXPECT_NE(shown()[1].text.find("C:\\Gesperrt\\Scrivlet.ini"), std::string::npos);
    EXPECT_NE(shown()[1].text.find(SimDesktop::StandardFile), std::string::npos);
    EXPECT_EQ(file.path(), SimDesktop::StandardFile);
    EXPECT_EQ(rememberedPath(), SimDesktop::StandardFile);
}

TEST_F(SnippetLocationTest, ASampleThatCannotBeCopiedIsReportedAndTheProgramGoesOn) {
    desk.writeFile(SimDesktop::SampleFile, "[Name]\r\n1=Gruß\r\n");
    desk.sim.files.denyWrites(SimDesktop::ProgramFolder);
    location().locate(SnippetLocation::Mode::Start);
    ASSERT_GE(shown().size(), 1u);
    EXPECT_NE(shown()[0].text.find("konnte nicht"), std::string::npos);
    EXPECT_EQ(file.path(), SimDesktop::StandardFile);
    EXPECT_TRUE(list.entries.empty());
    EXPECT_EQ(list.ignoreDefaults, WriteResult::Failed);
}

TEST_F(SnippetLocationTest, StandardModeLeavesTheOldFileWhereItIs) {
    const std::string own = "[Name]\r\n1=eigen\r\n[Ignore]\r\n1=x\r\n";
    desk.writeFile("C:\\Eigene\\Scrivlet.ini", own);
    EXPECT_EQ(settings.save("path", "C:\\Eigene\\Scrivlet.ini"), WriteResult::Ok);
    location().locate(SnippetLocation::Mode::Start);
    location().locate(SnippetLocation::Mode::Standard);
    EXPECT_EQ(file.path(), SimDesktop::StandardFile);
    EXPECT_EQ(rememberedPath(), SimDesktop::StandardFile);
    EXPECT_EQ(desk.fileText("C:\\Eigene\\Scrivlet.ini"), own);
    EXPECT_TRUE(shown().empty());
}

}  // namespace
}  // namespace scrivlet
