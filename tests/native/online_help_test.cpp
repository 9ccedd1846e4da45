// The help command: which start page the browser receives, and what the user
// is told when the help pages are not installed.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "native/main_window_story.h"

namespace scrivlet {
namespace {

using test::snippetFile;

enum class Kind { Page, Hidden, System, Folder };

struct Present {
    const char* path;  // below the program's folder
    Kind kind = Kind::Page;
};

struct HelpCase {
    const char* label;
    std::vector<Present> present;
    const char* opened;  // below the program's folder; "" for the message
};

[[maybe_unused]] void PrintTo(const HelpCase& c, std::ostream* out) { *out << c.label; }

struct OnlineHelpTest : test::MainWindowStory {
    void install(const Present& p) {
        const std::string path = std::string(ProgramFolder) + "\\" + p.path;
        if (p.kind == Kind::Folder) {
            ASSERT_TRUE(sim.files.createFolder(path));
            return;
        }
        writeFile(path, "<html></html>");
        ASSERT_TRUE(sim.files.setAttributes(path, {false, p.kind == Kind::Hidden, p.kind == Kind::System, false}));
    }
    std::vector<std::string> expectedOpened(const std::string& page) {
        if (page.empty()) return {};
        return {std::string(ProgramFolder) + "\\" + page};
    }
    static constexpr const char* Missing = "Die Online-Hilfe konnte leider nicht gefunden werden ...";
};

class HelpPages : public OnlineHelpTest, public ::testing::WithParamInterface<HelpCase> {};

const HelpCase Cases[] = {
    {"NoPagesGiveTheMessage", {}, ""},
    {"TheProgramsFolderComesBeforeTheSubfolder", {{"index.htm"}, {"hilfe\\index.htm"}}, "index.htm"},
    {"OnlyTheLastCandidateIsFoundAfterSevenTries", {{"hilfe\\hilfe.html"}}, "hilfe\\hilfe.html"},
    {"AFolderNamedLikeThePageDoesNotCount", {{"index.htm", Kind::Folder}, {"hilfe\\index.htm"}}, "hilfe\\index.htm"},
    {"AHiddenPageIsSkipped", {{"index.htm", Kind::Hidden}, {"index.html"}}, "index.html"},
    {"ASystemFileIsSkipped", {{"hilfe.htm", Kind::System}, {"hilfe\\index.html"}}, "hilfe\\index.html"},
    {"OnlyAHiddenPageGivesTheMessage", {{"hilfe\\index.htm", Kind::Hidden}}, ""},
    {"NamesInOtherLetterCaseAreFound", {{"HILFE\\Index.HTM"}}, "hilfe\\index.htm"},
    {"OtherNamesDoNotCount",
     {{"help.htm"}, {"index.txt"}, {"index.htm.bak"}, {"hilfe\\start.htm"}, {"doku\\index.htm"}},
     ""},
};

TEST_P(HelpPages, TheButtonOpensTheFirstPageFoundOrTellsTheUser) {
    for (const Present& p : GetParam().present) install(p);
    startWith(snippetFile({{"Brief", "Hallo"}}));
    form().btnHelp.click();
    EXPECT_EQ(sim.programs.opened, expectedOpened(GetParam().opened));
    if (*GetParam().opened) {
        EXPECT_TRUE(messages().empty());
    } else {
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0].text, Missing);
        EXPECT_EQ(messages()[0].caption, form().caption());
        EXPECT_EQ(messages()[0].icon, MessageIcon::Information);
        EXPECT_EQ(messages()[0].buttons, MessageButtons::Ok);
    }
    // The command starts nothing itself: the shell chooses the program.
    EXPECT_TRUE(sim.programs.tried.empty());
}

INSTANTIATE_TEST_SUITE_P(Places, HelpPages, ::testing::ValuesIn(Cases),
                         [](const auto& p) { return std::string(p.param.label); });

// Each page of the order is found while it and all after it are there.
TEST_F(OnlineHelpTest, TheEightPlacesAreTriedInTheirOrder) {
    const char* const order[] = {"index.htm",        "index.html",        "hilfe.htm",        "hilfe.html",
                                 "hilfe\\index.htm", "hilfe\\index.html", "hilfe\\hilfe.htm", "hilfe\\hilfe.html"};
    for (const char* page : order) install({page});
    startWith(snippetFile({{"Brief", "Hallo"}}));
    std::vector<std::string> expected;
    for (const char* page : order) {
        form().btnHelp.click();
        expected.push_back(std::string(ProgramFolder) + "\\" + page);
        ASSERT_TRUE(sim.files.remove(expected.back()));
    }
    EXPECT_EQ(sim.programs.opened, expected);
    form().btnHelp.click();
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(OnlineHelpTest, TheMenuItemOpensThePageAsTheButtonDoes) {
    install({"hilfe\\index.htm"});
    startWith(snippetFile({{"Brief", "Hallo"}}));
    choose(form().mHilfe, form().miHelp);  // "&?" - "&Hilfe"
    EXPECT_EQ(sim.programs.opened, expectedOpened("hilfe\\index.htm"));
}

TEST_F(OnlineHelpTest, TheProgramsFolderIsWhereverTheProgramRuns) {
    sim.system.executablePath_ = "D:\\Werkzeug\\Text Bausteine\\scrivlet.exe";
    writeFile("D:\\Werkzeug\\Text Bausteine\\Scrivlet.ini", snippetFile({{"Brief", "Hallo"}}));
    writeFile("D:\\Werkzeug\\Text Bausteine\\hilfe\\index.htm", "<html></html>");
    install({"index.htm"});  // beside another copy of the program
    start();
    form().btnHelp.click();
    EXPECT_EQ(sim.programs.opened, std::vector<std::string>{"D:\\Werkzeug\\Text Bausteine\\hilfe\\index.htm"});
}

TEST_F(OnlineHelpTest, APageTheShellCannotOpenIsNotReported) {
    install({"index.htm"});
    sim.programs.associations.clear();
    startWith(snippetFile({{"Brief", "Hallo"}}));
    form().btnHelp.click();
    EXPECT_TRUE(sim.programs.opened.empty());
    EXPECT_TRUE(messages().empty());
}

}  // namespace
}  // namespace scrivlet
