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
    std::string notepadText() { return sim.windows.window(notepad).text; }
    OptionsForm& options() { return lastingForm<OptionsForm>("OptionsForm"); }
    std::string common(const std::string& key) { return sim.profile.readString("Common", key, "<none>", StandardFile, 32767); }

    WindowId notepad = 0;
};

// The ranking's edge cases are the index's; here what the list shows of it, and when the file is read.
TEST_F(PickerStory, TheListShowsTheHitsSelectingTheFirstAndForNoQueryTheEntriesSentInThisRunFirst) {
    startWithEntries();
    pressHotkey();
    const std::size_t reads = sim.profile.reads();
    const struct { const char* query; Names rows; const char* preview; } cases[] = {
        {"rech", {"Rechnung offen", "Abrechnung"}, "Bitte zahlen Sie bis Freitag."},
        {"GRÜSSE", {"Gruß an Müller"}, "Viele Grüße¶\r\nIhr Team"}, {"xyz", {}, ""},
        {"", {"Abrechnung", "Adresse", "Brief", "Gruß an Müller", "Rechnung offen"}, "Die Rechnung liegt bei."}};
    for (const auto& c : cases) {
        typeQuery(c.query);
        EXPECT_EQ(rows(), c.rows) << c.query;
        EXPECT_EQ(row(), c.rows.empty() ? -1 : 0) << c.query;
        EXPECT_EQ(picker()->preview.caption(), c.preview) << c.query;
    }
    press(KeyDown);  // made as the picker closes: the next opening starts at the top
    press(KeyEscape);
    pressHotkey();
    EXPECT_EQ(row(), 0);
    EXPECT_EQ(sim.profile.reads(), reads);  // neither a keystroke nor an opening with the file unchanged
    typeQuery("brief");
    press(KeyEnter);
    ASSERT_TRUE(chooseFromIconMenu("Rechnung offen"));  // from the menu too
    sim.windows.activate(notepad);
    pressHotkey();
    EXPECT_EQ(picker()->searchTB.text(), "");
    EXPECT_EQ(rows(), (Names{"Rechnung offen", "Brief", "Abrechnung", "Adresse", "Gruß an Müller"}));
    EXPECT_EQ(row(), 0);
    press(KeyEscape);
    sim.files.writeAll(StandardFile, "[Name]\r\n1=Brief\r\n2=Anruf\r\n");  // by another program meanwhile
    pressHotkey();
    EXPECT_EQ(rows(), (Names{"Anruf", "Brief"}));
    press(KeyEscape);
    sim.files.remove(StandardFile);
    pressHotkey();
    EXPECT_EQ(rows(), Names{});
}

TEST_F(PickerStory, EnterEscDoubleClickAndTheHotkeyWithTheMainWindowHiddenOrOpen) {
    using S = PickerStory&;
    const struct { const char* name; std::function<void(S)> act; std::string notepadText; bool backInNotepad = true; } cases[] = {
        {"Down, Enter", [](S s) { s.typeQuery("rech"); s.press(KeyDown); s.press(KeyEnter); }, "Die Rechnung liegt bei."},
        {"double click", [](S s) { s.picker()->entryList.reportSelection(2); s.picker()->entryList.doubleClick(); },
         "Sehr geehrter Herr Maier,"},
        {"Esc", [](S s) { s.press(KeyEscape); }, ""},  // a click on a row, then a key: end to end
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

// While the program is busy: during a send the picker opens once the entry's keys are out; during a modal
// dialog the hotkey brings the dialog to the front.
TEST_F(PickerStory, TheHotkeyWaitsForASendAndBringsAModalDialogToTheFront) {
    startWithEntries();
    sim.windows.activate(notepad);
    int typed = 0, modals = 0;
    sim.windows.whileTyping = [&] {
        if (typed++ == 0) pressHotkey();
        EXPECT_FALSE(pickerOpen());
    };
    ASSERT_TRUE(chooseFromIconMenu("Brief"));
    sim.windows.whileTyping = nullptr;
    EXPECT_GT(typed, 0);
    EXPECT_EQ(notepadText(), "Sehr geehrter Herr Maier,");
    sim.ui.advance(100);
    EXPECT_TRUE(pickerOpen());
    press(KeyEscape);
    sim.ui.whenModal([&](ui::Form& dialog) {
        ++modals;
        sim.windows.activate(notepad);  // the user went on elsewhere
        pressHotkey();
        EXPECT_EQ(sim.windows.foreground(), sim.ui.windowOf(dialog));
        EXPECT_FALSE(pickerOpen());
        dialog.hide();
    });
    choose(form().mExtras, form().miOptions);
    EXPECT_EQ(modals, 1);
    sim.windows.activate(notepad);
    pressHotkey();
    EXPECT_TRUE(pickerOpen());
}

// Taken by another program: said once, by its name, and the menu still sends. The field hears the combination,
// the program holds it as the field is left, OK stores it (the key code plus 256 times the modifiers).
TEST_F(PickerStory, AHotkeyTakenIsReportedOnceAndOneChosenInTheOptionsIsHeldAtOnceAndStoredByOk) {
    sim.hotkeys.takenByOthers.insert(DefaultPickerHotkey.word());
    startWithEntries();
    ASSERT_EQ(messages().size(), 1u);
    for (const char* part : {"Win+Umschalt+Eingabe", "Optionen"})
        EXPECT_NE(messages()[0].text.find(part), std::string::npos) << messages()[0].text;
    ASSERT_TRUE(chooseFromIconMenu("Brief"));
    EXPECT_EQ(notepadText(), "Sehr geehrter Herr Maier,");
    EXPECT_EQ(common(PickerHotkeyKey), "<none>");  // older files have none: the default
    form().btnOptions.click();
    options().btnStandard.click();  // loaded again, the field passed through: the taken one is not said again
    options().hotkeyBox.setFocus();
    options().hotkeyBox.loseFocus();
    options().hotkeyBox.setFocus();
    // A letter with Shift would no longer type; a modifier alone is no key.
    for (const Hotkey& p : {Hotkey{'A', Hotkey::Shift}, Hotkey{0x11, Hotkey::Ctrl}, CtrlShiftSpace}) {
        options().hotkeyBox.press(p);
        EXPECT_EQ(options().hotkeyBox.value(), p == CtrlShiftSpace ? p : DefaultPickerHotkey) << hotkeyName(p);
    }
    options().hotkeyBox.loseFocus();
    EXPECT_EQ(sim.hotkeys.held, CtrlShiftSpace);
    EXPECT_EQ(messages().size(), 1u);
    options().btnOk.click();
    EXPECT_EQ(common(PickerHotkeyKey), "800");
    form().btnOptions.click();  // Backspace: none, kept so at the next start
    options().hotkeyBox.setFocus();
    EXPECT_TRUE(sim.hotkeys.held.none());  // the field hears the combination, not the program
    options().hotkeyBox.press({0x08, 0});
    options().btnOk.click();
    EXPECT_EQ(common(PickerHotkeyKey), "0");
    program.reset();
    start();
    EXPECT_TRUE(sim.hotkeys.held.none());
    EXPECT_EQ(options().hotkeyBox.value(), Hotkey{});
}

// The modifiers in the order German Windows writes them; a word from the file is a combination with a key, or none.
TEST(HotkeyNames, AsGermanWindowsNamesThemAndAsTheFileHoldsThem) {
    const Hotkey all{0x74, Hotkey::Win | Hotkey::Ctrl | Hotkey::Alt | Hotkey::Shift};
    EXPECT_EQ(hotkeyName(all), "Win+Strg+Alt+Umschalt+F5");
    EXPECT_EQ(Hotkey::fromWord(all.word()), all);
    for (int word : {-5, 0x10000, 0x0900}) EXPECT_EQ(Hotkey::fromWord(word), Hotkey{}) << word;
}

}  // namespace
}  // namespace scrivlet
