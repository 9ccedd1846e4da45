#include <gtest/gtest.h>

#include <functional>
#include <string>
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

struct PickerStory : test::MainWindowStory {
    // In the file's order; the menu sorts them.
    void startWithEntries() {
        startWith(snippetFile({{"Gruß an Müller", "Viele Grüße\\NIhr Team"},
                               {"Abrechnung", "Die Rechnung liegt bei."},
                               {"Rechnung offen", "Bitte zahlen Sie bis Freitag."},
                               {"Adresse", "Hauptstraße 1\\T12345 Musterstadt"},
                               {"Brief", "Sehr geehrter Herr Maier,"}}));
        notepad = sim.windows.open("Unbenannt - Editor", Kind::Notepad);
    }
    PickerForm* picker() { return shownForm<PickerForm>("PickerForm"); }
    bool pickerOpen() { return picker() && picker()->visible(); }
    void pressHotkey(Hotkey key = DefaultPickerHotkey) { sim.hotkeys.press(key); }
    void typeQuery(const std::string& query) {
        picker()->searchTB.setText("");
        for (std::size_t i = 1; i <= query.size(); ++i) picker()->searchTB.reportText(query.substr(0, i));
    }
    bool press(int key, int shift = 0) { return picker()->searchTB.pressKey(key, shift); }
    Names rows() {
        Names names;
        for (int i = 0; i < picker()->entryList.rowCount(); ++i) names.push_back(picker()->entryList.text(i));
        return names;
    }
    // A click on a row: the list takes the focus as the click lands, then selects the row.
    void clickRow(int row) {
        picker()->entryList.setFocus();
        picker()->entryList.reportSelection(row);
    }
    // A key pressed wherever the picker has the focus; the list hears no keys of its own.
    void pressInPicker(int key) {
        if (picker()->focused() == &picker()->searchTB) press(key);
    }
    std::string notepadText() { return sim.windows.window(notepad).text; }
    OptionsForm& options() { return lastingForm<OptionsForm>("OptionsForm"); }
    std::string common(const std::string& key) {
        return sim.profile.readString("Common", key, "<none>", StandardFile, 32767);
    }

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
    } cases[] = {
        {"rech", {"Rechnung offen", "Abrechnung"}},  {"ung", {"Abrechnung", "Rechnung offen"}},
        {"GRÜSSE", {"Gruß an Müller"}},              {"mueller", {"Gruß an Müller"}},
        {"brief maier", {"Brief"}},                  {"xyz", {}},
    };
    for (const auto& c : cases) {
        typeQuery(c.query);
        EXPECT_EQ(rows(), c.rows) << c.query;
        EXPECT_EQ(picker()->entryList.listIndex(), c.rows.empty() ? -1 : 0) << c.query;
    }
    typeQuery("brief");
    press(KeyEnter);
    ASSERT_TRUE(chooseFromIconMenu("Rechnung offen"));  // from the menu too
    sim.windows.activate(notepad);
    pressHotkey();
    EXPECT_EQ(picker()->searchTB.text(), "");
    EXPECT_EQ(rows(), (Names{"Rechnung offen", "Brief", "Abrechnung", "Adresse", "Gruß an Müller"}));
    EXPECT_EQ(picker()->entryList.listIndex(), 0);
}

TEST_F(PickerStory, KeysMoveInTheListWhileTheCursorStaysInTheSearchField) {
    startWithEntries();
    pressHotkey();
    picker()->entryList.reportPageRows(2);
    const struct {
        int key, shift, row;
    } steps[] = {
        {KeyDown, 0, 1},     {KeyDown, 0, 2}, {KeyUp, 0, 1}, {KeyPageDown, 0, 3}, {KeyPageDown, 0, 4},
        {KeyPageDown, 0, 4}, {KeyHome, 0, 0}, {KeyUp, 0, 0}, {KeyEnd, 0, 4},
        {KeyHome, ui::shift::Shift, 4},  // selects in the field instead
    };
    for (const auto& s : steps) {
        EXPECT_EQ(press(s.key, s.shift), s.shift == 0) << s.key;  // consumed
        EXPECT_EQ(picker()->entryList.listIndex(), s.row) << s.key;
        EXPECT_TRUE(picker()->searchTB.hasFocus());
    }
    EXPECT_FALSE(press('A'));  // typing goes to the field
    // The list the next opening shows is made as the picker closes: at its
    // top again, and with what another program wrote meanwhile.
    press(KeyEscape);
    sim.files.writeAll(StandardFile, "[Name]\r\n1=Brief\r\n2=Anruf\r\n");
    pressHotkey();
    EXPECT_EQ(rows(), (Names{"Anruf", "Brief"}));
    EXPECT_EQ(picker()->entryList.listIndex(), 0);
    press(KeyDown);
    press(KeyEscape);
    pressHotkey();
    EXPECT_EQ(picker()->entryList.listIndex(), 0);
}

TEST_F(PickerStory, EnterEscDoubleClickAndTheHotkeyWithTheMainWindowHiddenOrOpen) {
    const struct {
        const char* name;
        std::function<void(PickerStory&)> act;
        std::string notepadText;
        bool backInNotepad = true;
    } cases[] = {
        {"Enter sends the first hit", [](PickerStory& s) { s.typeQuery("rech"); s.press(KeyEnter); },
         "Bitte zahlen Sie bis Freitag."},
        {"Down and Enter send the second",
         [](PickerStory& s) { s.typeQuery("rech"); s.press(KeyDown); s.press(KeyEnter); }, "Die Rechnung liegt bei."},
        {"a double click sends the row clicked",
         [](PickerStory& s) { s.picker()->entryList.reportSelection(2); s.picker()->entryList.doubleClick(); },
         "Sehr geehrter Herr Maier,"},
        {"Esc sends nothing", [](PickerStory& s) { s.press(KeyEscape); }, ""},
        {"after a click in the list Enter sends the row clicked",
         [](PickerStory& s) { s.clickRow(1); s.pressInPicker(KeyEnter); }, "Hauptstraße 1\t12345 Musterstadt"},
        {"after a click in the list Esc sends nothing", [](PickerStory& s) { s.clickRow(1); s.pressInPicker(KeyEscape); },
         ""},
        {"the hotkey again closes it", [](PickerStory& s) { s.pressHotkey(); }, ""},
        {"the close box is Esc", [](PickerStory& s) { s.picker()->requestClose(ui::CloseReason::User); }, ""},
        {"Enter with nothing found sends nothing", [](PickerStory& s) { s.typeQuery("xyz"); s.press(KeyEnter); }, "",
         false},
    };
    // With the main window hidden and open alike, the text goes to the window that was active.
    for (const bool mainOpen : {false, true})
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (mainOpen ? ", main window open" : ""));
            startWithEntries();
            if (mainOpen) sim.tray.iconMessage(NotificationArea::RightButtonDown);
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
        SCOPED_TRACE(ownMainWindow);
        startWithEntries();
        if (ownMainWindow) sim.tray.iconMessage(NotificationArea::RightButtonDown);
        const WindowId other = ownMainWindow ? sim.ui.windowOf(form()) : sim.windows.open("Rechner", Kind::Other);
        sim.windows.activate(notepad);
        pressHotkey();
        ASSERT_TRUE(pickerOpen());
        sim.windows.activate(other);
        EXPECT_FALSE(pickerOpen());
        EXPECT_EQ(sim.windows.foreground(), other);
        EXPECT_EQ(notepadText(), "");
    }
}

// An enciphered entry is found by its name, but its text is neither searched nor previewed.
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
    typeQuery("maier");
    EXPECT_EQ(rows(), Names{});
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
    for (const auto& c : cases)
        EXPECT_EQ(placeAtTypingSpot({c.at, true, c.workArea}, 360, 300), c.place) << c.name;
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
    bool pressed = false;
    sim.windows.whileTyping = [&] {
        if (pressed) return;
        pressed = true;
        pressHotkey();
        EXPECT_FALSE(pickerOpen());
    };
    ASSERT_TRUE(chooseFromIconMenu("Brief"));
    sim.windows.whileTyping = nullptr;
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
    // Loaded again, nothing more is said; the menu still sends.
    form().btnOptions.click();
    options().btnStandard.click();
    EXPECT_EQ(messages().size(), 1u);
    ASSERT_TRUE(chooseFromIconMenu("Brief"));
    EXPECT_EQ(notepadText(), "Sehr geehrter Herr Maier,");
}

TEST_F(PickerStory, TheHotkeyChosenInTheOptionsIsHeldAtOnceAndStoredByOk) {
    const Hotkey ctrlShiftSpace{0x20, Hotkey::Ctrl | Hotkey::Shift};
    startWithEntries();
    EXPECT_EQ(sim.hotkeys.held, DefaultPickerHotkey);
    EXPECT_EQ(common(PickerHotkeyKey), "<none>");  // older files have none: the default
    form().btnOptions.click();
    EXPECT_EQ(options().hotkeyBox.value(), DefaultPickerHotkey);
    const struct {
        Hotkey pressed, value;
    } presses[] = {
        {{'A', 0}, DefaultPickerHotkey},              // a letter alone would no longer type
        {{'A', Hotkey::Shift}, DefaultPickerHotkey},  // nor with Shift
        {{0x11, Hotkey::Ctrl}, DefaultPickerHotkey},  // a modifier alone is no key
        {ctrlShiftSpace, ctrlShiftSpace},
    };
    options().hotkeyBox.setFocus();
    EXPECT_TRUE(sim.hotkeys.held.none());  // the field hears the combination, not the program
    for (const auto& p : presses) {
        options().hotkeyBox.press(p.pressed);
        EXPECT_EQ(options().hotkeyBox.value(), p.value) << hotkeyName(p.pressed);
    }
    options().hotkeyBox.loseFocus();
    EXPECT_EQ(sim.hotkeys.held, ctrlShiftSpace);
    options().btnOk.click();
    EXPECT_EQ(common(PickerHotkeyKey), std::to_string(ctrlShiftSpace.word()));
    pressHotkey(DefaultPickerHotkey);
    EXPECT_FALSE(pickerOpen());
    pressHotkey(ctrlShiftSpace);
    EXPECT_TRUE(pickerOpen());
    pressHotkey(ctrlShiftSpace);

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
    } cases[] = {
        {DefaultPickerHotkey, "Win+Umschalt+Eingabe"},  {{0x20, Hotkey::Ctrl | Hotkey::Shift}, "Strg+Umschalt+Leertaste"},
        {{'S', Hotkey::Alt | Hotkey::Shift}, "Alt+Umschalt+S"}, {{0x74, Hotkey::Ctrl | Hotkey::Alt}, "Strg+Alt+F5"},
        {{0x7B, 0}, "F12"}, {{0xDE, Hotkey::Win}, "Win+Ä"}, {{0x22, Hotkey::Ctrl}, "Strg+Bild ab"}, {{}, "Keine"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(hotkeyName(c.key), c.name);
        EXPECT_EQ(Hotkey::fromWord(c.key.word()), c.key) << c.name;
    }
    for (int word : {-5, 0x10000, 0x0900}) EXPECT_EQ(Hotkey::fromWord(word), Hotkey{}) << word;  // what a file may hold
}

}  // namespace
}  // namespace scrivlet
