// What only the real back-end of the control toolkit has: native windows,
// menus with accelerators, the dialog manager's keys, modal loops, and the
// program's drawn pictures. The user's actions are posted to the windows as
// the system would deliver them; what a helper thread does stands for a user
// at another window.
#include <gtest/gtest.h>
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <functional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "mainwindow/main_form.h"
#include "platform/ui/form.h"
#include "platform/ui/list_box.h"
#include "platform/ui/menu.h"
#include "platform/ui/rich_edit.h"
#include "platform/ui/simple_controls.h"
#include "platform/ui/timer.h"
#include "platform/unicode.h"
#include "platform/win32/win32_control_peer.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_menu_peer.h"
#include "platform/win32/win32_pictures.h"
#include "platform/win32/win32_ui.h"
#include "desktop_test_support.h"

namespace scrivlet {

namespace ui {
[[maybe_unused]] static void PrintTo(const CharFormat& format, std::ostream* out) {
    *out << std::hex << format.colour << std::dec << ' ' << format.font;
}
}  // namespace ui

namespace {

using namespace std::chrono_literals;

HWND windowOf(ui::Control& control) {
    auto* peer = dynamic_cast<Win32ControlPeer*>(control.peer());
    return peer ? peer->hwnd() : nullptr;
}

// Sets the keyboard state of this thread for the modifier keys, as if they
// were held; the keys posted afterwards are read with it.
class HeldKeys {
public:
    explicit HeldKeys(int shiftMask) {
        GetKeyboardState(saved_);
        BYTE state[256];
        std::copy(std::begin(saved_), std::end(saved_), std::begin(state));
        const auto down = [shiftMask](int key) { return static_cast<BYTE>((shiftMask & key) ? 0x80 : 0); };
        state[VK_SHIFT] = down(ui::shift::Shift);
        state[VK_CONTROL] = down(ui::shift::Ctrl);
        state[VK_MENU] = down(ui::shift::Alt);
        SetKeyboardState(state);
    }
    ~HeldKeys() { SetKeyboardState(saved_); }

private:
    BYTE saved_[256];
};

void postKey(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

struct WindowSearch {
    const char* className;
    const char* caption;  // null: any
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<WindowSearch*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) || std::string(name) != search.className)
        return TRUE;
    if (search.caption && windowText(window) != search.caption) return TRUE;
    search.found = window;
    return FALSE;
}

// A visible top-level window of this process, of a class (and a caption),
// waited for with a generous deadline; null when it never came.
HWND waitForWindow(const char* className, const char* caption = nullptr) {
    WindowSearch search{className, caption, nullptr};
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (!search.found && std::chrono::steady_clock::now() < deadline) {
        EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
        if (!search.found) std::this_thread::sleep_for(10ms);
    }
    return search.found;
}

// A user at the screen, on another thread; joined at the end of the test.
class Helper {
public:
    explicit Helper(std::function<void()> work)
        : mainThread_(GetCurrentThreadId()), thread_([this, work = std::move(work)] {
              work();
              // The main thread waits in a message loop: wake it.
              PostThreadMessageA(mainThread_, WM_NULL, 0, 0);
          }) {}
    ~Helper() { thread_.join(); }

private:
    DWORD mainThread_;
    std::thread thread_;
};

// A menu item's text, read in UTF-16.
std::string menuString(HMENU menu, int position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 64, MF_BYPOSITION);
    return narrow(text);
}

const ui::CharFormat Plain{0x000000, "Arial"};

class Win32UiTest : public ::testing::Test {
protected:
    Win32Ui ui;
};

// ---- menus

TEST_F(Win32UiTest, MenuBarShowsCaptionsStatesAndShortcuts) {
    ui::Menu file("&Datei"), search("&Suchen ✓");
    file.add("&Neu");
    file.add("&Łódź 😀");
    file.add("-");
    file.add("&Versteckt").setVisible(false);
    file.add("&Gesperrt").setEnabled(false);
    file.add("&Beenden").setDefault(true);
    search.add("&Suchen...", ui::Shortcut::CtrlF);
    search.add("&Weitersuchen", ui::Shortcut::F3);
    ui::Form form(ui, "frmMenu", 6000, 3000, {});
    form.addMenu(file);
    form.addMenu(search);
    form.realize();

    HMENU bar = GetMenu(ui.hwndOf(form));
    ASSERT_TRUE(bar);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(menuString(bar, 1), "&Suchen ✓");

    struct Row {
        int menu, position;
        const char* text;  // null: a separator
        bool grayed, isDefault;
    } rows[] = {
        {0, 0, "&Neu", false, false},          {0, 1, "&Łódź 😀", false, false},
        {0, 2, nullptr, false, false},         {0, 3, "&Gesperrt", true, false},
        {0, 4, "&Beenden", false, true},
        {1, 0, "&Suchen...\tStrg+F", false, false}, {1, 1, "&Weitersuchen\tF3", false, false},
    };
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 0)), 5) << "the invisible item is left out";
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.menu) + "/" + std::to_string(row.position));
        HMENU menu = GetSubMenu(bar, row.menu);
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
        wchar_t caption[64] = {};
        info.dwTypeData = caption;
        info.cch = 64;
        ASSERT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(row.position), TRUE, &info));
        EXPECT_EQ((info.fType & MFT_SEPARATOR) != 0, row.text == nullptr);
        if (row.text) {
            EXPECT_EQ(narrow(caption), row.text);
        }
        EXPECT_EQ((info.fState & MFS_GRAYED) != 0, row.grayed);
        EXPECT_EQ((info.fState & MFS_DEFAULT) != 0, row.isDefault);
    }
}

TEST_F(Win32UiTest, OpeningAMenuLetsTheProgramChangeItFirst) {
    ui::Menu edit("&Bearbeiten");
    edit.add("&Kopieren");
    int opened = 0;
    edit.onOpen = [&] {
        ++opened;
        edit.item(0).setEnabled(false);
        edit.add("&Einfügen");
    };
    ui::Form form(ui, "frmMenu", 6000, 3000, {});
    form.addMenu(edit);
    form.realize();
    HMENU popup = GetSubMenu(GetMenu(ui.hwndOf(form)), 0);
    ASSERT_EQ(GetMenuItemCount(popup), 1);

    SendMessageA(ui.hwndOf(form), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    EXPECT_EQ(opened, 1);
    ASSERT_EQ(GetMenuItemCount(popup), 2);
    EXPECT_TRUE(GetMenuState(popup, 0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_EQ(menuString(popup, 1), "&Einfügen");
}

TEST_F(Win32UiTest, MenuCommandsReachTheirItems) {
    ui::Menu file("&Datei");
    std::vector<std::string> clicked;
    for (const char* caption : {"&Neu", "&Öffnen", "&Beenden"})
        file.add(caption).onClick = [&clicked, caption] { clicked.push_back(caption); };
    ui::Form form(ui, "frmMenu", 6000, 3000, {});
    form.addMenu(file);
    form.realize();
    HMENU popup = GetSubMenu(GetMenu(ui.hwndOf(form)), 0);

    PostMessageA(ui.hwndOf(form), WM_COMMAND, MAKEWPARAM(GetMenuItemID(popup, 1), 0), 0);
    ui.doEvents();
    EXPECT_EQ(clicked, (std::vector<std::string>{"&Öffnen"}));

    // An item that went away leaves its command without effect.
    const UINT gone = GetMenuItemID(popup, 2);
    file.removeAt(2);
    PostMessageA(ui.hwndOf(form), WM_COMMAND, MAKEWPARAM(gone, 0), 0);
    ui.doEvents();
    EXPECT_EQ(clicked, (std::vector<std::string>{"&Öffnen"}));
}

struct AcceleratorCase {
    const char* label;
    WPARAM key;
    int shift;
    bool enabled;
    const char* expected;  // the item clicked, "" none
};

void PrintTo(const AcceleratorCase& c, std::ostream* out) { *out << c.label; }

class Accelerators : public Win32UiTest, public ::testing::WithParamInterface<AcceleratorCase> {};

TEST_P(Accelerators, ShortcutsChooseTheirItems) {
    const AcceleratorCase& c = GetParam();
    ui::Menu search("&Suchen");
    std::string clicked;
    search.add("&Suchen...", ui::Shortcut::CtrlF).onClick = [&] { clicked = "suchen"; };
    search.add("&Weitersuchen", ui::Shortcut::F3).onClick = [&] { clicked = "weiter"; };
    ui::Form form(ui, "frmMenu", 6000, 3000, {});
    form.addMenu(search);
    ui::TextBox box(&form, "txtSuche", {120, 120, 3000, 300});
    form.realize();
    for (std::size_t i = 0; i < search.size(); ++i) search.item(i).setEnabled(c.enabled);

    {
        HeldKeys held(c.shift);
        postKey(windowOf(box), c.key);
        ui.doEvents();
    }
    EXPECT_EQ(clicked, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Keys, Accelerators,
                         ::testing::Values(AcceleratorCase{"F3", VK_F3, 0, true, "weiter"},
                                           AcceleratorCase{"CtrlF", 'F', ui::shift::Ctrl, true, "suchen"},
                                           AcceleratorCase{"PlainF", 'F', 0, true, ""},
                                           AcceleratorCase{"F3OfADisabledItem", VK_F3, 0, false, ""},
                                           AcceleratorCase{"CtrlFOfADisabledItem", 'F', ui::shift::Ctrl, false, ""}),
                         [](const auto& p) { return std::string(p.param.label); });

struct PopupCase {
    const char* label;
    std::vector<WPARAM> keys;
    const char* expected;  // "" when nothing was chosen
};

void PrintTo(const PopupCase& c, std::ostream* out) { *out << c.label; }

class PopupMenus : public Win32UiTest, public ::testing::WithParamInterface<PopupCase> {};

TEST_P(PopupMenus, TheChosenItemRunsAfterTheMenuClosed) {
    const PopupCase& c = GetParam();
    ui::Menu more("&Mehr");
    ui::Menu popup("mnuEintraege");
    std::string clicked;
    bool menuOpenDuringClick = true;
    auto choose = [&](const char* name) {
        return [&, name] {
            clicked = name;
            menuOpenDuringClick = FindWindowA("#32768", nullptr) && IsWindowVisible(FindWindowA("#32768", nullptr));
        };
    };
    popup.add("&Eins").onClick = choose("Eins");
    popup.add("&Zwei").onClick = choose("Zwei");
    popup.item(1).setDefault(true);
    popup.add("-");
    popup.add("&Mehr").setSubmenu(&more);
    more.add("&Drei").onClick = choose("Drei");
    int opened = 0;
    popup.onOpen = [&] { ++opened; };
    ui::Form owner(ui, "frmHaupt", 6000, 3000, {});
    owner.realize();

    Helper user([&] {
        HWND menu = waitForWindow("#32768");
        for (WPARAM key : c.keys) postKey(menu, key);
    });
    ui.popupMenu(owner, popup);

    EXPECT_EQ(clicked, c.expected);
    EXPECT_EQ(opened, 1);
    if (!clicked.empty()) {
        EXPECT_FALSE(menuOpenDuringClick);
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, PopupMenus,
                         ::testing::Values(PopupCase{"EscapeDismisses", {VK_ESCAPE}, ""},
                                           PopupCase{"FirstItem", {VK_DOWN, VK_RETURN}, "Eins"},
                                           PopupCase{"DefaultItem", {VK_DOWN, VK_DOWN, VK_RETURN}, "Zwei"},
                                           PopupCase{"Submenu", {VK_UP, VK_RIGHT, VK_RETURN}, "Drei"}),
                         [](const auto& p) { return std::string(p.param.label); });

// The real mouse on a pop-up menu: a right click on an item chooses nothing,
// the left button does.
void clickScreen(POINT at, DWORD down, DWORD up) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3] = {};
    for (INPUT& in : inputs) {
        in.type = INPUT_MOUSE;
        in.mi.dx = static_cast<LONG>((static_cast<long long>(at.x) * 65536 + width - 1) / width);
        in.mi.dy = static_cast<LONG>((static_cast<long long>(at.y) * 65536 + height - 1) / height);
        in.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    }
    inputs[1].mi.dwFlags |= down;
    inputs[2].mi.dwFlags |= up;
    SendInput(3, inputs, sizeof(INPUT));
}

TEST_F(Win32UiTest, OnlyTheLeftButtonChoosesFromAPopupMenu) {
    ui::Menu popup("mnuEintraege");
    std::vector<std::string> clicked;
    popup.add("&Eins").onClick = [&] { clicked.push_back("Eins"); };
    popup.add("&Zwei").onClick = [&] { clicked.push_back("Zwei"); };
    ui::Form owner(ui, "frmHaupt", 6000, 3000, {});
    owner.realize();
    HMENU menuHandle = Win32MenuPeer::of(popup, ui.commandIds()).handle();
    bool itemsFound = false;
    Helper user([&] {
        HWND menu = waitForWindow("#32768");
        if (!menu) return;
        // Screen positions of the items, found from the menu itself.
        RECT first{}, second{};
        itemsFound = GetMenuItemRect(nullptr, menuHandle, 0, &first) &&
                     GetMenuItemRect(nullptr, menuHandle, 1, &second);
        if (itemsFound) {
            clickScreen({(first.left + first.right) / 2, (first.top + first.bottom) / 2}, MOUSEEVENTF_RIGHTDOWN,
                        MOUSEEVENTF_RIGHTUP);
            clickScreen({(second.left + second.right) / 2, (second.top + second.bottom) / 2},
                        MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
        }
        // A menu the clicks did not close must not hold the test forever.
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        while (IsWindow(menu) && IsWindowVisible(menu) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(10ms);
        if (IsWindow(menu) && IsWindowVisible(menu)) postKey(menu, VK_ESCAPE);
    });
    ui.popupMenu(owner, popup);
    EXPECT_TRUE(itemsFound);
    EXPECT_EQ(clicked, std::vector<std::string>{"Zwei"});
}

// The user shows the main window and hides it again, and at once asks for
// the menu: it stays open until the user closes it. (The system's report of
// the hidden window's lost activation may reach the program only after the
// menu has made that window the active one again.)
TEST_F(Win32UiTest, AMenuOpenedJustAfterItsWindowWasHiddenStaysOpen) {
    ui::Menu popup("mnuEintraege");
    popup.add("&Eins");
    ui::Form owner(ui, "frmHaupt", 6000, 3000, {});
    owner.realize();
    const HWND window = ui.hwndOf(owner);
    owner.show();
    ASSERT_TRUE(test::waitUntil([&] { return GetForegroundWindow() == window; }));
    owner.hide();
    // A moment in which the program reads no messages (a busy queue puts off
    // Wine's reading of the X server's events just so).
    Sleep(200);
    bool open = false;
    Helper user([&] {
        HWND menu = waitForWindow("#32768");
        if (!menu) return;
        // Long enough for anything that would close it to have done so.
        std::this_thread::sleep_for(500ms);
        open = IsWindowVisible(menu) != FALSE;
        if (open) postKey(menu, VK_ESCAPE);
    });
    ui.popupMenu(owner, popup);
    EXPECT_TRUE(open);
}

// ---- the input box

struct InputCase {
    const char* label;
    std::function<void(HWND dialog, HWND edit)> answer;
    const char* expected;
};

void PrintTo(const InputCase& c, std::ostream* out) { *out << c.label; }

class InputBoxes : public Win32UiTest, public ::testing::WithParamInterface<InputCase> {};

TEST_P(InputBoxes, OkGivesTheTextAndEverythingElseNothing) {
    const InputCase& c = GetParam();
    std::string shownText, shownPrompt;
    DWORD selStart = 99, selEnd = 99;
    Helper user([&] {
        HWND dialog = waitForWindow("ScrivletInputBox", "Umbenennen");
        if (!dialog) return;
        HWND edit = FindWindowExA(dialog, nullptr, "Edit", nullptr);
        HWND prompt = FindWindowExA(dialog, nullptr, "Static", nullptr);
        shownText = windowText(edit);
        shownPrompt = windowText(prompt);
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
        c.answer(dialog, edit);
    });
    const std::string answer =
        Win32Dialogs(ui).inputBox("Umbenennen", "Neuer Name für den Eintrag ✓:", "Grüße aus Łódź");

    EXPECT_EQ(answer, c.expected);
    EXPECT_EQ(shownText, "Grüße aus Łódź");
    EXPECT_EQ(shownPrompt, "Neuer Name für den Eintrag ✓:");
    EXPECT_EQ(selStart, 0u);
    EXPECT_EQ(selEnd, 14u) << "the preset is selected";
}

void typeName(HWND edit) { SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Neuer Name \u2713 \U0001F600")); }

INSTANTIATE_TEST_SUITE_P(
    Answers, InputBoxes,
    ::testing::Values(InputCase{"EnterTakesTheText", [](HWND, HWND edit) { typeName(edit); postKey(edit, VK_RETURN); },
                                "Neuer Name ✓ 😀"},
                      InputCase{"OkTakesThePreset",
                                [](HWND dialog, HWND) {
                                    PostMessageA(FindWindowExA(dialog, nullptr, "Button", "OK"), BM_CLICK, 0, 0);
                                },
                                "Grüße aus Łódź"},
                      InputCase{"EscapeCancels", [](HWND, HWND edit) { typeName(edit); postKey(edit, VK_ESCAPE); }, ""},
                      InputCase{"AbbrechenCancels",
                                [](HWND dialog, HWND edit) {
                                    typeName(edit);
                                    PostMessageA(FindWindowExA(dialog, nullptr, "Button", "Abbrechen"), BM_CLICK, 0, 0);
                                },
                                ""},
                      InputCase{"CloseBoxCancels",
                                [](HWND dialog, HWND edit) {
                                    typeName(edit);
                                    PostMessageA(dialog, WM_CLOSE, 0, 0);
                                },
                                ""}),
    [](const auto& p) { return std::string(p.param.label); });

// ---- forms

struct FrameCase {
    const char* label;
    ui::BorderStyle border;
    bool menu;
    bool framed;
};

void PrintTo(const FrameCase& c, std::ostream* out) { *out << c.label; }

class Frames : public Win32UiTest, public ::testing::WithParamInterface<FrameCase> {};

TEST_P(Frames, FrameAroundIsWhatTheWindowAdds) {
    const FrameCase& c = GetParam();
    ui::Menu file("&Datei");
    file.add("&Beenden");
    ui::Form::Style style;
    style.border = c.border;
    ui::Form form(ui, "frmRahmen", 6000, 3000, style);
    if (c.menu) form.addMenu(file);
    const ui::Rect frame = ui.frameAround(form);
    if (c.framed) {
        EXPECT_GT(frame.width, 0);
        EXPECT_GT(frame.height, 0);
    } else {
        EXPECT_EQ(frame.width, 0);
        EXPECT_EQ(frame.height, 0);
    }
    form.realize();
    RECT outer, client;
    ASSERT_TRUE(GetWindowRect(ui.hwndOf(form), &outer));
    ASSERT_TRUE(GetClientRect(ui.hwndOf(form), &client));
    const ScreenUnits& units = ui.units();
    EXPECT_EQ(units.xToPixels(frame.width), (outer.right - outer.left) - client.right);
    EXPECT_EQ(units.yToPixels(frame.height), (outer.bottom - outer.top) - client.bottom);
    EXPECT_EQ(form.clientWidth(), 6000);
    EXPECT_EQ(form.clientHeight(), 3000);
}

INSTANTIATE_TEST_SUITE_P(Styles, Frames,
                         ::testing::Values(FrameCase{"Sizable", ui::BorderStyle::Sizable, false, true},
                                           FrameCase{"SizableWithMenu", ui::BorderStyle::Sizable, true, true},
                                           FrameCase{"FixedSingle", ui::BorderStyle::FixedSingle, false, true},
                                           FrameCase{"FixedDialog", ui::BorderStyle::FixedDialog, false, true},
                                           FrameCase{"ToolWindow", ui::BorderStyle::ToolWindow, false, true},
                                           FrameCase{"None", ui::BorderStyle::None, false, false}),
                         [](const auto& p) { return std::string(p.param.label); });

TEST_F(Win32UiTest, AMenuBarAddsToTheFrame) {
    ui::Menu file("&Datei");
    ui::Form plain(ui, "frmOhne", 6000, 3000, {});
    ui::Form withMenu(ui, "frmMit", 6000, 3000, {});
    withMenu.addMenu(file);
    EXPECT_GT(ui.frameAround(withMenu).height, ui.frameAround(plain).height);
    EXPECT_EQ(ui.frameAround(withMenu).width, ui.frameAround(plain).width);
}

TEST_F(Win32UiTest, MovingTheWindowReportsGeometryInTwips) {
    ui::Form form(ui, "frmGeometrie", 6000, 3000, {});
    int resized = 0;
    form.onResize = [&] { ++resized; };
    form.realize();
    const ScreenUnits& units = ui.units();
    SetWindowPos(ui.hwndOf(form), nullptr, 30, 40, 500, 400, SWP_NOZORDER | SWP_NOACTIVATE);
    ui.doEvents();
    EXPECT_EQ(form.geometry(), (ui::Rect{units.xToTwips(30), units.yToTwips(40), units.xToTwips(500),
                                         units.yToTwips(400)}));
    RECT client;
    GetClientRect(ui.hwndOf(form), &client);
    EXPECT_EQ(form.clientWidth(), units.xToTwips(client.right));
    EXPECT_EQ(form.clientHeight(), units.yToTwips(client.bottom));
    EXPECT_EQ(resized, 1);

    // And the other way: the form moves its window.
    form.setGeometry({units.xToTwips(10), units.yToTwips(20), units.xToTwips(300), units.yToTwips(200)});
    RECT outer;
    GetWindowRect(ui.hwndOf(form), &outer);
    EXPECT_EQ(outer.left, 10);
    EXPECT_EQ(outer.top, 20);
    EXPECT_EQ(outer.right - outer.left, 300);
}

// The user's ways of closing a window come as SC_CLOSE (the close box, the
// window menu, Alt+F4); a plain WM_CLOSE comes from another program.
struct CloseCase {
    const char* label;
    UINT message;
    WPARAM wParam;
    ui::CloseReason reason;
    bool cancel;
};

void PrintTo(const CloseCase& c, std::ostream* out) { *out << c.label; }

class Closing : public Win32UiTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(Closing, TheFormIsAskedWithTheOrigin) {
    const CloseCase& c = GetParam();
    ui::Form form(ui, "frmSchliessen", 6000, 3000, {});
    std::vector<ui::CloseReason> asked;
    form.onQueryUnload = [&](ui::CloseReason reason, bool& cancel) {
        asked.push_back(reason);
        cancel = c.cancel;
    };
    form.realize();
    HWND window = ui.hwndOf(form);
    PostMessageA(window, c.message, c.wParam, 0);
    ui.doEvents();
    EXPECT_EQ(asked, (std::vector<ui::CloseReason>{c.reason}));
    EXPECT_EQ(form.unloaded(), !c.cancel);
    EXPECT_EQ(IsWindow(window) != FALSE, c.cancel);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, Closing,
    ::testing::Values(CloseCase{"CloseBoxCancelled", WM_SYSCOMMAND, SC_CLOSE, ui::CloseReason::User, true},
                      CloseCase{"CloseBoxUnloaded", WM_SYSCOMMAND, SC_CLOSE, ui::CloseReason::User, false},
                      // The system keeps flags in the low four bits.
                      CloseCase{"AltF4", WM_SYSCOMMAND, SC_CLOSE | 2, ui::CloseReason::User, true},
                      CloseCase{"AnotherProgramCancelled", WM_CLOSE, 0, ui::CloseReason::TaskManager, true},
                      CloseCase{"AnotherProgramUnloaded", WM_CLOSE, 0, ui::CloseReason::TaskManager, false}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(Win32UiTest, TheSessionEndIsAskedFirstAndUnloadsOnlyWhenItComes) {
    ui::Form form(ui, "frmSchliessen", 6000, 3000, {});
    std::vector<ui::CloseReason> asked;
    int questions = 0;
    form.onQueryEndSession = [&](bool& refuse) { refuse = ++questions == 1; };  // the first time it refuses
    form.onQueryUnload = [&](ui::CloseReason reason, bool&) { asked.push_back(reason); };
    form.realize();
    HWND window = ui.hwndOf(form);
    EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), FALSE);
    EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    EXPECT_EQ(questions, 2);
    // Another program refused: the session goes on.
    SendMessageA(window, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
    EXPECT_TRUE(asked.empty());
    EXPECT_FALSE(form.unloaded());
    SendMessageA(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(asked, (std::vector<ui::CloseReason>{ui::CloseReason::SystemShutdown}));
    EXPECT_TRUE(form.unloaded());
}

struct DialogKeyCase {
    const char* label;
    WPARAM key;
    bool defaultEnabled;
    bool inEditor;  // the key goes to the rich-text editor, not a text field
    const char* expected;
};

void PrintTo(const DialogKeyCase& c, std::ostream* out) { *out << c.label; }

class DialogKeys : public Win32UiTest, public ::testing::WithParamInterface<DialogKeyCase> {};

TEST_P(DialogKeys, EnterAndEscapeClickTheDefaultAndCancelButtons) {
    const DialogKeyCase& c = GetParam();
    ui::Form form(ui, "frmOptionen", 6000, 3000, {});
    ui::Frame frame(&form, "fraName", {120, 120, 4000, 1000}, "Name");
    ui::TextBox name(&frame, "txtName", {120, 300, 3000, 300});
    ui::RichEdit editor(&form, "rtfText", {4300, 120, 1500, 1000}, Plain);
    ui::Button ok(&form, "cmdOk", {120, 1500, 1200, 400}, "OK");
    ui::Button cancel(&form, "cmdAbbrechen", {1500, 1500, 1200, 400}, "Abbrechen");
    ok.isDefault = true;
    cancel.isCancel = true;
    std::string clicked;
    ok.onClick = [&] { clicked += "ok"; };
    cancel.onClick = [&] { clicked += "abbrechen"; };
    form.realize();
    ok.setEnabled(c.defaultEnabled);

    postKey(windowOf(c.inEditor ? static_cast<ui::Control&>(editor) : name), c.key);
    ui.doEvents();
    EXPECT_EQ(clicked, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Keys, DialogKeys,
                         ::testing::Values(DialogKeyCase{"Enter", VK_RETURN, true, false, "ok"},
                                           DialogKeyCase{"Escape", VK_ESCAPE, true, false, "abbrechen"},
                                           DialogKeyCase{"EnterWithTheDefaultDisabled", VK_RETURN, false, false, ""},
                                           DialogKeyCase{"EnterInTheEditorIsTheEditors", VK_RETURN, true, true, ""},
                                           DialogKeyCase{"EscapeInTheEditor", VK_ESCAPE, true, true, "abbrechen"}),
                         [](const auto& p) { return std::string(p.param.label); });

TEST_F(Win32UiTest, TabMovesTheFocusInTabIndexOrder) {
    ui::Form form(ui, "frmTab", 6000, 3000, {});
    ui::TextBox third(&form, "txtDrei", {120, 120, 3000, 300});
    ui::Frame frame(&form, "fraMitte", {120, 600, 4000, 1000}, "Mitte");
    ui::TextBox second(&frame, "txtZwei", {120, 300, 3000, 300});
    ui::Button first(&form, "cmdEins", {120, 1800, 1200, 400}, "Eins");
    ui::Label label(&form, "lblNichts", {3300, 1800, 1200, 300}, "Nichts");
    first.setTabIndex(0);
    frame.setTabIndex(1);
    third.setTabIndex(2);
    label.setTabIndex(3);
    std::vector<std::string> got;
    for (ui::Control* c : std::initializer_list<ui::Control*>{&first, &second, &third})
        c->onGotFocus = [&got, c] { got.push_back(c->name()); };
    form.show();
    ui.doEvents();

    struct Step {
        int shift;
        const char* focused;
    } steps[] = {{0, "txtZwei"}, {0, "txtDrei"}, {0, "cmdEins"}, {ui::shift::Shift, "txtDrei"}};
    std::vector<std::string> expected{"cmdEins"};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.focused);
        HeldKeys held(step.shift);
        postKey(GetFocus(), VK_TAB);
        ui.doEvents();
        expected.push_back(step.focused);
        EXPECT_EQ(got, expected);
        EXPECT_EQ(form.focused()->name(), step.focused);
    }
}

TEST_F(Win32UiTest, AModalFormDisablesTheOthersUntilItCloses) {
    ui::Form main(ui, "frmHaupt", 6000, 3000, {});
    main.setCaption("Hauptfenster");
    main.show();
    ui::Form::Style dialogStyle;
    dialogStyle.border = ui::BorderStyle::FixedDialog;
    ui::Form dialog(ui, "frmDialog", 4000, 2000, dialogStyle);
    dialog.setCaption("Optionen");
    bool mainEnabledWhileModal = true;
    HWND mainWindow = ui.hwndOf(main);
    Helper user([&] {
        HWND modal = waitForWindow("ScrivletForm", "Optionen");
        mainEnabledWhileModal = IsWindowEnabled(mainWindow) != FALSE;
        PostMessageA(modal, WM_CLOSE, 0, 0);
    });
    dialog.showModal();
    EXPECT_FALSE(mainEnabledWhileModal);
    EXPECT_TRUE(dialog.unloaded());
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
}

TEST_F(Win32UiTest, TimersTickWhileEnabled) {
    ui::Form form(ui, "frmUhr", 3000, 3000, {});
    ui::Timer timer(form, 10, true);
    int ticks = 0;
    timer.onTick = [&] { ++ticks; };
    form.realize();
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (ticks < 3 && std::chrono::steady_clock::now() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        ui.doEvents();
    }
    EXPECT_GE(ticks, 3);
}

// ---- controls and the user

TEST_F(Win32UiTest, TheNativeListShowsTheSortedRows) {
    ui::Form form(ui, "frmListe", 6000, 3000, {});
    ui::ListBox list(&form, "lstEintraege", {120, 120, 3000, 2400}, true);
    form.realize();
    for (const char* text : {"beta", "Alpha", "alpha", "Zeta", "10 Uhr", "Äpfel", "Łódź"}) list.addItem(text);
    list.removeItem(2);  // "alpha"
    HWND native = windowOf(list);
    std::vector<std::string> shown;
    const auto count = SendMessageW(native, LB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        SendMessageW(native, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        shown.push_back(narrow(text));
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"10 Uhr", "Alpha", "Äpfel", "beta", "Łódź", "Zeta"}));
}

TEST_F(Win32UiTest, TheUsersClicksReachTheControls) {
    ui::Form form(ui, "frmKlicks", 6000, 4000, {});
    ui::ListBox list(&form, "lstEintraege", {120, 120, 3000, 1500}, false);
    ui::CheckBox check(&form, "chkStart", {3300, 120, 2000, 300}, "Start");
    ui::Panel group(&form, "pnlGruppe", {3300, 600, 2500, 1000});
    ui::OptionButton one(&group, "optEins", {0, 0, 2000, 300}, "Eins", 0);
    ui::OptionButton two(&group, "optZwei", {0, 400, 2000, 300}, "Zwei", 1);
    ui::Button button(&form, "cmdLos", {120, 2000, 1200, 400}, "Los", ui::Picture::Ok);
    for (const char* text : {"eins", "zwei", "drei"}) list.addItem(text);
    std::vector<std::string> events;
    list.onClick = [&] { events.push_back("list " + std::to_string(list.listIndex())); };
    list.onDoubleClick = [&] { events.push_back("double " + std::to_string(list.listIndex())); };
    check.onClick = [&] { events.push_back("check " + std::to_string(check.value())); };
    one.onClick = [&] { events.push_back("eins"); };
    two.onClick = [&] { events.push_back("zwei"); };
    button.onClick = [&] { events.push_back("los"); };
    two.setValue(true);
    events.clear();
    form.realize();

    RECT row;
    SendMessageA(windowOf(list), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    const LPARAM at = MAKELPARAM(row.left + 2, row.top + 2);
    SendMessageA(windowOf(list), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(windowOf(list), WM_LBUTTONUP, 0, at);
    SendMessageA(windowOf(list), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(windowOf(list), WM_LBUTTONUP, 0, at);
    SendMessageA(windowOf(check), BM_CLICK, 0, 0);
    SendMessageA(windowOf(one), BM_CLICK, 0, 0);
    SendMessageA(windowOf(button), BM_CLICK, 0, 0);
    ui.doEvents();

    EXPECT_EQ(events, (std::vector<std::string>{"list 1", "double 1", "check 1", "eins", "los"}));
    EXPECT_TRUE(one.value());
    EXPECT_FALSE(two.value());
    EXPECT_EQ(SendMessageA(windowOf(two), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(Win32UiTest, TypingReachesTextBoxAndComboBox) {
    ui::Form form(ui, "frmTippen", 6000, 4000, {});
    ui::TextBox box(&form, "txtName", {120, 120, 3000, 300});
    ui::ComboBox combo(&form, "cboListe", {120, 600, 3000, 315}, true);
    combo.addItem("Zweite");
    combo.addItem("Erste");
    std::vector<std::string> changes;
    box.onChange = [&] { changes.push_back("box " + box.text()); };
    combo.onChange = [&] { changes.push_back("combo " + combo.text()); };
    int dropped = 0;
    combo.onDropDown = [&] {
        ++dropped;
        combo.addItem("Dritte");  // filled as it opens
    };
    form.realize();

    SendMessageA(windowOf(box), WM_CHAR, 'a', 1);
    // A character from an ANSI window's keyboard, and one beyond its code page.
    SendMessageA(windowOf(box), WM_CHAR, static_cast<unsigned char>('\xE4'), 1);
    SendMessageW(windowOf(box), WM_CHAR, 0x0141, 1);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(windowOf(combo), &info));
    SendMessageA(info.hwndItem, WM_CHAR, 'x', 1);
    SendMessageA(windowOf(combo), CB_SHOWDROPDOWN, TRUE, 0);
    ui.doEvents();

    EXPECT_EQ(changes, (std::vector<std::string>{"box a", "box aä", "box aäŁ", "combo x"}));
    EXPECT_EQ(dropped, 1);
    EXPECT_EQ(SendMessageA(windowOf(combo), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(windowText(windowOf(combo)), "x");
    SendMessageA(windowOf(combo), CB_SHOWDROPDOWN, FALSE, 0);

    box.setText("vom Programm");
    EXPECT_EQ(windowText(windowOf(box)), "vom Programm");
    EXPECT_EQ(changes.back(), "box vom Programm") << "once, from the control, not again from the window";
    EXPECT_EQ(changes.size(), 5u);
}

// ---- the rich-text editor

struct KeyCase {
    const char* label;
    WPARAM key;
    int shift;
    bool consume;
    std::string text;  // afterwards, from "ab" with the caret after "a"
    std::vector<std::string> seen;
};

void PrintTo(const KeyCase& c, std::ostream* out) { *out << c.label; }

class RichEditKeys : public Win32UiTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(RichEditKeys, TabAndEnterGoToTheKeyHandlerFirst) {
    const KeyCase& c = GetParam();
    ui::Form form(ui, "frmEditor", 6000, 4000, {});
    ui::RichEdit edit(&form, "rtfText", {120, 120, 5000, 3000}, Plain);
    ui::Button ok(&form, "cmdOk", {120, 3300, 1200, 400}, "OK");
    ok.isDefault = true;
    std::vector<std::string> seen;
    edit.onKeyDown = [&](ui::KeyEvent& key) {
        seen.push_back("down " + std::to_string(key.keyCode) + " " + std::to_string(key.shift) + " in " + edit.text());
        key.consumed = c.consume;
    };
    edit.onKeyPress = [&](char32_t ch) { seen.push_back("press " + utf8Of(ch) + " in " + edit.text()); };
    ok.onClick = [&] { seen.push_back("ok"); };
    form.realize();
    edit.setText("ab");
    edit.setSelStart(1);

    {
        HeldKeys held(c.shift);
        postKey(windowOf(edit), c.key);
        ui.doEvents();
    }
    EXPECT_EQ(edit.text(), c.text);
    EXPECT_EQ(seen, c.seen);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, RichEditKeys,
    ::testing::Values(
        KeyCase{"EnterConsumed", VK_RETURN, 0, true, "ab", {"down 13 0 in ab"}},
        KeyCase{"EnterPassedOn", VK_RETURN, 0, false, "a\r\nb", {"down 13 0 in ab"}},
        KeyCase{"CtrlEnterConsumed", VK_RETURN, ui::shift::Ctrl, true, "ab", {"down 13 2 in ab"}},
        KeyCase{"ShiftTabConsumed", VK_TAB, ui::shift::Shift, true, "ab", {"down 9 1 in ab"}},
        KeyCase{"TabPassedOn", VK_TAB, 0, false, "a\tb", {"down 9 0 in ab"}},
        KeyCase{"ALetterIsPressedBeforeItIsInserted", 'X', 0, true, "axb", {"press x in ab"}}),
    [](const auto& p) { return std::string(p.param.label); });

// Characters as the window gets them, UTF-16 units in WM_CHAR: the key handler
// hears of each whole character before it is in the text, a character beyond
// U+FFFF once for its two units.
struct TypedCase {
    const char* label;
    std::vector<WPARAM> units;
    std::vector<std::string> seen;
    std::string text;  // afterwards, from "ab" with the caret after "a"
};

void PrintTo(const TypedCase& c, std::ostream* out) { *out << c.label; }

class RichEditCharacters : public Win32UiTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(RichEditCharacters, ReachTheKeyHandlerWholeAndThenTheText) {
    const TypedCase& c = GetParam();
    ui::Form form(ui, "frmEditor", 6000, 4000, {});
    ui::RichEdit edit(&form, "rtfText", {120, 120, 5000, 3000}, Plain);
    std::vector<std::string> seen;
    edit.onKeyPress = [&](char32_t ch) { seen.push_back("press " + utf8Of(ch) + " in " + edit.text()); };
    form.realize();
    edit.setText("ab");
    edit.setSelStart(1);
    for (WPARAM unit : c.units) PostMessageW(windowOf(edit), WM_CHAR, unit, 1);
    ui.doEvents();
    EXPECT_EQ(seen, c.seen);
    EXPECT_EQ(edit.text(), c.text);
    EXPECT_EQ(edit.selStart(), static_cast<int>(c.text.size()) - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Units, RichEditCharacters,
    ::testing::Values(
        TypedCase{"LetterLikeAMarker", {0xC3}, {"press Ã in ab"}, "aÃb"},
        TypedCase{"BeyondWindows1252", {0x0141, 0x0142}, {"press Ł in ab", "press ł in aŁb"}, "aŁłb"},
        TypedCase{"BeyondUFFFF", {0xD83D, 0xDE00}, {"press 😀 in ab"}, "a😀b"},
        TypedCase{"LoneFirstHalf",
                  {0xD83D, 'x'},
                  {"press \xED\xA0\xBD in ab", "press x in a\xED\xA0\xBD" "b"},
                  "a\xED\xA0\xBDxb"}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(Win32UiTest, MousePressesOnTheEditorReachTheControl) {
    ui::Form form(ui, "frmEditor", 6000, 4000, {});
    ui::RichEdit edit(&form, "rtfText", {120, 120, 5000, 3000}, Plain);
    std::vector<ui::MouseEvent> presses;
    edit.onMouseDown = [&](const ui::MouseEvent& e) { presses.push_back(e); };
    form.realize();
    {
        HeldKeys held(ui::shift::Shift | ui::shift::Ctrl);
        PostMessageA(windowOf(edit), WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT | MK_CONTROL, MAKELPARAM(10, 20));
        PostMessageA(windowOf(edit), WM_RBUTTONUP, MK_SHIFT | MK_CONTROL, MAKELPARAM(10, 20));
        ui.doEvents();
    }
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0].button, ui::MouseButton::Right);
    EXPECT_EQ(presses[0].shift, ui::shift::Shift | ui::shift::Ctrl);
    EXPECT_EQ(presses[0].at, (ui::Point{ui.units().xToTwips(10), ui.units().yToTwips(20)}));
}

// The form's own area (a border strip has nothing else): moves and every
// button's press reach the form, a double click as a second press; a move
// repeated where the mouse already stood is no move.
struct FormMouseCase {
    const char* label;
    std::vector<std::pair<UINT, POINT>> messages;
    std::vector<std::string> heard;
};

class FormMouse : public Win32UiTest, public ::testing::WithParamInterface<FormMouseCase> {};

TEST_P(FormMouse, ReachesTheFormAsMovesAndPresses) {
    ui::Form form(ui, "frmStreifen", 3000, 1500, {ui::BorderStyle::None, false, false, false, true});
    std::vector<std::string> heard;
    auto describe = [&](const char* what, const ui::MouseEvent& e) {
        heard.push_back(std::string(what) + " " + std::to_string(static_cast<int>(e.button)) + " " +
                        std::to_string(e.at.x / ui.units().xToTwips(1)) + "," +
                        std::to_string(e.at.y / ui.units().yToTwips(1)));
    };
    form.onMouseMove = [&](const ui::MouseEvent& e) { describe("move", e); };
    form.onMouseDown = [&](const ui::MouseEvent& e) { describe("down", e); };
    form.realize();
    for (const auto& [message, at] : GetParam().messages)
        PostMessageA(ui.hwndOf(form), message, 0, MAKELPARAM(at.x, at.y));
    ui.doEvents();
    EXPECT_EQ(heard, GetParam().heard);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, FormMouse,
    ::testing::Values(
        FormMouseCase{"Move", {{WM_MOUSEMOVE, {3, 4}}}, {"move 1 3,4"}},
        FormMouseCase{"MoveRepeatedInPlace",
                      {{WM_MOUSEMOVE, {3, 4}}, {WM_MOUSEMOVE, {3, 4}}, {WM_MOUSEMOVE, {3, 5}}},
                      {"move 1 3,4", "move 1 3,5"}},
        FormMouseCase{"Left", {{WM_LBUTTONDOWN, {1, 2}}, {WM_LBUTTONUP, {1, 2}}}, {"down 1 1,2"}},
        FormMouseCase{"Right", {{WM_RBUTTONDOWN, {5, 1}}, {WM_RBUTTONUP, {5, 1}}}, {"down 2 5,1"}},
        FormMouseCase{"Middle", {{WM_MBUTTONDOWN, {7, 0}}, {WM_MBUTTONUP, {7, 0}}}, {"down 4 7,0"}},
        FormMouseCase{"DoubleClick",
                      {{WM_LBUTTONDOWN, {1, 1}}, {WM_LBUTTONUP, {1, 1}}, {WM_LBUTTONDBLCLK, {1, 1}},
                       {WM_RBUTTONDBLCLK, {2, 1}}, {WM_MBUTTONDBLCLK, {3, 1}}},
                      {"down 1 1,1", "down 1 1,1", "down 2 2,1", "down 4 3,1"}}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(Win32UiTest, TheMainWindowsEditorWritesInNineAndThreeQuarterPoints) {
    MainForm main(ui);
    main.realize();
    ui::RichEdit& editor = main.ghostTextTB;
    HWND window = windowOf(editor);
    ASSERT_TRUE(window);
    auto sizeOfAll = [window] {
        SendMessageA(window, EM_SETSEL, 0, -1);
        CHARFORMAT2A format{};
        format.cbSize = sizeof format;
        SendMessageA(window, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        // Twentieths of a point; -1 when the characters differ in size.
        return (format.dwMask & CFM_SIZE) ? static_cast<long>(format.yHeight) : -1L;
    };
    // A text with markers in one step, then what the user types at its end.
    editor.setRuns({{"Hallo", {0x000000, "Arial"}}, {"\uF0C3", {0x0000FF, "Wingdings"}}, {"\r\nWelt", {0, "Arial"}}});
    EXPECT_EQ(sizeOfAll(), 195);
    SendMessageA(window, EM_SETSEL, static_cast<WPARAM>(-1), -1);
    SendMessageA(window, WM_CHAR, 'x', 1);
    EXPECT_EQ(editor.text(), "Hallo\uF0C3\r\nWeltx");
    EXPECT_EQ(sizeOfAll(), 195);
    editor.setText("");
    SendMessageA(window, WM_CHAR, 'y', 1);
    EXPECT_EQ(sizeOfAll(), 195);
}

TEST_F(Win32UiTest, TheUsersEditReportsTextFormatsAndCaret) {
    ui::Form form(ui, "frmEditor", 6000, 4000, {});
    ui::RichEdit edit(&form, "rtfText", {120, 120, 5000, 3000}, Plain);
    const ui::CharFormat red{0x0000FF, "Courier New"};
    std::vector<std::string> changes;
    edit.onChange = [&] { changes.push_back(edit.text() + " @" + std::to_string(edit.selStart())); };
    form.realize();
    edit.setRuns({{"a\r\n", Plain}, {"\uF0F0", red}});
    changes.clear();

    // The user types after the marker: the new character takes its format.
    // The window counts the break and the marker one each, the control the
    // bytes of UTF-8.
    SendMessageW(windowOf(edit), EM_SETSEL, 3, 3);
    SendMessageW(windowOf(edit), WM_CHAR, 'z', 1);
    EXPECT_EQ(edit.text(), "a\r\n\uF0F0z");
    EXPECT_EQ(edit.formatAt(6), red);
    EXPECT_EQ(edit.selStart(), 7);
    EXPECT_EQ(changes, (std::vector<std::string>{"a\r\n\uF0F0z @7"})) << "the caret is right when the change is heard";
}

TEST_F(Win32UiTest, ALongTextWithManyMarkersFillsInOneStep) {
    ui::Form form(ui, "frmEditor", 9000, 6000, {});
    ui::RichEdit edit(&form, "rtfText", {120, 120, 8000, 5000}, Plain);
    form.realize();
    const ui::CharFormat markerFormats[] = {{0x0000FF, "Arial"}, {0x008000, "Courier New"}};
    std::vector<ui::FormatRun> runs;
    std::string expectedText;
    std::vector<ui::CharFormat> expectedFormats;
    for (int i = 0; i < 500; ++i) {
        std::string words = "Wort " + std::to_string(i) + " ";
        words.resize(15, '.');
        if (i % 5 == 4) words.replace(13, 2, "\r\n");
        const std::string marker = i % 2 ? "\uF0C3" : "\uF0F0";
        runs.push_back({words, Plain});
        runs.push_back({marker, markerFormats[i % 2]});
        expectedText += words + marker;
        expectedFormats.insert(expectedFormats.end(), words.size(), Plain);
        expectedFormats.insert(expectedFormats.end(), marker.size(), markerFormats[i % 2]);
    }
    ASSERT_EQ(expectedText.size(), 9000u);  // 8,000 characters, the markers of three bytes

    const auto start = std::chrono::steady_clock::now();
    edit.setRuns(runs);
    const auto filled = std::chrono::steady_clock::now();
    ui.syncFromNative(form);
    const auto read = std::chrono::steady_clock::now();
    std::printf("[ info     ] fill %lld ms, read back %lld ms\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(filled - start).count()),
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(read - filled).count()));

    EXPECT_EQ(edit.text(), expectedText);
    EXPECT_TRUE(edit.formats() == expectedFormats);
    GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, 1200};
    EXPECT_EQ(SendMessageW(windowOf(edit), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0), 8000 - 100)
        << "a line break is one character in the window";
}

// ---- the program's pictures

struct PictureCase {
    const char* label;
    ui::Picture picture;
};

void PrintTo(const PictureCase& c, std::ostream* out) { *out << c.label; }

class Pictures : public ::testing::TestWithParam<PictureCase> {};

// The pixels of an icon, row by row.
std::vector<RGBQUAD> pixelsOf(HICON icon, int width, int height) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {};
    UniqueHbitmap colour(info.hbmColor), mask(info.hbmMask);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<RGBQUAD> pixels(static_cast<std::size_t>(width * height));
    const UniqueWindowDc screen = getDc(nullptr);
    GetDIBits(screen.get().dc, colour.get(), 0, static_cast<UINT>(height), pixels.data(), &format, DIB_RGB_COLORS);
    return pixels;
}

std::vector<RGBQUAD> pixelsOf(HICON icon, int size) { return pixelsOf(icon, size, size); }

std::vector<BYTE> alphaOf(HICON icon, int size) {
    std::vector<BYTE> alpha;
    for (const RGBQUAD& p : pixelsOf(icon, size)) alpha.push_back(p.rgbReserved);
    return alpha;
}

TEST_P(Pictures, AreDrawnAtEachSizeWithTransparentCorners) {
    for (int size : {16, 32}) {
        SCOPED_TRACE(size);
        const UniqueHicon icon = drawPicture(GetParam().picture, size);
        ASSERT_TRUE(icon);
        const std::vector<BYTE> alpha = alphaOf(icon.get(), size);
        ASSERT_EQ(alpha.size(), static_cast<std::size_t>(size * size));
        EXPECT_EQ(alpha.front(), 0) << "top left corner";
        EXPECT_EQ(alpha.back(), 0) << "bottom right corner";
        const auto opaque = std::count(alpha.begin(), alpha.end(), BYTE{255});
        EXPECT_GT(opaque, size * size / 8) << "the picture covers a good part of its square";
    }
}

INSTANTIATE_TEST_SUITE_P(All, Pictures,
                         ::testing::Values(PictureCase{"AppIcon", ui::Picture::AppIcon},
                                           PictureCase{"New", ui::Picture::New},
                                           PictureCase{"Rename", ui::Picture::Rename},
                                           PictureCase{"Delete", ui::Picture::Delete},
                                           PictureCase{"Ok", ui::Picture::Ok},
                                           PictureCase{"Help", ui::Picture::Help},
                                           PictureCase{"Info", ui::Picture::Info},
                                           PictureCase{"Debug", ui::Picture::Debug},
                                           PictureCase{"Options", ui::Picture::Options}),
                         [](const auto& p) { return std::string(p.param.label); });

TEST(PictureSet, EveryPictureLooksDifferent) {
    const ui::Picture all[] = {ui::Picture::AppIcon, ui::Picture::New, ui::Picture::Rename, ui::Picture::Delete,
                               ui::Picture::Ok, ui::Picture::Help, ui::Picture::Info, ui::Picture::Debug,
                               ui::Picture::Options};
    std::vector<std::vector<BYTE>> images;
    for (ui::Picture picture : all) {
        const std::vector<RGBQUAD> pixels = pixelsOf(drawPicture(picture, 32).get(), 32);
        const auto* bytes = reinterpret_cast<const BYTE*>(pixels.data());
        images.emplace_back(bytes, bytes + pixels.size() * sizeof(RGBQUAD));
    }
    for (std::size_t i = 0; i < images.size(); ++i)
        for (std::size_t j = i + 1; j < images.size(); ++j)
            EXPECT_TRUE(images[i] != images[j]) << "pictures " << i << " and " << j;
}

TEST(PictureSet, TheMonitorFillsItsOwnProportions) {
    // 188 x 174: the housing at the top, the stand below, the screen inside.
    const auto start = std::chrono::steady_clock::now();
    const UniqueHicon icon = drawPicture(ui::Picture::Monitor, 188, 174);
    std::printf("[ info     ] monitor drawn in %lld ms\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                           std::chrono::steady_clock::now() - start)
                                           .count()));
    ASSERT_TRUE(icon);
    const std::vector<RGBQUAD> pixels = pixelsOf(icon.get(), 188, 174);
    ASSERT_EQ(pixels.size(), 188u * 174u);
    auto at = [&pixels](int x, int y) { return pixels[static_cast<std::size_t>(y * 188 + x)]; };
    struct Point {
        const char* where;
        int x, y;
        bool opaque;
    } points[] = {{"the screen's middle", 94, 70, true}, {"the taskbar", 100, 132, true},
                  {"the housing's edge", 3, 76, true},   {"the foot", 94, 168, true},
                  {"beside the stand", 10, 168, false},  {"beside the foot", 180, 168, false}};
    for (const Point& p : points)
        EXPECT_EQ(at(p.x, p.y).rgbReserved == 255, p.opaque) << p.where;
    // The desktop is blue, the taskbar grey.
    EXPECT_GT(at(94, 115).rgbBlue, at(94, 115).rgbRed + 60);
    const RGBQUAD bar = at(100, 132);
    EXPECT_LT(std::abs(bar.rgbRed - bar.rgbBlue), 20);
}

// ---- what the options dialog asks of the toolkit

TEST_F(Win32UiTest, AControlDeclaredFirstLiesOverTheNextWhileTabFollowsTheTabIndex) {
    ui::Form form(ui, "frmLagen", 6000, 3000, {});
    // The second panel's lower option reaches under the first panel.
    ui::Panel upper(&form, "pnlOben", {2400, 600, 2400, 900});
    ui::OptionButton mouse(&upper, "optMaus", {0, 0, 2400, 300}, "Maus", 0);
    ui::OptionButton click(&upper, "optKlick", {0, 450, 2400, 300}, "Klick", 1);
    ui::Panel lower(&form, "pnlUnten", {240, 120, 4500, 1200});
    ui::OptionButton iconOnly(&lower, "optIcon", {0, 0, 4500, 300}, "Icon", 0);
    ui::OptionButton iconAnd(&lower, "optUnd", {0, 480, 3000, 300}, "Icon und", 1);
    ui::Button ok(&form, "cmdOk", {240, 2160, 1200, 400}, "OK");
    lower.setTabIndex(0);
    upper.setTabIndex(1);
    ok.setTabIndex(2);
    iconOnly.setValue(true);
    mouse.setValue(true);
    form.show();
    ui.doEvents();

    auto hit = [this](ui::Control& control, int dx) {
        const ui::Rect g = control.geometry();
        POINT p{ui.units().xToPixels(g.left) + dx, ui.units().yToPixels(g.top + g.height / 2)};
        MapWindowPoints(GetParent(windowOf(control)), nullptr, &p, 1);
        return WindowFromPoint(p);
    };
    EXPECT_EQ(hit(mouse, 20), windowOf(mouse)) << "where the panels overlap, the first declared is hit";
    EXPECT_EQ(hit(iconAnd, 10), windowOf(iconAnd)) << "left of the first panel the second one is hit";

    EXPECT_EQ(form.focused(), &iconOnly) << "the first in tab order has the focus, not the topmost";
    std::vector<std::string> got;
    for (ui::Control* c : std::initializer_list<ui::Control*>{&iconOnly, &mouse, &ok})
        c->onGotFocus = [&got, c] { got.push_back(c->name()); };
    for (int i = 0; i < 3; ++i) {
        postKey(GetFocus(), VK_TAB);
        ui.doEvents();
    }
    EXPECT_EQ(got, (std::vector<std::string>{"optMaus", "cmdOk", "optIcon"}));
}

TEST_F(Win32UiTest, ActivationIsReportedFromTheProgramsOwnWindowsOnly) {
    ui::Form first(ui, "frmEins", 3000, 2000, {});
    ui::Form second(ui, "frmZwei", 3000, 2000, {});
    first.setCaption("Eins");
    second.setCaption("Zwei");
    int activated = 0;
    first.onActivate = [&activated] { ++activated; };
    // Asked again while the program's messages run: Wine may refuse the
    // first request while another activation is still under way.
    const auto bringToFront = [&](HWND window) {
        return test::waitUntil([&] {
            ui.doEvents();
            if (GetForegroundWindow() != window) SetForegroundWindow(window);
            return GetForegroundWindow() == window;
        });
    };
    first.show();
    ui.doEvents();
    EXPECT_EQ(activated, 1) << "shown";
    second.show();
    ui.doEvents();
    ASSERT_TRUE(test::waitUntil([&] { return GetForegroundWindow() == ui.hwndOf(second); }));
    ASSERT_TRUE(bringToFront(ui.hwndOf(first)));
    ui.doEvents();
    EXPECT_EQ(activated, 2) << "from another of the program's windows";

    test::Notepad notepad;
    ASSERT_TRUE(notepad.running());
    ASSERT_TRUE(bringToFront(notepad.window()));
    ui.doEvents();
    ASSERT_TRUE(bringToFront(ui.hwndOf(first)));
    ui.doEvents();
    EXPECT_EQ(activated, 2) << "coming back from another program";
}

TEST_F(Win32UiTest, EveryFormHearsWhenTheProgramLosesTheActivationToAnotherProgram) {
    ui::Form first(ui, "frmEins", 3000, 2000, {});
    ui::Form second(ui, "frmZwei", 3000, 2000, {});
    ui::Form hidden(ui, "frmVerborgen", 3000, 2000, {});
    first.setCaption("Eins");
    second.setCaption("Zwei");
    std::vector<int> lost(3, 0);
    first.onDeactivate = [&lost] { ++lost[0]; };
    second.onDeactivate = [&lost] { ++lost[1]; };
    hidden.onDeactivate = [&lost] { ++lost[2]; };
    hidden.realize();
    const auto bringToFront = [&](HWND window) {
        return test::waitUntil([&] {
            ui.doEvents();
            if (GetForegroundWindow() != window) SetForegroundWindow(window);
            return GetForegroundWindow() == window;
        });
    };
    test::Notepad notepad;
    ASSERT_TRUE(notepad.running());
    const struct {
        const char* step;
        std::function<HWND()> front;
        std::vector<int> lost;
    } steps[] = {
        {"the program's first window comes to the front", [&] { first.show(); return ui.hwndOf(first); }, {0, 0, 0}},
        {"another of its windows", [&] { second.show(); return ui.hwndOf(second); }, {0, 0, 0}},
        {"back to the first", [&] { return ui.hwndOf(first); }, {0, 0, 0}},
        {"another program", [&] { return notepad.window(); }, {1, 1, 1}},
        {"the program again", [&] { return ui.hwndOf(second); }, {1, 1, 1}},
        {"another program again", [&] { return notepad.window(); }, {2, 2, 2}},
    };
    // The counts add up, so a report that comes late or twice shows at a
    // later step at the latest.
    for (const auto& s : steps) {
        ASSERT_TRUE(bringToFront(s.front())) << s.step;
        EXPECT_TRUE(test::waitUntil(
            [&] {
                ui.doEvents();
                return lost == s.lost;
            },
            5s))
            << s.step << ": " << lost[0] << lost[1] << lost[2];
    }
}

TEST_F(Win32UiTest, AModalFormShownAgainWhileItRunsKeepsTheOthersDisabled) {
    ui::Form main(ui, "frmHaupt", 6000, 3000, {});
    main.setCaption("Hauptfenster");
    main.show();
    ui::Form::Style dialogStyle;
    dialogStyle.border = ui::BorderStyle::FixedSingle;
    ui::Form dialog(ui, "frmDialog", 4000, 2000, dialogStyle);
    dialog.setCaption("Optionen");
    ui::Timer step(dialog, 50, true);
    HWND mainWindow = ui.hwndOf(main);
    bool enabledAfterStepAside = true, dialogVisibleAgain = false;
    step.onTick = [&] {
        step.setEnabled(false);
        // Steps aside for a moment, as while the border strip is placed.
        dialog.hide();
        dialog.show();
        enabledAfterStepAside = IsWindowEnabled(mainWindow) != FALSE;
        dialogVisibleAgain = IsWindowVisible(ui.hwndOf(dialog)) != FALSE;
        dialog.hide();
    };
    dialog.showModal();
    EXPECT_TRUE(dialogVisibleAgain);
    EXPECT_FALSE(enabledAfterStepAside);
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
}

}  // namespace
}  // namespace scrivlet
