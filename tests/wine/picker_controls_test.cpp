// The picker's native controls where the end-to-end runs cannot look inside.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "platform/ui/form.h"
#include "platform/ui/hotkey_box.h"
#include "platform/ui/list_view.h"
#include "platform/win32/win32_control_peer.h"
#include "platform/win32/win32_hotkeys.h"
#include "platform/win32/win32_ui.h"
#include "platform/win32/win32_window_system.h"
#include "desktop_test_support.h"

namespace scrivlet {
namespace {

HWND windowOf(ui::Control& control) {
    auto* peer = dynamic_cast<Win32ControlPeer*>(control.peer());
    return peer ? peer->hwnd() : nullptr;
}

class Win32PickerControls : public ::testing::Test {
protected:
    void pump() { for (int i = 0; i < 3; ++i) ui.doEvents(); }
    // Posts the key with this thread's keyboard state as if the modifiers were held.
    void postKey(HWND window, WPARAM key, std::uint8_t modifiers) {
        BYTE saved[256], state[256];
        GetKeyboardState(saved);
        GetKeyboardState(state);
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

TEST_F(Win32PickerControls, TheListViewAsksOnlyForVisibleRowsAndReportsASelectionOnce) {
    ui::ListView list(&form, "lv", {60, 60, 4680, 3000});
    int asked = 0, clicks = 0, doubleClicks = 0;
    list.rowText = [&asked](int row) { ++asked; return "Eintrag " + std::to_string(row); };
    list.onClick = [&] { ++clicks; };
    list.onDoubleClick = [&] { ++doubleClicks; };
    form.realize();
    form.show();
    HWND native = windowOf(list);
    list.setRowCount(10000);
    list.setListIndex(0);  // as the picker selects its first hit
    pump();
    EXPECT_TRUE(asked > 0 && asked < 200) << asked;
    clicks = 0;
    // A double click on another row moves the selection: onClick once for the gain, then onDoubleClick.
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    ASSERT_TRUE(SendMessageW(native, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row)));
    const LPARAM at = MAKELPARAM(row.left + 5, (row.top + row.bottom) / 2);
    for (UINT message : {UINT{WM_LBUTTONDOWN}, UINT{WM_LBUTTONUP}, UINT{WM_LBUTTONDBLCLK}, UINT{WM_LBUTTONUP}})
        SendMessageW(native, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
    pump();
    EXPECT_EQ(list.listIndex(), 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubleClicks, 1);
    form.unload();
}

TEST_F(Win32PickerControls, TheHotkeyFieldRecordsCombinations) {
    ui::HotkeyBox box(&form, "hk", {60, 60, 3000, 315});
    form.realize();
    form.show();
    box.setFocus();
    HWND edit = windowOf(box);
    const struct { std::uint8_t modifiers; WPARAM key; Hotkey value; const char* shown; } presses[] = {
        {Hotkey::Ctrl | Hotkey::Shift, VK_SPACE, {VK_SPACE, Hotkey::Ctrl | Hotkey::Shift}, "Strg+Umschalt+Leertaste"},
        {Hotkey::Win, 'K', {'K', Hotkey::Win}, "Win+K"},
        {0, VK_BACK, {}, "Keine"},
    };
    for (const auto& p : presses) {
        postKey(edit, p.key, p.modifiers);
        EXPECT_EQ(box.value(), p.value) << p.shown;
        EXPECT_EQ(windowText(edit), p.shown);
    }
    form.unload();
}

TEST_F(Win32PickerControls, AHotkeyHeldElsewhereIsRefused) {
    Win32Hotkeys holder, other;
    ASSERT_TRUE(holder.hold(DefaultPickerHotkey));
    EXPECT_FALSE(other.hold(DefaultPickerHotkey));
    EXPECT_TRUE(holder.hold({}));
    EXPECT_TRUE(other.hold(DefaultPickerHotkey));
}

TEST_F(Win32PickerControls, TheTypingSpotIsTheCaretOfTheWindowInFrontElseTheMouse) {
    UniqueHwnd front = test::createTestWindow("Vorne");
    HWND edit = CreateWindowExW(0, L"EDIT", L"Hallo", WS_CHILD | WS_VISIBLE, 10, 20, 200, 24, front.get(), nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(front.get());
    SetFocus(edit);
    RECT work{}, inside{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(edit, &inside);
    Win32WindowSystem windows;
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
