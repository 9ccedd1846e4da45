#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "native/main_window_story.h"
#include "options/options_form.h"
#include "picker/picker_form.h"
#include "picker/picker_place.h"

namespace scrivlet {
namespace {

using test::snippetFile;
using Kind = SimWindowSystem::Kind;
using Names = std::vector<std::string>;

constexpr int KeyEnter = 0x0D, KeyEscape = 0x1B, KeyPageDown = 0x22, KeyEnd = 0x23, KeyHome = 0x24, KeyUp = 0x26,
              KeyDown = 0x28;
const Hotkey CtrlShiftSpace{0x20, Hotkey::Ctrl | Hotkey::Shift};

struct PickerStory : test::MainWindowStory {
    void startWithEntries(bool mainOpen = false) {  // in the file's order; the menu sorts them
        startWith(snippetFile({{"Gruß an Müller", "Viele Grüße\\NIhr Team"}, {"Abrechnung", "Die Rechnung liegt bei."},
                               {"Rechnung offen", "Bitte zahlen Sie bis Freitag."},
                               {"Adresse", "Hauptstraße 1\\T12345 Musterstadt"}, {"Brief", "Sehr geehrter Herr Maier,"}}));
        notepad = sim.windows.open("Unbenannt - Editor", Kind::Notepad);
        if (mainOpen) sim.tray.iconMessage(NotificationArea::RightButtonDown);
    }
    PickerForm* picker() { return shownForm<PickerForm>("PickerForm"); }
    bool pickerOpen() { return picker() && picker()->visible(); }
    void pressHotkey(Hotkey key = DefaultPickerHotkey) { sim.hotkeys.press(key); }
    void typeQuery(const std::string& query) {
        picker()->searchTB.setText("");
        for (std::size_t i = 1; i <= query.size(); ++i) picker()->searchTB.reportText(query.substr(0, i));
    }
    bool press(int key, int shift = 0) { return picker()->searchTB.pressKey(key, shift); }
    int row() { return picker()->entryList.listIndex(); }
    Names rows() {
        Names names;
        for (int i = 0; i < picker()->entryList.rowCount(); ++i) names.push_back(picker()->entryList.text(i));
        return names;
    }
    // A click on a row, then a key wherever the focus is: the list takes the focus and hears no keys of its own.
    void clickRowThenPress(int row, int key) {
        picker()->entryList.setFocus();
        picker()->entryList.reportSelection(row);
        if (picker()->focused() == &picker()->searchTB) press(key);
    }
    std::string notepadText() { return sim.windows.window(notepad).text; }
    OptionsForm& options() { return lastingForm<OptionsForm>("OptionsForm"); }
    std::string common(const std::string& key) { return sim.profile.readString("Common", key, "<none>", StandardFile, 32767); }

    WindowId notepad = 0;
};

// The ranking itself is the index's; here what the list shows of it.
TEST_F(PickerStory, TheListShowsTheHitsSelectingTheFirstAndForNoQueryTheEntriesSentInThisRunFirst) {
    startWithEntries();
    pressHotkey();
    EXPECT_EQ(rows(), (Names{"Abrechnung", "Adresse", "Brief", "Gruß an Müller", "Rechnung offen"}));
    const struct {
        const char* query;
        Names rows;
    } cases[] = {{"rech", {"Rechnung offen", "Abrechnung"}}, {"ung", {"Abrechnung", "Rechnung offen"}},
                 {"GRÜSSE", {"Gruß an Müller"}}, {"mueller", {"Gruß an Müller"}}, {"brief maier", {"Brief"}}, {"xyz", {}}};
    for (const auto& c : cases) {
        typeQuery(c.query);
        EXPECT_EQ(rows(), c.rows) << c.query;
        EXPECT_EQ(row(), c.rows.empty() ? -1 : 0) << c.query;
    }
    typeQuery("brief");
    press(KeyEnter);
    ASSERT_TRUE(chooseFromIconMenu("Rechnung offen"));  // from the menu too
    sim.windows.activate(notepad);
    pressHotkey();
    EXPECT_EQ(picker()->searchTB.text(), "");
    EXPECT_EQ(rows(), (Names{"Rechnung offen", "Brief", "Abrechnung", "Adresse", "Gruß an Müller"}));
    EXPECT_EQ(row(), 0);
}

TEST_F(PickerStory, KeysMoveInTheListWhileTheCursorStaysInTheSearchField) {
    startWithEntries();
    pressHotkey();
    picker()->entryList.reportPageRows(2);
    const struct {
        int key, shift, row;
    } steps[] = {{KeyDown, 0, 1},     {KeyDown, 0, 2}, {KeyUp, 0, 1}, {KeyPageDown, 0, 3}, {KeyPageDown, 0, 4},
                 {KeyPageDown, 0, 4}, {KeyHome, 0, 0}, {KeyUp, 0, 0}, {KeyEnd, 0, 4},
                 {KeyHome, ui::shift::Shift, 4}};  // selects in the field instead
    for (const auto& s : steps) {
        EXPECT_EQ(press(s.key, s.shift), s.shift == 0) << s.key;  // consumed
        EXPECT_EQ(row(), s.row) << s.key;
        EXPECT_TRUE(picker()->searchTB.hasFocus());
    }
    EXPECT_FALSE(press('A'));  // typing goes to the field
    // The next opening's list is made as the picker closes: at its top, with what another program wrote meanwhile.
    press(KeyEscape);
    sim.files.writeAll(StandardFile, "[Name]\r\n1=Brief\r\n2=Anruf\r\n");
    pressHotkey();
    EXPECT_EQ(rows(), (Names{"Anruf", "Brief"}));
    EXPECT_EQ(row(), 0);
    press(KeyDown);
    press(KeyEscape);
    pressHotkey();
    EXPECT_EQ(row(), 0);
}

TEST_F(PickerStory, EnterEscDoubleClickAndTheHotkeyWithTheMainWindowHiddenOrOpen) {
    using S = PickerStory&;
    const struct {
        const char* name;
        std::function<void(S)> act;
        std::string notepadText;
        bool backInNotepad = true;
    } cases[] = {
        {"Enter sends the first hit", [](S s) { s.typeQuery("rech"); s.press(KeyEnter); }, "Bitte zahlen Sie bis Freitag."},
        {"Down, Enter", [](S s) { s.typeQuery("rech"); s.press(KeyDown); s.press(KeyEnter); }, "Die Rechnung liegt bei."},
        {"double click", [](S s) { s.picker()->entryList.reportSelection(2); s.picker()->entryList.doubleClick(); },
         "Sehr geehrter Herr Maier,"},
        {"Esc sends nothing", [](S s) { s.press(KeyEscape); }, ""},
        {"click, Enter", [](S s) { s.clickRowThenPress(1, KeyEnter); }, "Hauptstraße 1\t12345 Musterstadt"},
        {"click, Esc", [](S s) { s.clickRowThenPress(1, KeyEscape); }, ""},
        {"the hotkey again closes it", [](S s) { s.pressHotkey(); }, ""},
        {"the close box is Esc", [](S s) { s.picker()->requestClose(ui::CloseReason::User); }, ""},
        {"Enter, nothing found", [](S s) { s.typeQuery("xyz"); s.press(KeyEnter); }, "", false},
    };
    // With the main window hidden and open alike, the text goes to the window that was active.
    for (const bool mainOpen : {false, true})
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (mainOpen ? ", main window open" : ""));
            startWithEntries(mainOpen);
            ASSERT_EQ(form().visible(), mainOpen);
            sim.windows.activate(notepad);
            pressHotkey();
            ASSERT_TRUE(pickerOpen());
            EXPECT_EQ(sim.windows.foreground(), sim.ui.windowOf(*picker()));
            c.act(*this);
            EXPECT_EQ(notepadText(), c.notepadText);
            EXPECT_EQ(pickerOpen(), !c.backInNotepad);
            EXPECT_EQ(sim.windows.foreground() == notepad, c.backInNotepad);
            EXPECT_EQ(form().visible(), mainOpen);
            EXPECT_TRUE(messages().empty());
        }
}

TEST_F(PickerStory, AClickOnAnotherWindowClosesItAndLeavesThatWindowActive) {
    for (const bool ownMainWindow : {false, true}) {
        startWithEntries(ownMainWindow);
        const WindowId other = ownMainWindow ? sim.ui.windowOf(form()) : sim.windows.open("Rechner", Kind::Other);
        sim.windows.activate(notepad);
        pressHotkey();
        ASSERT_TRUE(pickerOpen());
        sim.windows.activate(other);
        EXPECT_FALSE(pickerOpen()) << ownMainWindow;
        EXPECT_EQ(sim.windows.foreground(), other) << ownMainWindow;
        EXPECT_EQ(notepadText(), "");
    }
}

// An entry enciphered meanwhile is found by its name, but its text is not previewed.
TEST_F(PickerStory, ThePreviewShowsTheFirstLinesWithSymbolsAndNothingOfACipher) {
    startWith(snippetFile({{"Adresse", "Hauptstraße 1\\NZeile 2\\TEnde\\NZeile 3\\NZeile 4"},
                           {"Brief", "Sehr geehrter Herr Maier,"}}));
    form().lbEntryList.setListIndex(1);  // "Brief"
    form().cryptChk.click();
    form().cryptChk.loseFocus();
    ASSERT_EQ(readEntry(2).crypt, 1);
    pressHotkey();
    EXPECT_EQ(picker()->preview.caption(), "Hauptstraße 1¶\r\nZeile 2→Ende¶\r\nZeile 3¶");
    typeQuery("nichts");
    EXPECT_EQ(picker()->preview.caption(), "");
    typeQuery("brief");
    EXPECT_EQ(rows(), Names{"Brief"});
    EXPECT_EQ(picker()->preview.caption(), "");
}

TEST(PickerPlace, OpensBelowTheCaretElseAboveItAndAlwaysInsideTheWorkArea) {
    const ScreenRect area{0, 0, 1280, 994};
    const struct {
        const char* name;
        ScreenRect at, workArea, place;
    } cases[] = {
        {"below the caret", {100, 200, 101, 216}, area, {100, 216, 460, 516}},
        {"above it near the bottom", {100, 900, 101, 916}, area, {100, 600, 460, 900}},
        {"left of the right edge", {1200, 200, 1201, 216}, area, {920, 216, 1280, 516}},
        {"at the mouse", {640, 512, 640, 512}, area, {640, 512, 1000, 812}},
        {"inside a monitor left of the primary", {-300, 50, -299, 66}, {-1024, 0, 0, 738}, {-360, 66, 0, 366}},
        {"on a work area too small", {10, 10, 11, 26}, {0, 0, 300, 200}, {0, 0, 360, 300}},
    };
    for (const auto& c : cases) EXPECT_EQ(placeAtTypingSpot({c.at, true, c.workArea}, 360, 300), c.place) << c.name;
}

TEST_F(PickerStory, OpensAtTheCaretOfTheWindowInFrontElseAtTheMouse) {
    startWithEntries();
    sim.windows.monitors.push_back({{1280, 0, 2560, 1024}, {1280, 0, 2560, 1024}});
    sim.windows.window(notepad).caret = ScreenRect{2500, 980, 2501, 996};  // the last line of a second monitor
    pressHotkey();
    const ui::Rect g = picker()->geometry();
    EXPECT_EQ(g.left / 15 + g.width / 15, 2560);  // its right edge on the monitor's
    EXPECT_EQ(g.top / 15 + g.height / 15, 980);   // above the caret
    pressHotkey();
    sim.windows.window(notepad).caret.reset();
    sim.windows.mouseX = 200;
    sim.windows.mouseY = 100;
    pressHotkey();
    EXPECT_EQ(picker()->geometry().left, 200 * 15);
    EXPECT_EQ(picker()->geometry().top, 100 * 15);
}

TEST_F(PickerStory, AnEntryWithATitleGoesToItsWindowAsFromTheMenu) {
    startWith("[Name]\r\n1=Mail\r\n[Text]\r\n1=Hallo\r\n[Title]\r\n1=Posteingang\r\n[Ignore]\r\n1=x\r\n");
    const WindowId mail = sim.windows.open("Posteingang - Mail", Kind::Notepad);
    notepad = sim.windows.open("Unbenannt - Editor", Kind::Notepad);
    pressHotkey();
    press(KeyEnter);
    EXPECT_EQ(sim.windows.window(mail).text, "Hallo");
    EXPECT_EQ(notepadText(), "");
}

TEST_F(PickerStory, TheHotkeyPressedWhileAnEntryIsTypedOpensThePickerOnceItsKeysAreOut) {
    startWithEntries();
    sim.windows.activate(notepad);
    bool pressed = false, opened = true;
    sim.windows.whileTyping = [&] {
        if (!std::exchange(pressed, true)) pressHotkey(), opened = pickerOpen();
    };
    ASSERT_TRUE(chooseFromIconMenu("Brief"));
    sim.windows.whileTyping = nullptr;
    EXPECT_TRUE(pressed && !opened);
    EXPECT_EQ(notepadText(), "Sehr geehrter Herr Maier,");
    sim.ui.advance(100);
    EXPECT_TRUE(pickerOpen());
    EXPECT_EQ(picker()->searchTB.text(), "");
}

TEST_F(PickerStory, WhileAModalDialogIsOpenTheHotkeyBringsItToTheFront) {
    startWithEntries();
    bool pickerOpened = true;
    WindowId inFront = 0;
    sim.ui.whenModal([&](ui::Form& dialog) {
        sim.windows.activate(notepad);  // the user went on elsewhere
        pressHotkey();
        inFront = sim.windows.foreground();
        pickerOpened = pickerOpen();
        dialog.hide();
    });
    choose(form().mExtras, form().miOptions);  // the options dialog, modal
    EXPECT_EQ(inFront, sim.ui.windowOf(options()));
    EXPECT_FALSE(pickerOpened);
    sim.windows.activate(notepad);  // closed, the hotkey opens the picker again
    pressHotkey();
    EXPECT_TRUE(pickerOpen());
}

TEST_F(PickerStory, AHotkeyAnotherProgramHoldsIsReportedOnceAndTheProgramRunsOn) {
    sim.hotkeys.takenByOthers.insert(DefaultPickerHotkey.word());
    startWithEntries();
    ASSERT_EQ(messages().size(), 1u);
    for (const char* part : {"Win+Umschalt+Eingabe", "Optionen"})
        EXPECT_NE(messages()[0].text.find(part), std::string::npos) << messages()[0].text;
    EXPECT_TRUE(sim.hotkeys.held.none());
    form().btnOptions.click();  // loaded again, nothing more is said; the menu still sends
    options().btnStandard.click();
    EXPECT_EQ(messages().size(), 1u);
    ASSERT_TRUE(chooseFromIconMenu("Brief"));
    EXPECT_EQ(notepadText(), "Sehr geehrter Herr Maier,");
}

TEST_F(PickerStory, TheHotkeyChosenInTheOptionsIsHeldAtOnceAndStoredByOk) {
    startWithEntries();
    EXPECT_EQ(sim.hotkeys.held, DefaultPickerHotkey);
    EXPECT_EQ(common(PickerHotkeyKey), "<none>");  // older files have none: the default
    form().btnOptions.click();
    EXPECT_EQ(options().hotkeyBox.value(), DefaultPickerHotkey);
    // A letter alone (or with Shift) would no longer type, a modifier alone is no key.
    const Hotkey presses[] = {{'A', 0}, {'A', Hotkey::Shift}, {0x11, Hotkey::Ctrl}, CtrlShiftSpace};
    options().hotkeyBox.setFocus();
    EXPECT_TRUE(sim.hotkeys.held.none());  // the field hears the combination, not the program
    for (const Hotkey& p : presses) {
        options().hotkeyBox.press(p);
        EXPECT_EQ(options().hotkeyBox.value(), p == CtrlShiftSpace ? p : DefaultPickerHotkey) << hotkeyName(p);
    }
    options().hotkeyBox.loseFocus();
    EXPECT_EQ(sim.hotkeys.held, CtrlShiftSpace);
    options().btnOk.click();
    EXPECT_EQ(common(PickerHotkeyKey), std::to_string(CtrlShiftSpace.word()));
    pressHotkey(DefaultPickerHotkey);
    EXPECT_FALSE(pickerOpen());
    pressHotkey(CtrlShiftSpace);
    EXPECT_TRUE(pickerOpen());
    pressHotkey(CtrlShiftSpace);
    // Backspace: none, stored as 0 and kept so at the next start.
    form().btnOptions.click();
    options().hotkeyBox.setFocus();
    options().hotkeyBox.press({0x08, 0});
    options().btnOk.click();
    EXPECT_EQ(common(PickerHotkeyKey), "0");
    EXPECT_TRUE(sim.hotkeys.held.none());
    program.reset();
    start();
    EXPECT_TRUE(sim.hotkeys.held.none());
    EXPECT_EQ(options().hotkeyBox.value(), Hotkey{});
}

TEST(HotkeyNames, AsAGermanKeyboardNamesThem) {
    const struct {
        Hotkey key;
        const char* name;
    } cases[] = {{DefaultPickerHotkey, "Win+Umschalt+Eingabe"}, {CtrlShiftSpace, "Strg+Umschalt+Leertaste"},
                 {{'S', Hotkey::Alt | Hotkey::Shift}, "Alt+Umschalt+S"}, {{0x74, Hotkey::Ctrl | Hotkey::Alt}, "Strg+Alt+F5"},
                 {{0x7B, 0}, "F12"}, {{0xDE, Hotkey::Win}, "Win+Ä"}, {{0x22, Hotkey::Ctrl}, "Strg+Bild ab"}, {{}, "Keine"}};
    for (const auto& c : cases) {
        EXPECT_EQ(hotkeyName(c.key), c.name);
        EXPECT_EQ(Hotkey::fromWord(c.key.word()), c.key) << c.name;
    }
    for (int word : {-5, 0x10000, 0x0900}) EXPECT_EQ(Hotkey::fromWord(word), Hotkey{}) << word;  // what a file may hold
}

}  // namespace
}  // namespace scrivlet
