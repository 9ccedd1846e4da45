#include <gtest/gtest.h>

#include "native/main_window_story.h"
#include "store/entry_cipher.h"
#include "mainwindow/editor_text.h"
#include "tracking/own_caption.h"

namespace scrivlet {
namespace {

using test::snippetFile;

struct MainWindowTest : test::MainWindowStory {};

TEST_F(MainWindowTest, WithoutEntriesEverythingThatNeedsOneIsOff) {
    startWith("");
    MainForm& f = form();
    EXPECT_EQ(f.caption(), ownCaption("", true));
    for (ui::Control* c : std::initializer_list<ui::Control*>{
             &f.lbEntryList, &f.ghostTextTB, &f.optLastWindow, &f.optTitle, &f.label1,
             &f.destinationTextList, &f.cryptChk, &f.dosBoxChk, &f.btnDelete, &f.btnRename})
        EXPECT_FALSE(c->enabled()) << c->name();
    for (ui::Control* c : std::initializer_list<ui::Control*>{&f.btnNew, &f.btnOk, &f.btnHelp, &f.btnInfo,
                                                               &f.btnDebug, &f.btnOptions})
        EXPECT_TRUE(c->enabled()) << c->name();
    EXPECT_EQ(f.lbEntryList.backColour(), f.backColour());
    EXPECT_EQ(f.destinationTextList.backColour(), f.backColour());
    for (ui::MenuItem* item : {&f.miCut, &f.miCopy, &f.miPaste, &f.miDelete, &f.miFind, &f.miFindNext})
        EXPECT_FALSE(item->enabled()) << item->caption();
    EXPECT_FALSE(f.miRenameEntry.enabled());
    EXPECT_FALSE(f.miDeleteEntry.enabled());
    EXPECT_TRUE(f.miNewEntry.enabled());
}

TEST_F(MainWindowTest, AfterLoadingTheFirstNameInSortedOrderIsShown) {
    startWith(snippetFile({{"beta", "b"}, {"Alpha", "A\\Nz"}, {"Zeta", "z"}}));
    MainForm& f = form();
    EXPECT_EQ(listed(), (std::vector<std::string>{"Alpha", "beta", "Zeta"}));
    EXPECT_EQ(f.lbEntryList.listIndex(), 0);
    EXPECT_EQ(f.ghostTextTB.text(), "A\uF0C3\r\nz");
    // The editor writes into the entry it shows.
    f.ghostTextTB.type("!");
    f.ghostTextTB.loseFocus();
    EXPECT_EQ(stored("Text", 2), "!A\\Nz");
    EXPECT_TRUE(f.ghostTextTB.enabled());
    EXPECT_EQ(f.ghostTextTB.backColour(), WindowBackgroundColour);
    EXPECT_TRUE(f.optLastWindow.value());
    EXPECT_FALSE(f.destinationTextList.enabled());
    EXPECT_TRUE(messages().empty());
}

TEST_F(MainWindowTest, EnterAndTabBecomeMarkersAndSurviveTheFile) {
    startWith(snippetFile({{"Brief", ""}}));
    ui::RichEdit& editor = form().ghostTextTB;
    editor.type("a\rb");
    editor.type("\t", ui::shift::Shift);  // Shift+Tab inserts the same marker
    editor.type("c");
    EXPECT_EQ(editor.text(), "a\uF0C3\r\nb\uF0F0\r\nc");
    EXPECT_EQ(editor.formatAt(1).colour, EnterMarkerColour);
    EXPECT_EQ(editor.formatAt(1).font, "wingdings");
    EXPECT_EQ(editor.formatAt(7).colour, TabMarkerColour);  // positions count UTF-8 bytes
    EXPECT_EQ(editor.formatAt(12).font, "arial");
    EXPECT_EQ(editor.formatAt(12).colour, TextColour);
    form().cryptChk.click();  // the editor loses the focus to the check box
    form().cryptChk.loseFocus();
    EXPECT_EQ(stored("Crypt", 1), "1");
    EXPECT_EQ(decipherText(stored("Text", 1)), "a\\Nb\\Tc");

    start();
    EXPECT_EQ(form().ghostTextTB.text(), "a\uF0C3\r\nb\uF0F0\r\nc");
    EXPECT_EQ(form().cryptChk.value(), 1);
}

TEST_F(MainWindowTest, TypingRightAfterAMarkerLandsOnTheNextLine) {
    startWith(snippetFile({{"Brief", "a\\N"}}));
    ui::RichEdit& editor = form().ghostTextTB;
    editor.setSelStart(4);  // between the marker (three bytes) and its line break
    editor.type("x");
    EXPECT_EQ(editor.text(), "a\uF0C3\r\nx");
    editor.setSelStart(4);
    editor.type("\r");
    EXPECT_EQ(editor.text(), "a\uF0C3\r\n\uF0C3\r\nx");
}

TEST_F(MainWindowTest, FillingTheEditorLetsNoOtherEventRunInBetween) {
    std::string longText;
    for (int i = 0; i < 2000; ++i) longText += i % 16 == 0 ? "\\N" : "x";
    startWith(snippetFile({{"a lang", longText.c_str()}, {"b kurz", "kurz"}}));
    // A click on the other entry waits among the pending events.
    sim.ui.post([this] { form().lbEntryList.setListIndex(1); });
    const int before = sim.ui.doEventsCalls;
    form().lbEntryList.setListIndex(1);
    form().lbEntryList.setListIndex(0);
    EXPECT_EQ(sim.ui.doEventsCalls, before);
    // Each Enter a marker of three bytes and a line break.
    EXPECT_EQ(form().ghostTextTB.text().size(), 2000u + 4 * 125);
    form().ghostTextTB.loseFocus();
    EXPECT_EQ(stored("Text", 1), longText);
}

TEST_F(MainWindowTest, ChoosingTheTitleModeWithAnEmptyBoxKeepsItUntilTheBoxIsLeft) {
    startWith(snippetFile({{"Brief", "x"}}) + "[DosBox]\r\n1=1\r\n");
    MainForm& f = form();
    f.optTitle.click();
    EXPECT_TRUE(f.optTitle.value());
    EXPECT_TRUE(f.destinationTextList.enabled());
    EXPECT_TRUE(f.destinationTextList.hasFocus());
    f.destinationTextList.loseFocus();
    EXPECT_TRUE(f.optLastWindow.value());
    EXPECT_FALSE(f.destinationTextList.enabled());
    EXPECT_EQ(stored("Title", 1), "");
    EXPECT_EQ(stored("DosBox", 1), "0");
    EXPECT_EQ(f.dosBoxChk.value(), 1);  // the check box itself is not changed

    f.optTitle.click();
    f.destinationTextList.reportText("  Editor ");
    f.destinationTextList.loseFocus();
    // Written as typed, in quotes that keep its blanks.
    EXPECT_NE(fileText(StandardFile).find("[Title]\r\n1=\"  Editor \"\r\n"), std::string::npos);
    EXPECT_EQ(stored("Title", 1), "  Editor ");
    EXPECT_EQ(f.destinationTextList.count(), 1);
    EXPECT_EQ(f.destinationTextList.itemText(0), "Editor");
    f.dosBoxChk.click();
    EXPECT_EQ(stored("DosBox", 1), "0");
}

TEST_F(MainWindowTest, AFileThatCannotBeWrittenIsReportedOnceAtStart) {
    writeFile(StandardFile, "[Name]\r\n1=a\r\n");  // no ignore titles: loading writes the defaults
    sim.files.setAttributes(StandardFile, {false, false, false, true});
    start();  // the file is loaded twice
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].text.find("kann nicht beschrieben werden"), std::string::npos);
}

TEST_F(MainWindowTest, LoadingAnEntryWithATitleWritesNothing) {
    startWith(snippetFile({{"a", "x"}, {"b", "y"}}) + "[Title]\r\n2= Editor \r\n[DosBox]\r\n2=-1\r\n");
    const std::string bytes = fileText(StandardFile);
    form().lbEntryList.setListIndex(1);
    EXPECT_TRUE(form().optTitle.value());
    EXPECT_EQ(form().destinationTextList.text(), "Editor");
    EXPECT_EQ(form().dosBoxChk.value(), 1);
    form().lbEntryList.setListIndex(0);
    EXPECT_TRUE(form().optLastWindow.value());
    EXPECT_EQ(fileText(StandardFile), bytes);
}

TEST_F(MainWindowTest, EditCommandsFollowSelectionAndClipboard) {
    startWith(snippetFile({{"a", "Hallo Welt"}}));
    MainForm& f = form();
    f.mBearbeiten.open();
    EXPECT_FALSE(f.miCopy.enabled());
    EXPECT_FALSE(f.miPaste.enabled());
    f.ghostTextTB.setSelStart(0);
    f.ghostTextTB.setSelLength(5);
    f.mBearbeiten.open();
    EXPECT_TRUE(f.miCut.enabled());
    choose(f.mBearbeiten, f.miCut);
    EXPECT_EQ(sim.clipboard.content, "Hallo");
    EXPECT_EQ(f.ghostTextTB.text(), " Welt");
    f.mBearbeiten.open();
    EXPECT_TRUE(f.miPaste.enabled());
    f.ghostTextTB.setSelStart(5);
    choose(f.mBearbeiten, f.miPaste);
    EXPECT_EQ(f.ghostTextTB.text(), " WeltHallo");

    sim.clipboard.locked = true;  // another program holds the clipboard
    f.ghostTextTB.setSelStart(0);
    f.ghostTextTB.setSelLength(3);
    choose(f.mBearbeiten, f.miCut);
    EXPECT_EQ(f.ghostTextTB.text(), " WeltHallo");  // nothing cut that was not copied
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(MainWindowTest, SearchFindsForwardIgnoringCaseAndStopsAtTheEnd) {
    startWith(snippetFile({{"a", "abc ABC abc"}}));
    MainForm& f = form();
    sim.dialogs.answerInput("abc");
    choose(f.mBearbeiten, f.miFind);
    EXPECT_EQ(sim.dialogs.inputBoxes.back().prompt, "Suchen nach:");
    EXPECT_EQ(sim.dialogs.inputBoxes.back().caption, ownCaption("", true));
    const std::pair<int, int> expected[] = {{0, 3}, {4, 3}, {8, 3}, {8, 3}};
    for (int step = 0; step < 4; ++step) {
        if (step > 0) choose(f.mBearbeiten, f.miFindNext);
        EXPECT_EQ(f.ghostTextTB.selStart(), expected[step].first) << step;
        EXPECT_EQ(f.ghostTextTB.selLength(), expected[step].second) << step;
    }
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Die Suche ist am Ende des Textes angekommen.");
    EXPECT_TRUE(f.ghostTextTB.hasFocus());

    choose(f.mBearbeiten, f.miFind);  // cancelled: the term is emptied
    EXPECT_EQ(sim.dialogs.inputBoxes.back().preset, "abc");
    f.mBearbeiten.open();
    EXPECT_FALSE(f.miFindNext.enabled());
}

TEST_F(MainWindowTest, TheEditorsContextMenuIsTheEditMenu) {
    startWith(snippetFile({{"a", "x"}}));
    form().ghostTextTB.mouseDown({ui::MouseButton::Right, ui::shift::None, {}});
    form().ghostTextTB.mouseDown({ui::MouseButton::Right, ui::shift::Ctrl, {}});
    form().ghostTextTB.mouseDown({ui::MouseButton::Left, ui::shift::None, {}});
    EXPECT_EQ(sim.ui.menusShown, std::vector<std::string>{"&Bearbeiten"});
}

TEST_F(MainWindowTest, TheCloseBoxHidesAndQuitEndsTheProgram) {
    startWith("");
    EXPECT_FALSE(form().visible());  // the program lives in the notification area
    form().show();
    EXPECT_FALSE(form().requestClose(ui::CloseReason::User));
    EXPECT_FALSE(form().visible());
    EXPECT_FALSE(sim.ui.quitRequested);
    choose(form().mDatei, form().miQuit);
    EXPECT_TRUE(form().unloaded());
    EXPECT_TRUE(sim.ui.quitRequested);
    EXPECT_NE(UserSettings(sim.registry).get("_Width", ""), "");
    EXPECT_TRUE(sim.tray.icons.empty());
    EXPECT_EQ(sim.tray.hookedWindow, 0u);
}

TEST(DebugCommandLine, OnlyTheWordDebugInAnyCase) {
    const struct {
        const char* line;
        bool debug;
    } cases[] = {{"debug", true}, {"  DeBuG ", true}, {"DEBUG", true}, {"debug x", false},
                 {"-debug", false}, {"/AUTOSTART", false}, {"", false}};
    for (const auto& c : cases) EXPECT_EQ(isDebugCommandLine(c.line), c.debug) << c.line;
}

}  // namespace
}  // namespace scrivlet
