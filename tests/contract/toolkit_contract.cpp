// What the control toolkit does alike on every back-end: the program's forms
// are written once against it and rely on the same events and the same state,
// whether native windows mirror the controls or not. On the real desktop every
// doEvents() reads the controls back from their windows, so each check below
// also holds what the native control shows against the control.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/ui/form.h"
#include "platform/ui/list_box.h"
#include "platform/ui/rich_edit.h"
#include "platform/ui/simple_controls.h"
#include "support/backend.h"

namespace scrivlet {

namespace ui {
// Readable failures: the colour and the font of a character.
[[maybe_unused]] static void PrintTo(const CharFormat& format, std::ostream* out) {
    *out << std::hex << format.colour << std::dec << ' ' << format.font;
}
}  // namespace ui

namespace test {
namespace {

using ui::CharFormat;

class ToolkitContract : public ::testing::Test {
protected:
    // Gives the form and the controls the test made their windows, if the
    // back-end has any. (Hidden: a window that was shown costs Wine seconds
    // to take away again when no window manager runs.)
    void makeWindows() {
        form.realize();
        ui.doEvents();
    }

    std::unique_ptr<ui::UiBackend> backend = makeUiBackend();
    ui::UiBackend& ui = *backend;
    ui::Form form{ui, "frmPruefung", 7200, 5400, {}};
};

std::vector<std::string> textsOf(const std::vector<ui::ListItem>& items) {
    std::vector<std::string> texts;
    for (const auto& item : items) texts.push_back(item.text);
    return texts;
}

// ---- sorted lists

struct SortCase {
    const char* label;
    bool windowsFirst;  // the items arrive after the form has its windows
    bool comboBox;
    bool allAtOnce = false;  // setItems rather than one addItem each
};

void PrintTo(const SortCase& c, std::ostream* out) { *out << c.label; }

class SortedLists : public ToolkitContract, public ::testing::WithParamInterface<SortCase> {};

TEST_P(SortedLists, OrderIgnoresCaseAndKeepsEqualTextsInArrivalOrder) {
    const SortCase& c = GetParam();
    ui::ListBox list(&form, "lstEintraege", {120, 120, 3000, 2400}, true);
    ui::ComboBox combo(&form, "cboEintraege", {3300, 120, 3000, 315}, true);
    if (c.windowsFirst) makeWindows();
    const char* arriving[] = {"beta", "Alpha", "alpha", "Zeta", "10 Uhr", "Äpfel"};
    long data = 1;
    if (c.allAtOnce) {
        std::vector<ui::ListItem> items;
        std::vector<std::string> texts;
        for (const char* text : arriving) {
            items.push_back({text, data++});
            texts.push_back(text);
        }
        list.addItem("vorher", 99);
        combo.addItem("vorher");
        if (c.comboBox)
            combo.setItems(texts);
        else
            list.setItems(std::move(items));
    } else {
        for (const char* text : arriving) {
            if (c.comboBox)
                combo.addItem(text);
            else
                list.addItem(text, data++);
        }
    }
    if (!c.windowsFirst) makeWindows();
    ui.doEvents();

    // Digits before letters, umlauts with their base letter, and the two
    // spellings of "alpha" equal: the later one goes after the earlier.
    const std::vector<std::string> expected = {"10 Uhr", "Alpha", "alpha", "Äpfel", "beta", "Zeta"};
    if (c.comboBox) {
        EXPECT_EQ(textsOf(combo.items()), expected);
    } else {
        EXPECT_EQ(textsOf(list.items()), expected);
        // The item data travel with their rows.
        std::vector<std::intptr_t> dataInOrder;
        for (const auto& item : list.items()) dataInOrder.push_back(item.data);
        EXPECT_EQ(dataInOrder, (std::vector<std::intptr_t>{5, 2, 3, 6, 1, 4}));
    }
}

INSTANTIATE_TEST_SUITE_P(Arrival, SortedLists,
                         ::testing::Values(SortCase{"ListBeforeWindows", false, false},
                                           SortCase{"ListAfterWindows", true, false},
                                           SortCase{"ComboBeforeWindows", false, true},
                                           SortCase{"ComboAfterWindows", true, true},
                                           SortCase{"ListAllAtOnce", true, false, true},
                                           SortCase{"ComboAllAtOnce", true, true, true}),
                         [](const auto& p) { return std::string(p.param.label); });

// ---- list selection

struct SelectionStep {
    const char* action;
    std::function<void(ui::ListBox&)> act;
    int listIndex;
    int clicks;  // onClick calls so far
};

TEST_F(ToolkitContract, SelectingARowFromCodeRaisesClickAsTheUserDoes) {
    ui::ListBox list(&form, "lstEintraege", {120, 120, 3000, 2400}, true);
    for (const char* text : {"Birne", "Dattel", "Feige", "Kiwi"}) list.addItem(text);
    int clicks = 0;
    list.onClick = [&clicks] { ++clicks; };
    form.realize();

    const SelectionStep steps[] = {
        {"select row 2", [](ui::ListBox& l) { l.setListIndex(2); }, 2, 1},
        {"select row 2 again", [](ui::ListBox& l) { l.setListIndex(2); }, 2, 1},
        {"select a row that is not there", [](ui::ListBox& l) { l.setListIndex(7); }, 2, 1},
        {"select row 0", [](ui::ListBox& l) { l.setListIndex(0); }, 0, 2},
        {"select nothing", [](ui::ListBox& l) { l.setListIndex(-1); }, -1, 2},
        {"select row 3", [](ui::ListBox& l) { l.setListIndex(3); }, 3, 3},
        {"a row sorts in before the selection", [](ui::ListBox& l) { l.addItem("Apfel"); }, 4, 3},
        {"a row sorts in after it", [](ui::ListBox& l) { l.addItem("Quitte"); }, 4, 3},
        {"the row before the selection goes", [](ui::ListBox& l) { l.removeItem(0); }, 3, 3},
        {"the selected row goes", [](ui::ListBox& l) { l.removeItem(3); }, -1, 3},
        {"the list is emptied", [](ui::ListBox& l) {
             l.setListIndex(1);
             l.clear();
         }, -1, 4},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.action);
        step.act(list);
        ui.doEvents();
        EXPECT_EQ(list.listIndex(), step.listIndex);
        EXPECT_EQ(clicks, step.clicks);
    }
}

// ---- check boxes

struct CheckStep {
    const char* action;
    std::function<void(ui::CheckBox&)> act;
    int value;
    int clicks;
};

TEST_F(ToolkitContract, EveryChangeOfACheckBoxValueRaisesClick) {
    ui::CheckBox box(&form, "chkStart", {120, 120, 3000, 300}, "Mit &Windows starten");
    int clicks = 0;
    box.onClick = [&clicks] { ++clicks; };
    makeWindows();

    const CheckStep steps[] = {
        {"set from code", [](ui::CheckBox& b) { b.setValue(1); }, 1, 1},
        {"set to the same value", [](ui::CheckBox& b) { b.setValue(1); }, 1, 1},
        {"any non-zero value is 1", [](ui::CheckBox& b) { b.setValue(5); }, 1, 1},
        {"the user clicks", [](ui::CheckBox& b) { b.click(); }, 0, 2},
        {"disabled, the user's click does nothing", [](ui::CheckBox& b) {
             b.setEnabled(false);
             b.click();
         }, 0, 2},
        {"disabled, code still sets it", [](ui::CheckBox& b) { b.setValue(1); }, 1, 3},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.action);
        step.act(box);
        ui.doEvents();
        EXPECT_EQ(box.value(), step.value);
        EXPECT_EQ(clicks, step.clicks);
    }
}

// ---- option buttons

TEST_F(ToolkitContract, OptionButtonsFormOneGroupPerContainer) {
    ui::Panel left(&form, "pnlOben", {120, 120, 3000, 1500});
    ui::Frame right(&form, "fraPosition", {3300, 120, 3000, 1500}, "Position");
    ui::OptionButton top(&left, "optOben", {60, 60, 2000, 300}, "&Oben", 0);
    ui::OptionButton middle(&left, "optMitte", {60, 420, 2000, 300}, "&Mitte", 1);
    ui::OptionButton bottom(&left, "optUnten", {60, 780, 2000, 300}, "&Unten", 2);
    ui::OptionButton leftSide(&right, "optLinks", {120, 300, 2000, 300}, "&Links", 0);
    ui::OptionButton rightSide(&right, "optRechts", {120, 660, 2000, 300}, "&Rechts", 1);
    ui::OptionButton* all[] = {&top, &middle, &bottom, &leftSide, &rightSide};
    std::vector<std::string> clicked;
    for (ui::OptionButton* option : all) option->onClick = [&clicked, option] { clicked.push_back(option->name()); };
    makeWindows();

    struct Step {
        const char* action;
        std::function<void()> act;
        std::vector<bool> values;  // top, middle, bottom, left, right
        std::vector<std::string> clicked;
    } steps[] = {
        {"choose from code", [&] { top.setValue(true); }, {true, false, false, false, false}, {"optOben"}},
        {"the other container's group", [&] { rightSide.click(); }, {true, false, false, false, true},
         {"optOben", "optRechts"}},
        {"another in the first group", [&] { bottom.click(); }, {false, false, true, false, true},
         {"optOben", "optRechts", "optUnten"}},
        {"the chosen one again", [&] { bottom.click(); }, {false, false, true, false, true},
         {"optOben", "optRechts", "optUnten"}},
        {"cleared from code, silently", [&] { bottom.setValue(false); }, {false, false, false, false, true},
         {"optOben", "optRechts", "optUnten"}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.action);
        step.act();
        ui.doEvents();
        std::vector<bool> values;
        for (ui::OptionButton* option : all) values.push_back(option->value());
        EXPECT_EQ(values, step.values);
        EXPECT_EQ(clicked, step.clicked);
    }
}

// ---- the rich-text editor

const CharFormat Plain{0x000000, "Arial"};
const CharFormat Red{0x0000FF, "Arial"};

class RichEditContract : public ToolkitContract {
protected:
    ui::RichEdit edit{&form, "rtfText", {120, 120, 6000, 3000}, Plain};
};

struct Caret {
    const char* label;
    const char* text;
    int start, length;
};

void PrintTo(const Caret& c, std::ostream* out) { *out << c.label; }

class RichEditPositions : public RichEditContract, public ::testing::WithParamInterface<Caret> {};

TEST_P(RichEditPositions, LineBreaksCountTwoCharacters) {
    const Caret& c = GetParam();
    makeWindows();
    edit.setText(c.text);
    edit.setSelStart(c.start);
    edit.setSelLength(c.length);
    ui.doEvents();
    EXPECT_EQ(edit.text(), c.text);
    EXPECT_EQ(edit.selStart(), c.start);
    EXPECT_EQ(edit.selLength(), c.length);
}

INSTANTIATE_TEST_SUITE_P(
    Carets, RichEditPositions,
    ::testing::Values(Caret{"BeforeTheBreak", "a\r\nb", 1, 0}, Caret{"AfterTheBreak", "a\r\nb", 3, 0},
                      Caret{"AtTheEnd", "a\r\nb", 4, 0}, Caret{"SelectionOverTheBreak", "a\r\nb", 1, 3},
                      Caret{"AfterTwoBreaks", "x\r\n\r\nyz\r\n", 5, 0},
                      Caret{"BetweenTwoBreaks", "x\r\n\r\nyz\r\n", 3, 0},
                      Caret{"AtTheEndAfterABreak", "x\r\n\r\nyz\r\n", 9, 0},
                      Caret{"AllOfIt", "x\r\n\r\nyz\r\n", 0, 9}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(RichEditContract, CaretFollowsAnInsertedMarkerAndLineBreak) {
    makeWindows();
    edit.setText("a\r\nb");
    struct Step {
        const char* action;
        int at;
        std::string inserted;
        std::string text;
        int caret;
    } steps[] = {
        // Positions count the bytes of UTF-8: a marker takes three.
        {"marker and break after the first line", 1, "\uF0F0\r\n", "a\uF0F0\r\n\r\nb", 6},
        {"marker at the start of the last line", 8, "\uF0C3", "a\uF0F0\r\n\r\n\uF0C3" "b", 11},
        {"break at the very end", 12, "\r\n", "a\uF0F0\r\n\r\n\uF0C3" "b\r\n", 14},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.action);
        edit.setSelStart(step.at);
        edit.setSelText(step.inserted);
        ui.doEvents();
        EXPECT_EQ(edit.text(), step.text);
        EXPECT_EQ(edit.selStart(), step.caret);
        EXPECT_EQ(edit.selLength(), 0);
    }
}

std::vector<CharFormat> formatsOf(const std::vector<std::pair<int, CharFormat>>& runs) {
    std::vector<CharFormat> formats;
    for (const auto& [count, format] : runs) formats.insert(formats.end(), static_cast<std::size_t>(count), format);
    return formats;
}

TEST_F(RichEditContract, InsertionTakesTheInsertionFormat) {
    makeWindows();
    edit.setText("Hallo Welt");
    edit.setSelStart(6);
    edit.setSelColour(0x0000FF);
    edit.setSelFont("Courier New");
    edit.setSelText("schöne ");
    ui.doEvents();
    EXPECT_EQ(edit.text(), "Hallo schöne Welt");
    // "ö" takes two bytes of UTF-8.
    EXPECT_EQ(edit.formats(), formatsOf({{6, Plain}, {8, {0x0000FF, "Courier New"}}, {4, Plain}}));
    EXPECT_EQ(edit.selStart(), 14);
}

TEST_F(RichEditContract, FormattingASelectionChangesOnlyWhatWasSet) {
    makeWindows();
    edit.setText("Hallo Welt");
    edit.setSelStart(6);
    edit.setSelLength(4);
    edit.setSelColour(0x0000FF);
    // A new font over characters of two colours leaves each its colour.
    edit.setSelStart(4);
    edit.setSelLength(3);
    edit.setSelFont("Courier New");
    ui.doEvents();
    EXPECT_EQ(edit.text(), "Hallo Welt");
    EXPECT_EQ(edit.formats(), formatsOf({{4, Plain},
                                         {2, {0x000000, "Courier New"}},
                                         {1, {0x0000FF, "Courier New"}},
                                         {3, Red}}));
    EXPECT_EQ(edit.selStart(), 4);
    EXPECT_EQ(edit.selLength(), 3);
}

TEST_F(RichEditContract, RunsReplaceTheWholeTextInTheirFormats) {
    makeWindows();
    edit.setText("alt");
    const CharFormat blueCourier{0xFF0000, "Courier New"};
    edit.setRuns({{"Name: ", Plain}, {"\uF0F0", Red}, {"\r\n", Plain}, {"{Text}\\", blueCourier}, {"\uF0C3", Red}});
    ui.doEvents();
    EXPECT_EQ(edit.text(), "Name: \uF0F0\r\n{Text}\\\uF0C3");
    EXPECT_EQ(edit.formats(), formatsOf({{6, Plain}, {3, Red}, {2, Plain}, {7, blueCourier}, {3, Red}}));
    EXPECT_EQ(edit.selStart(), 0);
}

// ---- focus

TEST_F(ToolkitContract, FocusMovesRaiseLostAndGotFocus) {
    // Created in one order, tabbed in another.
    ui::TextBox name(&form, "txtName", {120, 120, 3000, 300});
    ui::Button ok(&form, "cmdOk", {120, 600, 1200, 400}, "OK");
    ui::TextBox text(&form, "txtText", {120, 1200, 3000, 300});
    name.setTabIndex(2);
    ok.setTabIndex(1);
    text.setTabIndex(0);
    std::vector<std::string> events;
    for (ui::Control* control : std::initializer_list<ui::Control*>{&name, &ok, &text}) {
        control->onGotFocus = [&events, control] { events.push_back("got " + control->name()); };
        control->onLostFocus = [&events, control] { events.push_back("lost " + control->name()); };
    }

    int activated = 0;
    form.onActivate = [&activated] { ++activated; };
    form.show();
    ui.doEvents();
    EXPECT_EQ(activated, 1) << "showing activates the form once";
    // A form shown gives the focus to its first control in Tab order.
    EXPECT_EQ(form.focused(), &text);
    EXPECT_EQ(events, (std::vector<std::string>{"got txtText"}));

    struct Step {
        const char* action;
        ui::Control* to;
        std::vector<std::string> events;
    } steps[] = {
        {"to the name", &name, {"got txtText", "lost txtText", "got txtName"}},
        {"to the button", &ok, {"got txtText", "lost txtText", "got txtName", "lost txtName", "got cmdOk"}},
        {"to the button again", &ok, {"got txtText", "lost txtText", "got txtName", "lost txtName", "got cmdOk"}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.action);
        step.to->setFocus();
        ui.doEvents();
        EXPECT_TRUE(step.to->hasFocus());
        EXPECT_EQ(events, step.events);
    }
}

}  // namespace
}  // namespace test
}  // namespace scrivlet
