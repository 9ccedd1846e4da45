#include <gtest/gtest.h>

#include <algorithm>

#include "native/main_window_story.h"
#include "platform/unicode.h"
#include "popup/border_strip.h"
#include "store/entry_cipher.h"
#include "tracking/target_tracker.h"
#include "transmit/choice_form.h"
#include "transmit/placeholders.h"
#include "transmit/sender.h"

namespace scrivlet {
namespace {

using Kind = SimWindowSystem::Kind;

struct SenderTest : test::MainWindowStory {
    // One entry as stored: escaped text, title and console flag.
    void entry(const std::string& text, const std::string& title = "", int dosBox = 0, int crypt = 0) {
        startWith("[Name]\r\n1=Eintrag\r\n[Text]\r\n1=" + text + "\r\n[Title]\r\n1=" + title +
                  "\r\n[Crypt]\r\n1=" + std::to_string(crypt) + "\r\n[DosBox]\r\n1=" +
                  std::to_string(dosBox) + "\r\n");
    }
    WindowId notepadInFront() { return sim.windows.open("Unbenannt - Editor", Kind::Notepad); }
    // The user clicks the icon and chooses the entry; what happens while the
    // menu is open (after the window in front was noted) happens meanwhile.
    void send(const std::function<void()>& meanwhile = {}) {
        sim.ui.whenMenu([meanwhile](ui::Menu& menu) {
            if (meanwhile) meanwhile();
            ASSERT_TRUE(clickItem(menu, "Eintrag"));
        });
        sim.tray.iconMessage(NotificationArea::LeftButtonDown);
    }
    std::string received(WindowId w) { return sim.windows.window(w).text; }
    // The keys a text becomes: CR the Enter key, TAB the Tab key, every other
    // character itself.
    static std::vector<KeyStep> keysOf(const std::string& text) {
        std::vector<KeyStep> keys;
        for (std::size_t i = 0; i < text.size();) {
            std::size_t n = 0;
            const char32_t c = decodeUtf8(text, i, &n);
            i += n;
            keys.push_back(c == '\r'   ? KeyStep{KeyStep::Kind::Enter, 0}
                           : c == '\t' ? KeyStep{KeyStep::Kind::Tab, 0}
                                       : KeyStep{KeyStep::Kind::Character, c});
        }
        return keys;
    }
};

TEST_F(SenderTest, AnEntryArrivesInTheLastUsedWindow) {
    entry("Hallo\\NWelt\\T50% (netto) ~{ok} €ÄÖÜß");
    const WindowId notepad = notepadInFront();
    send();
    EXPECT_EQ(received(notepad), "Hallo\r\nWelt\t50% (netto) ~{ok} €ÄÖÜß");
    // The characters with a meaning of their own in key strings arrive as
    // themselves, not as Alt, Shift or Ctrl.
    EXPECT_EQ(sim.windows.window(notepad).keys, keysOf("Hallo\rWelt\t50% (netto) ~{ok} €ÄÖÜß"));
    EXPECT_TRUE(messages().empty());
}

TEST_F(SenderTest, AnEncipheredEntryIsDecipheredBeforeTyping) {
    SimRandom random(3);
    entry(encipherText("geheim\\N", random), "", 0, 1);
    const WindowId notepad = notepadInFront();
    send();
    EXPECT_EQ(received(notepad), "geheim\r\n");
}

TEST_F(SenderTest, WithoutAWindowOfAnotherProgramThereIsNoTarget) {
    entry("x");
    send();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Es wurde kein passendes Zielfenster identifiziert.\rDie Übertragung wird daher abgebrochen.");
    EXPECT_EQ(messages()[0].icon, MessageIcon::Error);
}

TEST_F(SenderTest, AClosedOrRefusingTargetReceivesNothingAndNothingElseDoes) {
    for (bool closed : {true, false}) {
        entry("geheim");
        const WindowId notepad = notepadInFront();
        WindowId chat = 0;
        send([&] {
            chat = sim.windows.open("Chat", Kind::Notepad);  // now has the focus
            if (closed)
                sim.windows.close(notepad);
            else
                sim.windows.window(notepad).refusesForeground = true;
        });
        EXPECT_EQ(received(chat), "") << closed;
        ASSERT_EQ(messages().size(), 1u) << closed;
        EXPECT_NE(messages()[0].text.find("kein passendes Zielfenster"), std::string::npos);
        sim.dialogs.shown.clear();
    }
}

TEST_F(SenderTest, ATargetThatRefusesTheForegroundOnceIsAskedAgain) {
    entry("zweiter Versuch");
    const WindowId notepad = notepadInFront();
    send([&] {
        sim.windows.open("Chat", Kind::Notepad);
        sim.windows.window(notepad).foregroundRefusals = 1;
    });
    EXPECT_EQ(received(notepad), "zweiter Versuch");
    EXPECT_TRUE(messages().empty());
}

TEST_F(SenderTest, TheIconAndTheStripWaitUntilTheTextIsTyped) {
    startWith("[Name]\r\n1=Eintrag\r\n[Text]\r\n1=abc\r\n[Common]\r\nPumActViaBorder=1\r\n");
    const WindowId notepad = notepadInFront();
    sim.ui.whenMenu([](ui::Menu& m) { m.item(0).click(); });
    sim.windows.whileTyping = [&] {
        sim.windows.whileTyping = nullptr;
        sim.tray.iconMessage(NotificationArea::LeftButtonDown);
        sim.tray.iconMessage(NotificationArea::RightButtonDown);
        shownForm("MoveOverFrm")->mouseMove({});
    };
    sim.tray.iconMessage(NotificationArea::LeftButtonDown);
    EXPECT_EQ(sim.ui.menusShown.size(), 1u);
    EXPECT_EQ(received(notepad), "abc");
    EXPECT_FALSE(form().visible());
    sim.tray.iconMessage(NotificationArea::LeftButtonDown);  // afterwards the icon works again
    EXPECT_EQ(sim.ui.menusShown.size(), 2u);
}

TEST_F(SenderTest, AnEntryCutByTheReadIsNotTyped) {
    entry(std::string(40000, 'A'), "", 0, 1);
    const WindowId notepad = notepadInFront();
    EXPECT_EQ(messages().size(), 1u);  // told once at the start, though it loads the file twice
    const std::size_t before = messages().size();
    send();
    EXPECT_EQ(received(notepad), "");
    ASSERT_EQ(messages().size(), before + 1);
    EXPECT_NE(messages().back().text.find("'Eintrag'"), std::string::npos);
    EXPECT_NE(messages().back().text.find("nicht übertragen"), std::string::npos);
}

TEST_F(SenderTest, TitledEntriesLookForTheTitleInAnyLetterCase) {
    entry("x", "  EdItOr ");
    const WindowId a = sim.windows.open("unbenannt - editor", Kind::Notepad);
    const WindowId calculator = sim.windows.open("Rechner", Kind::Notepad);
    send();
    // The one match is served at once, without the choice.
    EXPECT_EQ(received(a), "x");
    EXPECT_EQ(received(calculator), "");
}

TEST_F(SenderTest, NoMatchingTitleIsReported) {
    entry("x", "Gibtsnicht");
    send();
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(SenderTest, SeveralMatchesOpenTheChoiceWithTheFirstSelected) {
    const struct {
        const char* action;
        int receiver;  // index of the window that gets the text, -1 for none
    } cases[] = {{"ok", 0}, {"second", 1}, {"double", 1}, {"cancel", -1}, {"close", -1}};
    for (const auto& c : cases) {
        entry("x", "editor");
        const WindowId first = sim.windows.open("Editor-Hilfe", Kind::Notepad);
        const WindowId second = sim.windows.open("editor", Kind::Notepad);
        sim.windows.window(first).visible = false;  // hidden windows are candidates too
        std::vector<std::string> listed;
        int selected = -1;
        std::string caption;
        sim.ui.whenModal([&](ui::Form& f) {
            auto& choice = dynamic_cast<ChoiceForm&>(f);
            caption = choice.caption();
            selected = choice.lbZielFenster.listIndex();
            for (const auto& item : choice.lbZielFenster.items()) listed.push_back(item.text);
            const std::string action = c.action;
            if (action == "ok") choice.btnOk.click();
            if (action == "second") choice.lbZielFenster.setListIndex(1), choice.btnOk.click();
            if (action == "double") choice.lbZielFenster.setListIndex(1), choice.lbZielFenster.doubleClick();
            if (action == "cancel") choice.btnCancel.click();
            if (action == "close") choice.requestClose(ui::CloseReason::User);
        });
        send();
        // The system enumerates from the top: the window opened last comes first.
        EXPECT_EQ(listed, (std::vector<std::string>{"editor", "Editor-Hilfe"})) << c.action;
        EXPECT_EQ(selected, 0);
        EXPECT_EQ(caption, "Auswahl - Scrivlet");
        const WindowId order[] = {second, first};
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(received(order[i]), i == c.receiver ? "x" : "") << c.action << " window " << i;
        sim.windows.close(first);
        sim.windows.close(second);
    }
}

// The paste keys go by the window's class: Windows Terminal has no
// "Bearbeiten" in its window menu, where Alt+Space, B, E would type letters.
TEST_F(SenderTest, AConsoleGetsThePasteKeysOfItsKindAndTheClipboardKeepsTheText) {
    using K = KeyStep::Kind;
    const std::vector<KeyStep> menuPaste = {{K::AltKey, ' '}, {K::Key, 'B'}, {K::Key, 'E'}};
    const struct {
        const char* label;
        Kind kind;
        const char* className;  // set where not the kind's own
        std::vector<KeyStep> keys;
    } cases[] = {
        {"classic console", Kind::Console, nullptr, menuPaste},
        {"Windows Terminal", Kind::Terminal, nullptr, {{K::CtrlKey, 'v'}}},
        {"unknown class", Kind::Console, "PuTTY", menuPaste},
    };
    for (const auto& c : cases) {
        entry("dir\\Nexit\\N", "Eingabeaufforderung", 1);
        sim.clipboard.content = "alter Inhalt";
        const WindowId console = sim.windows.open("Eingabeaufforderung", c.kind);
        if (c.className) sim.windows.window(console).className = c.className;
        send();
        EXPECT_EQ(sim.clipboard.content, "dir\rexit\r") << c.label;
        // The window pastes what the clipboard holds when its paste keys come.
        EXPECT_EQ(received(console), "dir\rexit\r") << c.label;
        EXPECT_EQ(sim.windows.window(console).keys, c.keys) << c.label;
        EXPECT_TRUE(messages().empty()) << c.label;
        sim.windows.close(console);
    }
}

TEST_F(SenderTest, AConsoleEntryWithoutWindowStillLeavesItsText) {
    entry("dir", "Eingabeaufforderung", 1);
    send();
    EXPECT_EQ(sim.clipboard.content, "dir");
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(SenderTest, ABlockedClipboardIsReportedAndNothingIsPasted) {
    entry("neu", "Eingabeaufforderung", 1);
    const WindowId console = sim.windows.open("Eingabeaufforderung", Kind::Console);
    sim.clipboard.content = "alter Inhalt";
    sim.clipboard.locked = true;
    const DateTime before = sim.clock.now();
    send();
    EXPECT_EQ(received(console), "");
    EXPECT_TRUE(sim.windows.window(console).keys.empty());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].text.find("Zwischenablage"), std::string::npos);
    EXPECT_EQ(sim.clock.now().second, (before.second + 1) % 60);  // tried for about a second
}

struct PlaceholderTest : test::SimDesktop, ::testing::Test {
    std::string files(const std::string& text) { return expandFilePlaceholders(text, sim.files); }
};

TEST_F(PlaceholderTest, ClockPlaceholdersInAnyCase) {
    sim.clock.set(2026, 3, 2, 9, 5, 7);
    const struct {
        const char* text;
        const char* expanded;
    } cases[] = {
        {"%stunde%:%minute%:%sekunde%", "09:05:07"},
        {"%Datum% %DATUM%", "02.03.2026 02.03.2026"},
        {"%datum", "%datum"},
        {"%zeit%", "09:05:07"},
        {"%wochentag%, %tag%.%monat%.%jahr%", "Montag, 02.03.2026"},
        {"100% %zeit", "100% %zeit"},
    };
    for (const auto& c : cases) EXPECT_EQ(expandClockPlaceholders(c.text, sim.clock), c.expanded) << c.text;
}

TEST_F(PlaceholderTest, FilesAreIncludedOnceAndNotSearchedAgain) {
    writeFile("C:\\a.txt", "x\r\ny");
    writeFile("C:\\k.txt", "1");
    writeFile("C:\\zeit.txt", "um %zeit%");
    writeFile("C:\\inner.txt", "%datei=C:\\k.txt%");
    const struct {
        const char* text;
        const char* expanded;
    } cases[] = {
        {"%datei=C:\\a.txt%", "x\ry"},
        {"[%DATEI=C:\\a.txt%|%datei=c:\\A.TXT%]", "[x\ry|x\ry]"},
        {"%datei=C:\\k.txt%%datei=C:\\a.txt%", "1x\ry"},  // the first shorter than its placeholder
        {"%datei=C:\\inner.txt%", "%datei=C:\\k.txt%"},    // included text is not searched
        {"%datei=C:\\inner.txt% %datei=C:\\k.txt%", "%datei=C:\\k.txt% 1"},  // even when named later
        {"%datei=abc", "%datei=abc"},
        {"%datei=%", "\r*** Scrivlet: Konnte Datei '' nicht finden! ***\r"},
        {"%datei=C:\\fehlt.txt%", "\r*** Scrivlet: Konnte Datei 'C:\\fehlt.txt' nicht finden! ***\r"},
    };
    for (const auto& c : cases) EXPECT_EQ(files(c.text), c.expanded) << c.text;
    EXPECT_EQ(expandClockPlaceholders(files("%datei=C:\\zeit.txt%"), sim.clock), "um 09:05:07");
}

TEST_F(PlaceholderTest, HiddenFilesAndFoldersAreNotIncluded) {
    writeFile("C:\\versteckt.txt", "geheim");
    sim.files.setAttributes("C:\\versteckt.txt", {false, true, false, false});
    sim.files.createFolder("C:\\Ordner");
    EXPECT_NE(files("%datei=C:\\versteckt.txt%").find("nicht finden"), std::string::npos);
    EXPECT_NE(files("%datei=C:\\Ordner%").find("nicht finden"), std::string::npos);
}

TEST_F(SenderTest, TheClockIsReadOnceForAllPlaceholders) {
    entry("%stunde%:%minute%:%sekunde% %tag%.%monat%.%jahr% %zeit% %wochentag% %datum%");
    // Set once the start is over: its first write (the ignore titles) names
    // the day's backup by the clock.
    sim.clock.set(2026, 12, 31, 23, 59, 59);
    sim.clock.advanceOnEachRead(1);
    const WindowId w = notepadInFront();
    send();
    EXPECT_EQ(received(w), "23:59:59 31.12.2026 23:59:59 Donnerstag 31.12.2026");
}

// Files that name themselves or the next one twice: expanded again, each pass
// would double the text.
TEST_F(PlaceholderTest, IncludedTextIsNeverExpandedAgain) {
    const std::string self = "%datei=C:\\f\\a.txt%";
    writeFile("C:\\f\\a.txt", self + self);
    writeFile("C:\\f\\b.txt", "%datei=C:\\f\\c.txt%%datei=C:\\f\\c.txt%");
    writeFile("C:\\f\\c.txt", "%datei=C:\\f\\b.txt%%datei=C:\\f\\b.txt%");
    const struct {
        std::string text, expanded;
    } cases[] = {
        {self, self + self},
        {self + self, self + self + self + self},
        {"%datei=C:\\f\\b.txt%", "%datei=C:\\f\\c.txt%%datei=C:\\f\\c.txt%"},
        {"%datei=C:\\f\\b.txt%%DATEI=c:\\F\\C.TXT%",
         "%datei=C:\\f\\c.txt%%datei=C:\\f\\c.txt%%datei=C:\\f\\b.txt%%datei=C:\\f\\b.txt%"},
    };
    for (const auto& c : cases) EXPECT_EQ(files(c.text), c.expanded) << c.text;
}

TEST_F(PlaceholderTest, IncludedTextStopsAtOneMegabyte) {
    const std::string tooLarge = "nicht eingefügt";
    writeFile("C:\\voll.txt", std::string(IncludeLimitBytes, 'y'));
    writeFile("C:\\mehr.txt", std::string(IncludeLimitBytes + 1, 'y'));
    writeFile("C:\\halb.txt", std::string(IncludeLimitBytes / 2, 'y'));
    const struct {
        const char* text;
        std::size_t included;  // bytes of file content in the result
        bool refused;          // the too-large notice is in the result
    } cases[] = {
        {"%datei=C:\\voll.txt%", IncludeLimitBytes, false},
        {"%datei=C:\\mehr.txt%", 0, true},
        {"%datei=C:\\halb.txt%%datei=C:\\halb.txt%", IncludeLimitBytes, false},
        {"%datei=C:\\halb.txt%%datei=C:\\halb.txt%%datei=C:\\HALB.txt%", IncludeLimitBytes, true},
        {"%datei=C:\\voll.txt%%datei=C:\\halb.txt%", IncludeLimitBytes, true},
    };
    for (const auto& c : cases) {
        const std::string out = files(c.text);
        EXPECT_EQ(static_cast<std::size_t>(std::count(out.begin(), out.end(), 'y')), c.included) << c.text;
        EXPECT_EQ(out.find(tooLarge) != std::string::npos, c.refused) << c.text;
    }
}

}  // namespace
}  // namespace scrivlet

namespace scrivlet {
namespace {

TEST_F(SenderTest, ATargetThatLosesTheForegroundWhileTypingGetsNoMoreAndTheUserIsWarned) {
    entry("abcdef");
    const WindowId notepad = notepadInFront();
    const WindowId chat = sim.windows.open("Chat", Kind::Notepad);
    sim.windows.activate(notepad);
    int keys = 0;
    sim.windows.whileTyping = [&] {
        if (++keys == 3) sim.windows.activate(chat);  // another window pops up
    };
    send();
    EXPECT_EQ(received(notepad), "abc");
    EXPECT_EQ(received(chat), "");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].icon, MessageIcon::Warning);
}

// Windows drops keys sent to a program run as administrator without a word:
// nothing is typed, and the user learns why and what to do. A console
// entry's text is on the clipboard already, for the user's own paste.
TEST_F(SenderTest, AWindowRunAsAdministratorGetsNoKeysAndTheUserIsTold) {
    const struct {
        const char* label;
        int console;
        bool refusesQueries;  // not even open to a query: counts as higher
        const char* told;
    } cases[] = {
        {"entry", 0, false, "daher wurde nichts übertragen."},
        {"console entry", 1, false, "Der Text liegt in der Zwischenablage: Fügen Sie ihn mit der Tastatur ein"},
        {"closed process", 0, true, "daher wurde nichts übertragen."},
    };
    for (const auto& c : cases) {
        entry("geheim", "Administrator: Windows PowerShell", c.console);
        const WindowId admin = sim.windows.open("Administrator: Windows PowerShell", Kind::Terminal);
        SimWindowSystem::Window& w = sim.windows.window(admin);
        w.integrityLevel = c.refusesQueries ? SimWindowSystem::MediumIntegrity : SimWindowSystem::HighIntegrity;
        w.refusesQueries = c.refusesQueries;
        sim.clipboard.content = "";
        send();
        EXPECT_TRUE(w.keys.empty()) << c.label;
        EXPECT_EQ(sim.clipboard.content, c.console ? "geheim" : "") << c.label;
        ASSERT_EQ(messages().size(), 1u) << c.label;
        const std::string& text = messages()[0].text;
        EXPECT_EQ(text.find("Das Fenster 'Administrator: Windows PowerShell' gehört zu einem Programm, das als "
                            "Administrator läuft."),
                  0u)
            << c.label;
        EXPECT_NE(text.find(c.told), std::string::npos) << c.label << ": " << text;
        EXPECT_NE(text.find("Starten Sie dieses Programm normal (nicht als Administrator), oder beenden Sie "
                            "Scrivlet und starten Sie es als Administrator"),
                  std::string::npos)
            << c.label;
        sim.dialogs.shown.clear();
        sim.windows.close(admin);
    }
}

// The warning for keys not taken names the administrator as a cause only where
// the target's level could not be read.
TEST_F(SenderTest, KeysNotTakenNameTheAdministratorOnlyWhereTheLevelIsUnknown) {
    const struct {
        const char* label;
        bool levelReadable;
        bool losesForeground;  // else the system drops the keys of a higher level
        bool namesCause;
    } cases[] = {
        {"level unreadable, keys dropped", false, false, true},
        {"level readable, another window in front", true, true, false},
    };
    for (const auto& c : cases) {
        entry("abc");
        const WindowId target = notepadInFront();
        const WindowId chat = sim.windows.open("Chat", Kind::Notepad);
        sim.windows.activate(target);
        SimWindowSystem::Window& w = sim.windows.window(target);
        w.levelReadable = c.levelReadable;
        if (!c.losesForeground) w.integrityLevel = SimWindowSystem::HighIntegrity;
        sim.windows.whileTyping = [&] {
            if (c.losesForeground) sim.windows.activate(chat);
        };
        send();
        sim.windows.whileTyping = nullptr;
        ASSERT_EQ(messages().size(), 1u) << c.label;
        EXPECT_EQ(messages()[0].icon, MessageIcon::Warning);
        const std::string& text = messages()[0].text;
        EXPECT_EQ(text.find("Das Zielfenster hat nicht alle Tastendrücke angenommen."), 0u) << c.label;
        EXPECT_EQ(text.find("Läuft das Zielfenster als Administrator") != std::string::npos, c.namesCause)
            << c.label;
        sim.dialogs.shown.clear();
        sim.windows.close(target);
        sim.windows.close(chat);
    }
}

}  // namespace
}  // namespace scrivlet
