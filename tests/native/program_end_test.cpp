// How the program ends, and that the text in the editor is not lost on the way.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "native/main_window_story.h"

namespace scrivlet {
namespace {

using test::snippetFile;

struct ProgramEndTest : test::MainWindowStory {
    // The user types at the end of the shown entry, and the editor keeps the focus.
    void typeIntoEditor(const std::string& keys) {
        ui::RichEdit& editor = form().ghostTextTB;
        form().moveFocus(&editor);
        editor.setSelStart(static_cast<int>(editor.text().size()));
        editor.type(keys);
    }
    int errorMessages() {
        int n = 0;
        for (const auto& m : messages()) n += m.icon == MessageIcon::Error;
        return n;
    }
};

struct EndCase {
    const char* label;
    std::function<void(ProgramEndTest&)> end;
};

[[maybe_unused]] void PrintTo(const EndCase& c, std::ostream* out) { *out << c.label; }

class EveryEnd : public ProgramEndTest, public ::testing::WithParamInterface<EndCase> {};

const EndCase Ends[] = {
    {"MenuBarQuit", [](ProgramEndTest& t) { t.choose(t.form().mDatei, t.form().miQuit); }},
    {"PopupQuit",
     [](ProgramEndTest& t) {
         EXPECT_TRUE(t.chooseFromIconMenu("&Beenden"));
     }},
    {"CloseRequestFromAnotherProgram",
     [](ProgramEndTest& t) { EXPECT_TRUE(t.form().requestClose(ui::CloseReason::TaskManager)); }},
    {"SessionEnds",
     [](ProgramEndTest& t) {
         EXPECT_TRUE(t.form().queryEndSession());
         EXPECT_TRUE(t.form().requestClose(ui::CloseReason::SystemShutdown));
     }},
};

TEST_P(EveryEnd, WritesTheEditorsTextBeforeTheProgramEnds) {
    startWith(snippetFile({{"Brief", "Hallo"}}));
    typeIntoEditor(" Welt\r!");
    GetParam().end(*this);
    EXPECT_TRUE(form().unloaded());
    EXPECT_TRUE(sim.ui.quitRequested);
    EXPECT_EQ(stored("Text", 1), "Hallo Welt\\N!");
    EXPECT_EQ(stored("Crypt", 1), "0");
    EXPECT_TRUE(messages().empty());
}

TEST_P(EveryEnd, AFailedWriteIsReportedOnce) {
    startWith(snippetFile({{"Brief", "Hallo"}}));
    typeIntoEditor(" Welt");
    sim.files.setAttributes(StandardFile, {false, false, false, true});
    GetParam().end(*this);
    EXPECT_TRUE(sim.ui.quitRequested);
    EXPECT_EQ(errorMessages(), 1);
    EXPECT_EQ(stored("Text", 1), "Hallo");
}

TEST_P(EveryEnd, AnUnchangedTextIsNotWrittenAgain) {
    // Enciphered, a write would change the stored bytes (a new salt); on a
    // read-only file it would be reported at every end.
    startWith("[Name]\r\n1=Brief\r\n[Text]\r\n1=Hallo\r\n[Crypt]\r\n1=1\r\n");
    sim.files.setAttributes(StandardFile, {false, false, false, true});
    const std::string before = fileText(StandardFile);
    GetParam().end(*this);
    EXPECT_TRUE(sim.ui.quitRequested);
    EXPECT_EQ(fileText(StandardFile), before);
    EXPECT_EQ(errorMessages(), 0);
}

INSTANTIATE_TEST_SUITE_P(Ends, EveryEnd, ::testing::ValuesIn(Ends),
                         [](const auto& p) { return std::string(p.param.label); });

TEST_F(ProgramEndTest, TheSessionEndingIsAnsweredBySavingAndTheProgramLivesUntilItEnds) {
    startWith(snippetFile({{"Brief", "Hallo"}}));
    typeIntoEditor("1");
    EXPECT_TRUE(form().queryEndSession());
    EXPECT_EQ(stored("Text", 1), "Hallo1");
    // Another program refused to end: the session goes on, and so does the user.
    EXPECT_FALSE(form().unloaded());
    EXPECT_FALSE(sim.ui.quitRequested);
    typeIntoEditor("2");
    choose(form().mDatei, form().miQuit);
    EXPECT_EQ(stored("Text", 1), "Hallo12");
    EXPECT_TRUE(messages().empty());
}

TEST_F(ProgramEndTest, OnlyTheUsersCloseRequestHides) {
    startWith(snippetFile({{"Brief", "Hallo"}}));
    form().show();
    typeIntoEditor("!");
    EXPECT_FALSE(form().requestClose(ui::CloseReason::User));
    EXPECT_FALSE(form().visible());
    EXPECT_FALSE(form().unloaded());
    EXPECT_FALSE(sim.ui.quitRequested);
    EXPECT_EQ(stored("Text", 1), "Hallo") << "hiding is no end: the text is written when the editor is left";
}

TEST_F(ProgramEndTest, WithoutEntriesNothingIsWritten) {
    startWith("");
    const std::string before = fileText(StandardFile);
    choose(form().mDatei, form().miQuit);
    EXPECT_TRUE(sim.ui.quitRequested);
    EXPECT_EQ(fileText(StandardFile), before);
    EXPECT_TRUE(messages().empty());
}

}  // namespace
}  // namespace scrivlet
