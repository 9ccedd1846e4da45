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

constexpr int KeyEnter = 0x0D, KeyEscape = 0x1B, KeyDown = 0x28;
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
    bool press(int key) { return picker()->searchTB.pressKey(key, 0); }
    int row() { return picker()->entryList.listIndex(); }
    Names rows() {
        Names names;
        for (int i = 0; i < picker()->entryList.rowCount(); ++i) names.push_back(picker()->entryList.text(i));
        return names;
    }
    // The list takes the focus on a click and hears no keys of its own.
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

// The ranking's edge cases are the index's; here what the list shows of it.
TEST_F(PickerStory, TheListShowsTheHitsSelectingTheFirstAndForNoQueryTheEntriesSentInThisRunFirst) {
    startWithEntries();
    pressHotkey();
    const struct { const char* query; Names rows; } cases[] = {
        {"", {"Abrechnung", "Adresse", "Brief", "Gruß an Müller", "Rechnung offen"}}, {"rech", {"Rechnung offen", "Abrechnung"}},
        {"GRÜSSE", {"Gruß an Müller"}}, {"mueller", {"Gruß an Müller"}}, {"xyz", {}}};
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

// Made as the picker closes: the next opening starts at the top, with what another program wrote meanwhile.
TEST_F(PickerStory, TheListIsMadeAfreshAfterTheFileChanged) {
    startWithEntries();
    pressHotkey();
    press(KeyDown);
    press(KeyEscape);
    sim.files.writeAll(StandardFile, "[Name]\r\n1=Brief\r\n2=Anruf\r\n");
    pressHotkey();
    EXPECT_EQ(rows(), (Names{"Anruf", "Brief"}));
    EXPECT_EQ(row(), 0);
}

TEST_F(PickerStory, EnterEscDoubleClickAndTheHotkeyWithTheMainWindowHiddenOrOpen) {
    using S = PickerStory&;
    const struct { const char* name; std::function<void(S)> act; std::string notepadText; bool backInNotepad = true; } cases[] = {
        {"Down, Enter", [](S s) { s.typeQuery("rech"); s.press(KeyDown); s.press(KeyEnter); }, "Die Rechnung liegt bei."},
        {"double click", [](S s) { s.picker()->entryList.reportSelection(2); s.picker()->entryList.doubleClick(); },
         "Sehr geehrter Herr Maier,"},
        {"click, Esc", [](S s) { s.clickRowThenPress(1, KeyEscape); }, ""},  // Enter after a click: end to end
        {"the hotkey again", [](S s) { s.pressHotkey(); }, ""},
        {"the close box", [](S s) { s.picker()->requestClose(ui::CloseReason::User); }, ""},
        {"Enter, nothing found", [](S s) { s.typeQuery("xyz"); s.press(KeyEnter); }, "", false},
    };
    for (const bool mainOpen : {false, true})
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (mainOpen ? ", main window open" : ""));
            startWithEntries(mainOpen);
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

TEST(PickerPlace, OpensBelowTheCaretElseAboveItAndAlwaysInsideTheWorkArea) {
    const ScreenRect area{0, 0, 1280, 994};
    const struct { const char* name; ScreenRect at, workArea, place; } cases[] = {
        {"below the caret", {100, 200, 101, 216}, area, {100, 216, 460, 516}},
        {"above it near the bottom", {100, 900, 101, 916}, area, {100, 600, 460, 900}},
        {"left of the right edge", {1200, 200, 1201, 216}, area, {920, 216, 1280, 516}},
        {"inside a monitor left of the primary", {-300, 50, -299, 66}, {-1024, 0, 0, 738}, {-360, 66, 0, 366}},
        {"on a work area too small", {10, 10, 11, 26}, {0, 0, 300, 200}, {0, 0, 360, 300}}};
    for (const auto& c : cases) EXPECT_EQ(placeAtTypingSpot({c.at, true, c.workArea}, 360, 300), c.place) << c.name;
}

TEST_F(PickerStory, TheHotkeyPressedWhileAnEntryIsTypedOpensThePickerOnceItsKeysAreOut) {
    startWithEntries();
    sim.windows.activate(notepad);
    bool pressed = false, opened = true;
    sim.windows.whileTyping = [&] { if (!std::exchange(pressed, true)) pressHotkey(), opened = pickerOpen(); };
    ASSERT_TRUE(chooseFromIconMenu("Brief"));
    sim.windows.whileTyping = nullptr;
    EXPECT_TRUE(pressed && !opened);
    EXPECT_EQ(notepadText(), "Sehr geehrter Herr Maier,");
    sim.ui.advance(100);
    EXPECT_TRUE(pickerOpen());
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
    choose(form().mExtras, form().miOptions);
    EXPECT_EQ(inFront, sim.ui.windowOf(options()));
    EXPECT_FALSE(pickerOpened);
    sim.windows.activate(notepad);
    pressHotkey();
    EXPECT_TRUE(pickerOpen());
}

TEST_F(PickerStory, AHotkeyAnotherProgramHoldsIsReportedOnceAndTheProgramRunsOn) {
    sim.hotkeys.takenByOthers.insert(DefaultPickerHotkey.word());
    startWithEntries();
    ASSERT_EQ(messages().size(), 1u);
    for (const char* part : {"Win+Umschalt+Eingabe", "Optionen"})
        EXPECT_NE(messages()[0].text.find(part), std::string::npos) << messages()[0].text;
    form().btnOptions.click();  // loaded again, nothing more is said; the menu still sends
    options().btnStandard.click();
    EXPECT_EQ(messages().size(), 1u);
    ASSERT_TRUE(chooseFromIconMenu("Brief"));
    EXPECT_EQ(notepadText(), "Sehr geehrter Herr Maier,");
}

TEST_F(PickerStory, TheHotkeyChosenInTheOptionsIsHeldAtOnceAndStoredByOk) {
    startWithEntries();
    EXPECT_EQ(common(PickerHotkeyKey), "<none>");  // older files have none: the default
    form().btnOptions.click();
    options().hotkeyBox.setFocus();
    EXPECT_TRUE(sim.hotkeys.held.none());  // the field hears the combination, not the program
    // A letter with Shift would no longer type; a modifier alone is no key.
    for (const Hotkey& p : {Hotkey{'A', Hotkey::Shift}, Hotkey{0x11, Hotkey::Ctrl}, CtrlShiftSpace}) {
        options().hotkeyBox.press(p);
        EXPECT_EQ(options().hotkeyBox.value(), p == CtrlShiftSpace ? p : DefaultPickerHotkey) << hotkeyName(p);
    }
    options().hotkeyBox.loseFocus();
    EXPECT_EQ(sim.hotkeys.held, CtrlShiftSpace);
    options().btnOk.click();
    EXPECT_EQ(common(PickerHotkeyKey), std::to_string(CtrlShiftSpace.word()));
    form().btnOptions.click();  // Backspace: none, kept so at the next start
    options().hotkeyBox.setFocus();
    options().hotkeyBox.press({0x08, 0});
    options().btnOk.click();
    EXPECT_EQ(common(PickerHotkeyKey), "0");
    program.reset();
    start();
    EXPECT_TRUE(sim.hotkeys.held.none());
    EXPECT_EQ(options().hotkeyBox.value(), Hotkey{});
}

TEST(HotkeyNames, AsAGermanKeyboardNamesThem) {
    const struct { Hotkey key; const char* name; } cases[] = {{DefaultPickerHotkey, "Win+Umschalt+Eingabe"},
        {{0x74, Hotkey::Ctrl | Hotkey::Alt}, "Strg+Alt+F5"}, {{0x7B, 0}, "F12"}, {{0xDE, Hotkey::Win}, "Win+Ä"},
        {{0x22, Hotkey::Ctrl}, "Strg+Bild ab"}, {{}, "Keine"}};
    for (const auto& c : cases) {
        EXPECT_EQ(hotkeyName(c.key), c.name);
        EXPECT_EQ(Hotkey::fromWord(c.key.word()), c.key) << c.name;
    }
    for (int word : {-5, 0x10000, 0x0900}) EXPECT_EQ(Hotkey::fromWord(word), Hotkey{}) << word;  // what a file may hold
}

}  // namespace
}  // namespace scrivlet
