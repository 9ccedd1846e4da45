// The quick picker's parts of the real back-end that the end-to-end runs cannot reach or tell apart.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "platform/ui/form.h"
#include "platform/ui/hotkey_box.h"
#include "platform/ui/list_view.h"
#include "platform/ui/simple_controls.h"
#include "platform/win32/win32_control_peer.h"
#include "platform/win32/win32_hotkeys.h"
#include "platform/win32/win32_ui.h"
#include "platform/win32/win32_window_system.h"
#include "desktop_test_support.h"

namespace scrivlet {
namespace {

using test::classOf;
using test::waitUntil;

HWND windowOf(ui::Control& control) {
    auto* peer = dynamic_cast<Win32ControlPeer*>(control.peer());
    return peer ? peer->hwnd() : nullptr;
}

std::string rowText(HWND list, int row) {
    wchar_t text[128] = {};
    LVITEMW item{};
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return narrow(text);
}

int selectedRow(HWND list) {
    return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

// Presses a combination with SendInput, as the user's keyboard does.
void pressCombination(std::initializer_list<WORD> keys) {
    INPUT blank{};
    blank.type = INPUT_KEYBOARD;
    std::vector<INPUT> inputs(2 * keys.size(), blank);
    auto down = inputs.begin();
    auto up = inputs.rbegin();
    for (WORD key : keys) {
        (down++)->ki.wVk = key;
        up->ki.wVk = key;
        (up++)->ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

class Win32PickerControls : public ::testing::Test {
protected:
    void pump() {
        for (int i = 0; i < 3; ++i) ui.doEvents();
    }
    // Posts the key with this thread's keyboard state set as if the modifiers (the Windows key too) were held.
    void postKey(HWND window, WPARAM key, std::uint8_t modifiers = 0) {
        BYTE saved[256], state[256];
        GetKeyboardState(saved);
        std::copy(std::begin(saved), std::end(saved), std::begin(state));
        const auto down = [modifiers](int bit) { return static_cast<BYTE>((modifiers & bit) ? 0x80 : 0); };
        state[VK_SHIFT] = down(Hotkey::Shift);
        state[VK_CONTROL] = down(Hotkey::Ctrl);
        state[VK_MENU] = down(Hotkey::Alt);
        state[VK_LWIN] = down(Hotkey::Win);
        SetKeyboardState(state);
        PostMessageW(window, WM_KEYDOWN, key, 1);
        PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
        pump();
        SetKeyboardState(saved);
    }
    Win32Ui ui;
    ui::Form form{ui, "frmTest", 4800, 4000, {}};
};

TEST_F(Win32PickerControls, TheListViewAsksForTheRowsItShowsAndReportsTheSelection) {
    ui::ListView list(&form, "lv", {60, 60, 4680, 3000});
    std::vector<int> asked;
    list.rowText = [&asked](int row) {
        asked.push_back(row);
        return "Eintrag " + std::to_string(row) + " ä→😀";
    };
    int clicks = 0, doubleClicks = 0;
    list.onClick = [&] { ++clicks; };
    list.onDoubleClick = [&] { ++doubleClicks; };
    form.realize();
    form.show();
    HWND native = windowOf(list);
    ASSERT_TRUE(native);
    EXPECT_EQ(classOf(native), "SysListView32");
    EXPECT_TRUE(GetWindowLongPtrW(native, GWL_STYLE) & LVS_OWNERDATA);

    list.setRowCount(10000);
    pump();
    EXPECT_EQ(SendMessageW(native, LVM_GETITEMCOUNT, 0, 0), 10000);
    EXPECT_TRUE(!asked.empty() && asked.size() < 200u) << asked.size();  // only the rows on screen
    EXPECT_EQ(rowText(native, 9999), "Eintrag 9999 ä→😀");
    EXPECT_GT(list.pageRows(), 5);

    // From code: the native selection follows, and onClick runs.
    list.setListIndex(9000);
    EXPECT_EQ(selectedRow(native), 9000);
    EXPECT_EQ(clicks, 1);
    // A double click on a row selects it (onClick once, for the gain only) and raises onDoubleClick.
    RECT row{};
    row.left = LVIR_BOUNDS;
    SendMessageW(native, LVM_ENSUREVISIBLE, 1, FALSE);
    ASSERT_TRUE(SendMessageW(native, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row)));
    const LPARAM at = MAKELPARAM(row.left + 5, (row.top + row.bottom) / 2);
    for (UINT message : {UINT{WM_LBUTTONDOWN}, UINT{WM_LBUTTONUP}, UINT{WM_LBUTTONDBLCLK}, UINT{WM_LBUTTONUP}})
        SendMessageW(native, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
    pump();
    EXPECT_EQ(list.listIndex(), 1);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(doubleClicks, 1);
    // New rows: none selected.
    list.setRowCount(2);
    EXPECT_EQ(SendMessageW(native, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(selectedRow(native), -1);
    EXPECT_EQ(list.listIndex(), -1);
    form.unload();
}

TEST_F(Win32PickerControls, ASearchFieldWithAKeyHandlerHearsArrowsEnterAndEscBeforeTheButtons) {
    ui::TextBox field(&form, "tb", {60, 60, 3000, 315});
    ui::Button ok(&form, "ok", {60, 600, 1200, 375}, "OK");
    ui::Button cancel(&form, "cancel", {1400, 600, 1200, 375}, "Abbruch");
    ok.isDefault = true;
    cancel.isCancel = true;
    int buttons = 0;
    ok.onClick = cancel.onClick = [&] { ++buttons; };
    std::vector<int> heard;
    field.onKeyDown = [&heard](ui::KeyEvent& key) {
        heard.push_back(key.keyCode);
        key.consumed = key.keyCode != 'A';
    };
    form.realize();
    form.show();
    field.setFocus();
    for (WPARAM key : {WPARAM{VK_DOWN}, WPARAM{VK_NEXT}, WPARAM{VK_RETURN}, WPARAM{VK_ESCAPE}, WPARAM{'A'}})
        postKey(windowOf(field), key);
    EXPECT_EQ(heard, (std::vector<int>{VK_DOWN, VK_NEXT, VK_RETURN, VK_ESCAPE, 'A'}));
    EXPECT_EQ(buttons, 0);
    EXPECT_EQ(field.text(), "a");  // the key not consumed is typed
    form.unload();
}

TEST_F(Win32PickerControls, TheHotkeyFieldRecordsACombinationAndShowsItsName) {
    ui::HotkeyBox box(&form, "hk", {60, 60, 3000, 315});
    box.setValue(DefaultPickerHotkey);
    int changes = 0;
    box.onChange = [&] { ++changes; };
    form.realize();
    form.show();
    box.setFocus();
    HWND edit = windowOf(box);
    EXPECT_EQ(windowText(edit), "Win+Umschalt+Eingabe");
    const struct {
        std::uint8_t modifiers;
        WPARAM key;
        Hotkey value;
        const char* shown;
    } presses[] = {
        {Hotkey::Ctrl | Hotkey::Shift, VK_SPACE, {VK_SPACE, Hotkey::Ctrl | Hotkey::Shift}, "Strg+Umschalt+Leertaste"},
        {Hotkey::Win, 'K', {'K', Hotkey::Win}, "Win+K"},
        {0, 'X', {'K', Hotkey::Win}, "Win+K"},  // a letter alone is no hotkey
        {0, VK_BACK, {}, "Keine"},
    };
    for (const auto& p : presses) {
        postKey(edit, p.key, p.modifiers);
        EXPECT_EQ(box.value(), p.value) << p.shown;
        EXPECT_EQ(windowText(edit), p.shown);
    }
    EXPECT_EQ(changes, 3);
    form.unload();
}

TEST_F(Win32PickerControls, AHeldHotkeyIsHeardAndAnotherProgramCannotTakeIt) {
    Win32Hotkeys hotkeys;
    int pressed = 0;
    hotkeys.onPressed = [&] { ++pressed; };
    ASSERT_TRUE(hotkeys.hold(DefaultPickerHotkey));
    // Keys need a window of the desktop in front to go anywhere.
    UniqueHwnd front = test::createTestWindow("Vorne");
    SetForegroundWindow(front.get());
    pressCombination({VK_LWIN, VK_SHIFT, VK_RETURN});
    EXPECT_TRUE(waitUntil([&] { return pressed == 1; }, std::chrono::seconds(10)));
    // Held here, the combination is taken for every other holder.
    Win32Hotkeys other;
    EXPECT_FALSE(other.hold(DefaultPickerHotkey));
    EXPECT_TRUE(other.hold({'K', Hotkey::Ctrl | Hotkey::Alt | Hotkey::Shift}));
    EXPECT_TRUE(hotkeys.hold({}));
    EXPECT_TRUE(other.hold(DefaultPickerHotkey));
    pressCombination({VK_LWIN, VK_SHIFT, VK_RETURN});
    waitUntil([] { return false; }, std::chrono::milliseconds(300));
    EXPECT_EQ(pressed, 1);
}

TEST_F(Win32PickerControls, TheTypingSpotIsTheCaretOfTheWindowInFrontElseTheMouse) {
    UniqueHwnd front = test::createTestWindow("Vorne");
    HWND edit = CreateWindowExW(0, L"EDIT", L"Hallo", WS_CHILD | WS_VISIBLE, 10, 20, 200, 24, front.get(), nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(front.get());
    SetFocus(edit);
    SendMessageW(edit, EM_SETSEL, 5, 5);
    Win32WindowSystem windows;
    RECT work{}, inside{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(edit, &inside);
    TypingSpot spot = windows.typingSpot();
    ASSERT_TRUE(spot.caret);
    EXPECT_TRUE(spot.at.left >= inside.left && spot.at.right <= inside.right && spot.at.top >= inside.top &&
                spot.at.bottom <= inside.bottom);
    EXPECT_EQ(spot.workArea, (ScreenRect{work.left, work.top, work.right, work.bottom}));
    DestroyWindow(edit);
    SetCursorPos(300, 200);
    spot = windows.typingSpot();
    EXPECT_FALSE(spot.caret);
    EXPECT_EQ(spot.at, (ScreenRect{300, 200, 300, 200}));
}

}  // namespace
}  // namespace scrivlet
