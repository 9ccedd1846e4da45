#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "native/main_window_story.h"
#include "options/options_form.h"

namespace scrivlet {
namespace {

using Kind = SimWindowSystem::Kind;
using Key = TypedKey::Kind;

// "Selbst" types its own abbreviation, "Konsole" is pasted, "alt" names an entry that is gone.
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

using S = AbbreviationStory&;
using Act = std::function<void(S)>;

Act types(std::string keys) { return [keys](S s) { s.keyboard().userTypes(keys); }; }
Act between(Act act) {  // "mf", then something that must empty the buffer, then "g "
    return [act](S s) { s.keyboard().userTypes("mf"), act(s), s.keyboard().userTypes("g "); };
}

TEST_F(AbbreviationStory, TypingLeavesThisInTheWindow) {
    const std::string AtOnce = "AbbrevAtOnce=1\r\n";
    const struct { const char* label; std::string common; Act user; std::string inNotepad; } cases[] = {
        {"AfterABlankBeforeASign", "", types("Viele Grüße, mfg!"), "Viele Grüße, Mit freundlichen Grüßen!"},
        // Enter and Tab are swallowed and typed after the text: one line break, one tab.
        {"Enter", "", types("adr\r"), "Hauptstr. 1\r\n12345 Stadt\r\n"}, {"Tab", "", types("mfg\t"), "Mit freundlichen Grüßen\t"},
        {"WithoutDelimiterNothingYet", "", types("mfg"), "mfg"}, {"InTheMiddleOfAWord", "", types("xmfg "), "xmfg "},
        {"ANameNoEntryHas", "", types("alt "), "alt "}, {"OwnTypingIgnored", "", types("sel "), "sel und sel "},
        {"ExactCaseByDefault", "", types("MFG "), "MFG "},
        {"CaseIgnored", "AbbrevIgnoreCase=1\r\n", types("MfG "), "Mit freundlichen Grüßen "},
        {"AtOnce", AtOnce, types("mfg und"), "Mit freundlichen Grüßen und"}, {"AtOnceNotInAWord", AtOnce, types("xmfg"), "xmfg"},
        {"Off", "AbbrevOn=0\r\n", types("mfg adr\r"), "mfg adr\r\n"},
        {"AClick", "", between([](S s) { s.keyboard().userClicks(); }), "mfg "},
        {"AnotherControl", "", between([](S s) { s.keyboard().focusMoves(); }), "mfg "},
        {"ACursorKey", "", between([](S s) { s.keyboard().userPresses({Key::Movement, 0}); }), "mfg "},
        {"AShortcut", "", between([](S s) { s.keyboard().userPresses({Key::Other, 0}); }), "mfg "},
        {"AnotherWindow", "", between([](S s) {
             const WindowId other = s.sim.windows.open("Rechner");
             s.keyboard().userTypes("x"), s.sim.windows.activate(s.notepad);
             EXPECT_EQ(s.sim.windows.window(other).keys.size(), 1u);
         }), "mfg "},
        {"AClickBeforeTheWord", "", [](S s) { s.keyboard().userTypes("xy"), s.keyboard().userClicks(), s.keyboard().userTypes("mfg "); },
         "xyMit freundlichen Grüßen "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        start(c.common);
        c.user(*this);
        EXPECT_EQ(text(), c.inNotepad);
        EXPECT_TRUE(messages().empty());
    }
}

TEST_F(AbbreviationStory, NothingIsToldFromAPasswordFieldOrAWindowOfTheProgram) {
    start();
    keyboard().focusMoves(true);  // a password field
    std::size_t told = keyboard().keysTold;
    keyboard().userTypes("mfg ");
    EXPECT_EQ(keyboard().keysTold, told);
    keyboard().focusMoves(false);
    keyboard().userTypes("mfg ");
    EXPECT_EQ(text(), "mfg Mit freundlichen Grüßen ");
    sim.windows.activate(sim.ui.windowOf(form()));
    told = keyboard().keysTold;
    keyboard().userTypes("mfg ");
    EXPECT_EQ(keyboard().keysTold, told);
}

TEST_F(AbbreviationStory, KeysTypedWhileTheEntryIsTypedFollowIt) {
    start();
    bool typedMeanwhile = false;
    sim.windows.whileTyping = [&] {
        if (!std::exchange(typedMeanwhile, true)) keyboard().userTypes("und adr ");
    };
    keyboard().userTypes("mfg ");  // nothing lost or inside the text, and "adr" expands in turn
    EXPECT_EQ(text(), "Mit freundlichen Grüßen und Hauptstr. 1\r\n12345 Stadt ");
}

TEST_F(AbbreviationStory, AConsoleEntryIsPastedAndATitledEntryGoesToTheWindowTypedIn) {
    start();
    const WindowId console = sim.windows.open("Eingabeaufforderung", Kind::Console);
    keyboard().userTypes("kon ");
    EXPECT_EQ(text(console), "dir ");
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
    options.abbreviationsChk.click();
    keyboard().userTypes("mfg ");
    EXPECT_EQ(text(), "mfg Mit freundlichen Grüßen ");
}

}  // namespace
}  // namespace scrivlet
