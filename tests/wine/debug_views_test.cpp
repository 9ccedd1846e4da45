// What the debug window and its gestures need of the real toolkit: the main
// window's frames take real clicks (they are not transparent to the mouse,
// and a quick second click counts), with the modifier keys held at that
// moment; a list box in another face, which stays scrolled when it is refilled.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <ostream>
#include <string>
#include <vector>

#include "desktop_test_support.h"
#include "mainwindow/main_form.h"
#include "platform/ui/form.h"
#include "platform/ui/list_box.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_control_peer.h"
#include "platform/win32/win32_ui.h"

namespace scrivlet {
namespace {

using test::waitUntil;

HWND windowOf(ui::Control& control) {
    auto* peer = dynamic_cast<Win32ControlPeer*>(control.peer());
    return peer ? peer->hwnd() : nullptr;
}

INPUT keyInput(WORD key, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

INPUT mouseInput(POINT at, DWORD flags) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = static_cast<LONG>((static_cast<long long>(at.x) * 65536 + width - 1) / width);
    in.mi.dy = static_cast<LONG>((static_cast<long long>(at.y) * 65536 + height - 1) / height);
    in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
    return in;
}

struct FramePressCase {
    const char* label;
    bool onSteuerung;  // else on TextFrame
    std::vector<WORD> held;
    ui::MouseButton button;
    int presses;  // 2: a quick double click
    int shift;
};
[[maybe_unused]] void PrintTo(const FramePressCase& c, std::ostream* out) { *out << c.label; }

class FramePresses : public ::testing::TestWithParam<FramePressCase> {
protected:
    Win32Ui ui;
};

TEST_P(FramePresses, RealClicksReachTheFrameWithTheHeldKeys) {
    const FramePressCase& c = GetParam();
    MainForm main(ui);
    ui::Frame& frame = c.onSteuerung ? main.steuerungsFrame : main.textFrame;
    std::vector<ui::MouseEvent> presses;
    frame.onMouseDown = [&](const ui::MouseEvent& e) { presses.push_back(e); };
    main.show();
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == ui.hwndOf(main); }));

    // Beside the controls inside, half way down.
    HWND frameWindow = windowOf(frame);
    RECT client{};
    GetClientRect(frameWindow, &client);
    POINT at{3, client.bottom / 2};
    ClientToScreen(frameWindow, &at);
    EXPECT_EQ(WindowFromPoint(at), frameWindow);

    const DWORD down = c.button == ui::MouseButton::Left    ? MOUSEEVENTF_LEFTDOWN
                       : c.button == ui::MouseButton::Right ? MOUSEEVENTF_RIGHTDOWN
                                                            : MOUSEEVENTF_MIDDLEDOWN;
    const DWORD up = c.button == ui::MouseButton::Left    ? MOUSEEVENTF_LEFTUP
                     : c.button == ui::MouseButton::Right ? MOUSEEVENTF_RIGHTUP
                                                          : MOUSEEVENTF_MIDDLEUP;
    // The mouse goes there first, then the keys are held, then it is clicked
    // where it stands. (Wine takes the X server's key state again when the
    // mouse enters a window, and for the X server injected keys are not down:
    // keys are held only once they stay down.)
    INPUT move = mouseInput(at, 0);
    ASSERT_EQ(SendInput(1, &move, sizeof(INPUT)), 1u);
    ASSERT_TRUE(waitUntil([&] {
        POINT p{};
        return GetCursorPos(&p) && p.x == at.x && p.y == at.y;
    }));
    std::vector<INPUT> keys;
    for (WORD key : c.held) keys.push_back(keyInput(key, false));
    auto allDown = [&] {
        for (WORD key : c.held)
            if (GetAsyncKeyState(key) >= 0) return false;
        return true;
    };
    bool steady = keys.empty();
    for (int attempt = 0; attempt < 10 && !steady; ++attempt) {
        SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
        if (!waitUntil(allDown, std::chrono::milliseconds(1000))) continue;
        steady = !waitUntil([&] { return !allDown(); }, std::chrono::milliseconds(250));
    }
    ASSERT_TRUE(steady);
    std::vector<INPUT> inputs;
    for (int i = 0; i < c.presses; ++i) {
        INPUT press{}, release{};
        press.type = release.type = INPUT_MOUSE;
        press.mi.dwFlags = down;
        release.mi.dwFlags = up;
        inputs.push_back(press);
        inputs.push_back(release);
    }
    for (auto key = c.held.rbegin(); key != c.held.rend(); ++key) inputs.push_back(keyInput(*key, true));
    ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());

    EXPECT_TRUE(waitUntil([&] { return presses.size() >= static_cast<std::size_t>(c.presses); }));
    ASSERT_EQ(presses.size(), static_cast<std::size_t>(c.presses));
    for (const ui::MouseEvent& e : presses) {
        EXPECT_EQ(e.button, c.button);
        EXPECT_EQ(e.shift, c.shift);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Gestures, FramePresses,
    ::testing::Values(
        FramePressCase{"CtrlAltLeftOnSteuerung", true, {VK_CONTROL, VK_MENU}, ui::MouseButton::Left, 1,
                       ui::shift::Ctrl | ui::shift::Alt},
        FramePressCase{"CtrlAltRightTwiceOnSteuerung", true, {VK_CONTROL, VK_MENU}, ui::MouseButton::Right, 2,
                       ui::shift::Ctrl | ui::shift::Alt},
        FramePressCase{"ShiftCtrlMiddleOnText", false, {VK_SHIFT, VK_CONTROL}, ui::MouseButton::Middle, 1,
                       ui::shift::Shift | ui::shift::Ctrl},
        FramePressCase{"ShiftCtrlLeftTwiceOnText", false, {VK_SHIFT, VK_CONTROL}, ui::MouseButton::Left, 2,
                       ui::shift::Shift | ui::shift::Ctrl},
        FramePressCase{"PlainLeftOnText", false, {}, ui::MouseButton::Left, 1, ui::shift::None}),
    [](const auto& p) { return std::string(p.param.label); });

std::string faceOf(HWND window) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfFaceName;
}

LONG heightOf(HWND window) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

TEST(ListBoxFaces, AFaceOfItsOwnInTheProgramsSize) {
    Win32Ui ui;
    ui::Form form(ui, "frmListen", 5000, 3000, {});
    ui::ListBox fixed(&form, "lstFest", {120, 120, 4000, 1200}, false);
    ui::ListBox plain(&form, "lstNormal", {120, 1500, 4000, 1200}, false);
    fixed.fontName = "Courier New";
    fixed.fixedPitch = true;
    form.realize();
    EXPECT_EQ(faceOf(windowOf(fixed)), "Courier New");
    EXPECT_NE(faceOf(windowOf(plain)), "Courier New");
    EXPECT_EQ(heightOf(windowOf(fixed)), heightOf(windowOf(plain)));
    // Whatever face the system has for it, its characters are of one width
    // (Wine may have no Courier New at all).
    for (HWND list : {windowOf(fixed), windowOf(plain)}) {
        SIZE narrow{}, wide{};
        {
            const UniqueWindowDc dc = getDc(list);
            const UniqueSelection font =
                selectInto(dc.get().dc, reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
            GetTextExtentPoint32A(dc.get().dc, "iiii", 4, &narrow);
            GetTextExtentPoint32A(dc.get().dc, "WWWW", 4, &wide);
        }
        EXPECT_EQ(narrow.cx == wide.cx, list == windowOf(fixed)) << narrow.cx << " " << wide.cx;
    }
}

TEST(ListBoxFaces, ARefilledListStaysScrolledWhereTheUserLeftIt) {
    Win32Ui ui;
    ui::Form form(ui, "frmListe", 5000, 3000, {});
    ui::ListBox list(&form, "lstZeilen", {120, 120, 4000, 1500}, false);
    form.realize();
    auto rows = [](const std::string& first) {
        std::vector<std::string> texts{first};
        for (int i = 1; i < 60; ++i) texts.push_back("Zeile " + std::to_string(i));
        return texts;
    };
    list.setItems(rows("09:05:07"));
    SendMessageA(windowOf(list), LB_SETTOPINDEX, 20, 0);
    list.setItems(rows("09:05:08"));
    EXPECT_EQ(SendMessageA(windowOf(list), LB_GETCOUNT, 0, 0), 60);
    EXPECT_EQ(SendMessageA(windowOf(list), LB_GETTOPINDEX, 0, 0), 20);
    char text[32] = {};
    SendMessageA(windowOf(list), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "09:05:08");
}

}  // namespace
}  // namespace scrivlet
