#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "native/main_window_story.h"
#include "options/options_form.h"

namespace scrivlet {
namespace {

using Kind = SimWindowSystem::Kind;

// "Selbst" types its own abbreviation; "Konsole" is a console entry.
const std::string Entries =
    test::snippetFile({{"Grußformel", "Mit freundlichen Grüßen"}, {"Adresse", "Hauptstr. 1\\N12345 Stadt"},
                       {"Selbst", "sel und sel"}, {"Konsole", "dir"}}) +
    "[DosBox]\r\n4=1\r\n[Kuerzel]\r\nmfg=Grußformel\r\nadr=Adresse\r\nsel=Selbst\r\nkon=Konsole\r\n";
const std::string Mfg = "Mit freundlichen Grüßen ";

struct AbbreviationStory : test::MainWindowStory {
    void start(const std::string& more = "") {
        sim.windows.whileTyping = nullptr;
        startWith(Entries + more);
        notepad = sim.windows.open("Unbenannt - Editor", Kind::Notepad);
    }
    std::string text() { return sim.windows.window(notepad).text; }
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
    const struct { const char* label; std::string more; Act user; std::string inWindow; } cases[] = {
        {"TabSwallowedAndTypedAfter", "", types("mfg\t"), "Mit freundlichen Grüßen\t"},
        {"OwnTypingIgnored", "", types("sel "), "sel und sel "},
        {"CaseIgnored", "[Common]\r\nAbbrevIgnoreCase=1\r\n", types("MfG "), Mfg},
        {"AtOnce", "[Common]\r\nAbbrevAtOnce=1\r\n", types("mfg und"), "Mit freundlichen Grüßen und"},
        {"AClick", "", between([](S s) { s.keyboard().userClicks(); }), "mfg "},
        {"AnotherControl", "", between([](S s) { s.keyboard().focusMoves(); }), "mfg "},
        {"APasswordFieldThenAnEdit", "", [](S s) {
             s.keyboard().focusMoves(true), s.keyboard().userTypes("mfg ");
             s.keyboard().focusMoves(), s.keyboard().userTypes("mfg ");
         }, "mfg " + Mfg},
        {"KeysTypedMeanwhileFollowInTurn", "", [](S s) {
             s.sim.windows.whileTyping = [&s, first = true]() mutable {
                 if (std::exchange(first, false)) s.keyboard().userTypes("und adr ");
             };
             s.keyboard().userTypes("mfg ");
         }, Mfg + "und Hauptstr. 1\r\n12345 Stadt "},
        {"ATitledConsoleEntryGoesWhereTyped", "[Title]\r\n4=Rechner\r\n", [](S s) {
             s.sim.windows.open("Rechner");
             s.notepad = s.sim.windows.open("Eingabeaufforderung", Kind::Console), s.keyboard().userTypes("kon ");
         }, "dir "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        start(c.more);
        c.user(*this);
        EXPECT_EQ(text(), c.inWindow);
        EXPECT_TRUE(messages().empty());
    }
}

TEST_F(AbbreviationStory, KeysAreToldOnlyWhileAnAbbreviationCanExpandAndNotFromTheProgramsWindows) {
    startWith(test::snippetFile({{"eins", "1"}}));
    EXPECT_FALSE(keyboard().running());
    start();
    sim.windows.activate(sim.ui.windowOf(form()));
    keyboard().userTypes("mfg ");
    EXPECT_EQ(keyboard().keysTold, 0u);
    auto& options = lastingForm<OptionsForm>("OptionsForm");
    options.abbreviationsChk.click();
    EXPECT_FALSE(keyboard().running());
    options.abbreviationsChk.click();
    sim.windows.activate(notepad);
    keyboard().userTypes("mfg ");
    EXPECT_EQ(text(), Mfg);
}

}  // namespace
}  // namespace scrivlet
