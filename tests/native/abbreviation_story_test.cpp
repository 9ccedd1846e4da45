#include <gtest/gtest.h>

#include <functional>

#include "native/main_window_story.h"
#include "options/options_form.h"

namespace scrivlet {
namespace {

using Kind = SimWindowSystem::Kind;
using Key = TypedKey::Kind;

// Three entries with abbreviations; the third types its own abbreviation, the
// fourth is a console entry, and "alt" names an entry that is gone.
const std::string Entries =
    "[Name]\r\n1=Grußformel\r\n2=Adresse\r\n3=Selbst\r\n4=Konsole\r\n"
    "[Text]\r\n1=Mit freundlichen Grüßen\r\n2=Hauptstr. 1\\N12345 Stadt\r\n3=sel und sel\r\n4=dir\r\n"
    "[Crypt]\r\n1=0\r\n2=0\r\n3=0\r\n4=0\r\n[DosBox]\r\n4=1\r\n"
    "[Ignore]\r\n1=DFÜ-Netzwerkmonitor\r\n"
    "[Kuerzel]\r\nmfg=Grußformel\r\nadr=Adresse\r\nsel=Selbst\r\nkon=Konsole\r\nalt=Gelöscht\r\n";

struct AbbreviationStory : test::MainWindowStory {
    void start(const std::string& common = "") {
        startWith(Entries + (common.empty() ? "" : "[Common]\r\n" + common));
        notepad = sim.windows.open("Unbenannt - Editor", Kind::Notepad);
    }
    std::string text(WindowId window = 0) { return sim.windows.window(window ? window : notepad).text; }
    SimKeyboardWatch& keyboard() { return sim.keyboard; }
    WindowId notepad = 0;
};

// ---- what typing makes of abbreviations, one story per row

struct TypingCase {
    const char* label;
    std::string common;  // the options in [Common]
    std::function<void(AbbreviationStory&)> user;
    std::string inNotepad;
};

void PrintTo(const TypingCase& c, std::ostream* out) { *out << c.label; }

class AbbreviationTyping : public AbbreviationStory, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(AbbreviationTyping, LeavesThisInTheWindow) {
    const TypingCase& c = GetParam();
    start(c.common);
    c.user(*this);
    EXPECT_EQ(text(), c.inNotepad);
    EXPECT_TRUE(messages().empty());
}

auto types(std::string keys) {
    return [keys](AbbreviationStory& s) { s.keyboard().userTypes(keys); };
}

INSTANTIATE_TEST_SUITE_P(
    Delimiters, AbbreviationTyping,
    ::testing::Values(
        TypingCase{"Blank", "", types("mfg "), "Mit freundlichen Grüßen "},
        // Enter and Tab are swallowed and typed after the text: one line break,
        // one tab, and no field left or message sent before the text is there.
        TypingCase{"EnterGivesOneLineBreak", "", types("adr\r"), "Hauptstr. 1\r\n12345 Stadt\r\n"},
        TypingCase{"Tab", "", types("mfg\t"), "Mit freundlichen Grüßen\t"},
        TypingCase{"Punctuation", "", types("mfg."), "Mit freundlichen Grüßen."},
        TypingCase{"AfterAWordAndABlank", "", types("Viele Grüße, mfg!"), "Viele Grüße, Mit freundlichen Grüßen!"},
        TypingCase{"AfterALineBreak", "", types("Hallo\rmfg "), "Hallo\r\nMit freundlichen Grüßen "},
        TypingCase{"TwoInARow", "", types("mfg adr "), "Mit freundlichen Grüßen Hauptstr. 1\r\n12345 Stadt "},
        TypingCase{"WithoutDelimiterNothingYet", "", types("mfg"), "mfg"},
        TypingCase{"InTheMiddleOfAWord", "", types("xmfg "), "xmfg "},
        TypingCase{"LongerWord", "", types("mfgx "), "mfgx "},
        TypingCase{"CorrectedWithBackspace", "", types("mfx\bg "), "Mit freundlichen Grüßen "},
        TypingCase{"ANameNoEntryHas", "", types("alt "), "alt "},
        // The text holds its own abbreviation: the program's own keys are
        // not taken for the user's, so it expands once.
        TypingCase{"OwnTypingIgnored", "", types("sel "), "sel und sel "}),
    [](const auto& p) { return std::string(p.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Options, AbbreviationTyping,
    ::testing::Values(
        TypingCase{"ExactCaseByDefault", "", types("MFG "), "MFG "},
        TypingCase{"CaseIgnored", "AbbrevIgnoreCase=1\r\n", types("MfG "), "Mit freundlichen Grüßen "},
        TypingCase{"AtOnce", "AbbrevAtOnce=1\r\n", types("mfg"), "Mit freundlichen Grüßen"},
        TypingCase{"AtOnceThenMore", "AbbrevAtOnce=1\r\n", types("mfg und"), "Mit freundlichen Grüßen und"},
        TypingCase{"AtOnceNotInAWord", "AbbrevAtOnce=1\r\n", types("xmfg"), "xmfg"},
        TypingCase{"Off", "AbbrevOn=0\r\n", types("mfg adr\r"), "mfg adr\r\n"}),
    [](const auto& p) { return std::string(p.param.label); });

INSTANTIATE_TEST_SUITE_P(
    WhatEmptiesTheBuffer, AbbreviationTyping,
    ::testing::Values(
        TypingCase{"AClick",
                   "",
                   [](AbbreviationStory& s) {
                       s.keyboard().userTypes("mf");
                       s.keyboard().userClicks();
                       s.keyboard().userTypes("g ");
                   },
                   "mfg "},
        TypingCase{"AnotherControl",
                   "",
                   [](AbbreviationStory& s) {
                       s.keyboard().userTypes("mf");
                       s.keyboard().focusMoves();
                       s.keyboard().userTypes("g ");
                   },
                   "mfg "},
        TypingCase{"ACursorKey",
                   "",
                   [](AbbreviationStory& s) {
                       s.keyboard().userTypes("mf");
                       s.keyboard().userPresses({Key::Movement, 0});
                       s.keyboard().userTypes("g ");
                   },
                   "mfg "},
        TypingCase{"AnotherWindowBetween",
                   "",
                   [](AbbreviationStory& s) {
                       s.keyboard().userTypes("mf");
                       const WindowId other = s.sim.windows.open("Rechner");
                       s.keyboard().userTypes("x");
                       s.sim.windows.activate(s.notepad);
                       s.keyboard().userTypes("g ");
                       EXPECT_EQ(s.sim.windows.window(other).keys.size(), 1u);
                   },
                   "mfg "},
        TypingCase{"AShortcut",
                   "",
                   [](AbbreviationStory& s) {
                       s.keyboard().userTypes("mf");
                       s.keyboard().userPresses({Key::Other, 0});
                       s.keyboard().userTypes("g ");
                   },
                   "mfg "},
        TypingCase{"NothingAfterAClickBeforeTheWord",
                   "",
                   [](AbbreviationStory& s) {
                       s.keyboard().userTypes("xy");
                       s.keyboard().userClicks();
                       s.keyboard().userTypes("mfg ");
                   },
                   "xyMit freundlichen Grüßen "}),
    [](const auto& p) { return std::string(p.param.label); });

// ---- where the watch tells nothing

TEST_F(AbbreviationStory, APasswordFieldIsNeverLookedAt) {
    start();
    keyboard().focusMoves(true);
    const std::size_t told = keyboard().keysTold;
    keyboard().userTypes("mfg geheim\r");
    EXPECT_EQ(text(), "mfg geheim\r\n");
    EXPECT_EQ(keyboard().keysTold, told);
    // Back in a plain field, abbreviations work again.
    keyboard().focusMoves(false);
    keyboard().userTypes("mfg ");
    EXPECT_EQ(text(), "mfg geheim\r\nMit freundlichen Grüßen ");
}

TEST_F(AbbreviationStory, NothingWhileAWindowOfTheProgramIsActive) {
    start();
    sim.windows.activate(sim.ui.windowOf(form()));
    const std::size_t told = keyboard().keysTold;
    keyboard().userTypes("mfg ");
    EXPECT_EQ(keyboard().keysTold, told);
    EXPECT_EQ(text(), "");
}

TEST_F(AbbreviationStory, KeysTypedWhileTheEntryIsTypedFollowIt) {
    start();
    bool typedMeanwhile = false;
    sim.windows.whileTyping = [&] {
        if (typedMeanwhile) return;
        typedMeanwhile = true;
        keyboard().userTypes("und adr ");
    };
    keyboard().userTypes("mfg ");
    // Nothing lost, nothing in the middle of the text, and what was typed
    // meanwhile counts as typed: its abbreviation expands in turn.
    EXPECT_EQ(text(), "Mit freundlichen Grüßen und Hauptstr. 1\r\n12345 Stadt ");
}

TEST_F(AbbreviationStory, AConsoleEntryIsPastedAfterTheAbbreviationIsErased) {
    start();
    const WindowId console = sim.windows.open("Eingabeaufforderung", Kind::Console);
    keyboard().userTypes("kon ");
    EXPECT_EQ(text(console), "dir ");
}

TEST_F(AbbreviationStory, TheEntryGoesToTheWindowTypedInWhateverTitleItNames) {
    startWith(Entries + "[Title]\r\n1=Rechner\r\n");
    sim.windows.open("Rechner");
    notepad = sim.windows.open("Unbenannt - Editor", Kind::Notepad);
    keyboard().userTypes("mfg ");
    EXPECT_EQ(text(), "Mit freundlichen Grüßen ");
}

TEST_F(AbbreviationStory, TheKeyboardIsWatchedOnlyWhileAnAbbreviationCanExpand) {
    startWith(test::snippetFile({{"eins", "1"}}));
    EXPECT_FALSE(keyboard().running());
    start();
    EXPECT_TRUE(keyboard().running());
    auto& options = lastingForm<OptionsForm>("OptionsForm");
    options.abbreviationsChk.click();
    EXPECT_FALSE(keyboard().running());
    keyboard().userTypes("mfg ");
    EXPECT_EQ(text(), "mfg ");
    options.abbreviationsChk.click();
    keyboard().userTypes("mfg ");
    EXPECT_EQ(text(), "mfg Mit freundlichen Grüßen ");
}

}  // namespace
}  // namespace scrivlet
