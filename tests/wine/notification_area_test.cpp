// The notification-area hook and icon through Win32NotificationArea, on a
// window of this test whose own procedure records what reaches it.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop_test_support.h"
#include "platform/win32/win32_notification_area.h"
#include "platform/win32/win32_notify_icon_data.h"
#include "platform/win32/win32_text.h"

namespace scrivlet::test {
namespace {

WindowId idOf(HWND hwnd) { return reinterpret_cast<WindowId>(hwnd); }

constexpr UINT Echo = WM_USER + 5;  // answered by the window's own procedure
constexpr LRESULT EchoAnswer = 42;

// What the window's own procedure was given, beyond the messages every
// window gets.
struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Received&) const = default;
};
std::vector<Received> received;
UINT taskbarCreatedMessage() { return RegisterWindowMessageA("TaskbarCreated"); }

LRESULT CALLBACK ownProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == NotificationArea::CallbackMessage || message == Echo || message == taskbarCreatedMessage())
        received.push_back({message, wParam, lParam});
    if (message == Echo) return EchoAnswer + static_cast<LRESULT>(wParam) + lParam;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The window is never shown: the hook needs none, and a window that was never
// shown costs nothing to destroy under Wine.
class Win32NotificationAreaHook : public ::testing::Test {
protected:
    void SetUp() override {
        received.clear();
        ASSERT_TRUE(window);
        ASSERT_NE(taskbarCreatedMessage(), 0u);
    }
    bool hook() {
        return tray.hook(
            idOf(window.get()), [this](unsigned lParam) { iconMessages.push_back(lParam); },
            [this] { ++taskbarsCreated; });
    }
    WNDPROC procedure() const { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window.get(), GWLP_WNDPROC)); }

    UniqueHwnd window = createTestWindow("Scrivlet Symbol", ownProcedure, 0, WS_POPUP);
    Win32NotificationArea tray;
    std::vector<unsigned> iconMessages;
    int taskbarsCreated = 0;
};

struct IconMessageCase {
    const char* label;
    std::vector<unsigned> lParams;
};

void PrintTo(const IconMessageCase& c, std::ostream* out) { *out << c.label; }

class Win32IconMessages : public Win32NotificationAreaHook,
                          public ::testing::WithParamInterface<IconMessageCase> {};

TEST_P(Win32IconMessages, GoToTheProgramAndNoFurther) {
    ASSERT_TRUE(hook());
    for (unsigned lParam : GetParam().lParams)
        EXPECT_EQ(SendMessageA(window.get(), NotificationArea::CallbackMessage, 0, lParam), 0);
    EXPECT_EQ(iconMessages, GetParam().lParams);
    EXPECT_EQ(received, std::vector<Received>{});
}

INSTANTIATE_TEST_SUITE_P(
    Mouse, Win32IconMessages,
    ::testing::Values(IconMessageCase{"LeftClick", {513, 514}}, IconMessageCase{"RightClick", {516, 517}},
                      IconMessageCase{"LeftDoubleClick", {513, 514, 515, 514}},
                      IconMessageCase{"RightDoubleClick", {518}}, IconMessageCase{"Move", {512}},
                      IconMessageCase{"AllInTurn", {513, 516, 515, 518, 512}}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(Win32NotificationAreaHook, OtherMessagesReachTheWindowUnchanged) {
    ASSERT_TRUE(hook());
    EXPECT_EQ(SendMessageA(window.get(), Echo, 3, 4), EchoAnswer + 7);
    EXPECT_EQ(received, (std::vector<Received>{{Echo, 3, 4}}));
    EXPECT_EQ(iconMessages, std::vector<unsigned>{});
}

TEST_F(Win32NotificationAreaHook, TaskbarCreatedTellsTheProgramAndReachesTheWindow) {
    ASSERT_TRUE(hook());
    SendMessageA(window.get(), taskbarCreatedMessage(), 0, 0);
    EXPECT_EQ(taskbarsCreated, 1);
    EXPECT_EQ(received, (std::vector<Received>{{taskbarCreatedMessage(), 0, 0}}));
}

TEST_F(Win32NotificationAreaHook, UnhookRestoresTheWindowsOwnProcedure) {
    const WNDPROC own = procedure();
    ASSERT_TRUE(hook());
    EXPECT_NE(procedure(), own);
    tray.unhook();
    EXPECT_EQ(procedure(), own);
    SendMessageA(window.get(), NotificationArea::CallbackMessage, 0, 513);
    SendMessageA(window.get(), taskbarCreatedMessage(), 0, 0);
    EXPECT_EQ(iconMessages, std::vector<unsigned>{});
    EXPECT_EQ(taskbarsCreated, 0);
    EXPECT_EQ(received.size(), 2u);
}

TEST_F(Win32NotificationAreaHook, HookingAgainReplacesTheHandlers) {
    ASSERT_TRUE(hook());
    std::vector<unsigned> second;
    ASSERT_TRUE(tray.hook(idOf(window.get()), [&](unsigned lParam) { second.push_back(lParam); }, [] {}));
    SendMessageA(window.get(), NotificationArea::CallbackMessage, 0, 516);
    EXPECT_EQ(iconMessages, std::vector<unsigned>{});
    EXPECT_EQ(second, std::vector<unsigned>{516});
    // Unhooked once, the window has its own procedure back, not the first hook's.
    tray.unhook();
    EXPECT_EQ(procedure(), ownProcedure);
}

TEST_F(Win32NotificationAreaHook, TheProgramMayUnhookFromWithinTheCallback) {
    ASSERT_TRUE(tray.hook(idOf(window.get()), [this](unsigned) { tray.unhook(); }, [] {}));
    EXPECT_EQ(SendMessageA(window.get(), NotificationArea::CallbackMessage, 0, 517), 0);
    EXPECT_EQ(procedure(), ownProcedure);
}

TEST_F(Win32NotificationAreaHook, ADestroyedWindowTakesTheHookWithIt) {
    ASSERT_TRUE(hook());
    window.reset();
    // The hook let go of the window as it went: there is nothing to show an
    // icon for, and nothing to restore.
    EXPECT_FALSE(tray.addIcon(1, "Scrivlet"));
    EXPECT_FALSE(tray.deleteIcon(1));
    tray.unhook();
    EXPECT_FALSE(hook());
}

TEST_F(Win32NotificationAreaHook, NoWindowCannotBeHooked) {
    EXPECT_FALSE(tray.hook(0, [](unsigned) {}, [] {}));
    EXPECT_FALSE(tray.addIcon(1, "Scrivlet"));
    EXPECT_FALSE(tray.deleteIcon(1));
}

// ---- the icon

struct TipCase {
    const char* label;
    std::string tip;
    std::string shown;
};

void PrintTo(const TipCase& c, std::ostream* out) { *out << c.label; }

class Win32NotifyIconTip : public ::testing::TestWithParam<TipCase> {};

TEST_P(Win32NotifyIconTip, IsCutTo63Units) {
    UniqueHwnd window = createTestWindow("Scrivlet Symbol", DefWindowProcW, 0, WS_POPUP);
    ASSERT_TRUE(window);
    const NOTIFYICONDATAW data = notifyIconData(window.get(), 3, 1024, GetParam().tip);
    EXPECT_EQ(narrow(data.szTip), GetParam().shown);
    EXPECT_EQ(data.szTip[63], L'\0');
    EXPECT_EQ(data.cbSize, static_cast<DWORD>(NOTIFYICONDATAW_V1_SIZE));
    EXPECT_EQ(data.hWnd, window.get());
    EXPECT_EQ(data.uID, 3u);
    EXPECT_EQ(data.uFlags, 7u);  // NIF_MESSAGE | NIF_ICON | NIF_TIP
    EXPECT_EQ(data.uCallbackMessage, 1024u);
}

INSTANTIATE_TEST_SUITE_P(Tips, Win32NotifyIconTip,
                         ::testing::Values(TipCase{"Empty", "", ""}, TipCase{"Name", "Scrivlet", "Scrivlet"},
                                           TipCase{"Umlauts", "Scrivlet - Grüße", "Scrivlet - Grüße"},
                                           TipCase{"BeyondWindows1252", "Łódź При ✓", "Łódź При ✓"},
                                           TipCase{"PairWithinTheLimit", std::string(61, 'x') + "😀",
                                                   std::string(61, 'x') + "😀"},
                                           TipCase{"PairNotCutInHalf", std::string(62, 'x') + "😀",
                                                   std::string(62, 'x')},
                                           TipCase{"Length63", std::string(63, 'x'), std::string(63, 'x')},
                                           TipCase{"Length64", std::string(64, 'x'), std::string(63, 'x')},
                                           TipCase{"Length200", std::string(199, 'y') + "z", std::string(63, 'y')}),
                         [](const auto& p) { return std::string(p.param.label); });

// Distinct icons, so that the one chosen can be told apart.
struct Icons {
    HICON windowSmall = LoadIconA(nullptr, IDI_WARNING);
    HICON windowBig = LoadIconA(nullptr, IDI_ERROR);
    HICON classSmall = LoadIconA(nullptr, IDI_INFORMATION);
    HICON classBig = LoadIconA(nullptr, IDI_QUESTION);
    HICON application = LoadIconA(nullptr, IDI_APPLICATION);
};

enum class Chosen { WindowSmall, WindowBig, ClassSmall, SmallMadeFromClassBig, Application };

struct IconCase {
    const char* label;
    bool windowSmall, windowBig, classSmall, classBig;
    Chosen chosen;
};

void PrintTo(const IconCase& c, std::ostream* out) { *out << c.label; }

class Win32NotifyIconImage : public ::testing::TestWithParam<IconCase> {};

TEST_P(Win32NotifyIconImage, IsTheWindowsCaptionIcon) {
    const IconCase& c = GetParam();
    const Icons icons;
    const std::string className = std::string("ScrivletIconTest") + c.label;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className.c_str();
    wc.hIcon = c.classBig ? icons.classBig : nullptr;
    wc.hIconSm = c.classSmall ? icons.classSmall : nullptr;
    ASSERT_TRUE(RegisterClassExA(&wc));
    UniqueHwnd window(CreateWindowExA(0, className.c_str(), "Scrivlet Symbol", WS_POPUP, 0, 0, 10, 10, nullptr,
                                      nullptr, GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(window);
    if (c.windowSmall) SendMessageA(window.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons.windowSmall));
    if (c.windowBig) SendMessageA(window.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.windowBig));
    // A class with a big icon only is given a small one made from it.
    const auto madeSmall = reinterpret_cast<HICON>(GetClassLongPtrA(window.get(), GCLP_HICONSM));
    const HICON expected = c.chosen == Chosen::WindowSmall  ? icons.windowSmall
                           : c.chosen == Chosen::WindowBig  ? icons.windowBig
                           : c.chosen == Chosen::ClassSmall ? icons.classSmall
                           : c.chosen == Chosen::Application ? icons.application
                                                             : madeSmall;
    ASSERT_NE(expected, nullptr);
    EXPECT_EQ(notifyIconData(window.get(), 1, 1024, "").hIcon, expected);
    window.reset();
    UnregisterClassA(className.c_str(), GetModuleHandleA(nullptr));
}

INSTANTIATE_TEST_SUITE_P(
    Sources, Win32NotifyIconImage,
    ::testing::Values(IconCase{"WindowSmall", true, true, true, true, Chosen::WindowSmall},
                      IconCase{"WindowBig", false, true, true, true, Chosen::WindowBig},
                      IconCase{"ClassSmall", false, false, true, true, Chosen::ClassSmall},
                      IconCase{"ClassBigOnly", false, false, false, true, Chosen::SmallMadeFromClassBig},
                      IconCase{"None", false, false, false, false, Chosen::Application}),
    [](const auto& p) { return std::string(p.param.label); });

// The shell's side: Wine's explorer keeps a notification area even without a
// visible taskbar, and answers as Windows does. An icon it knows can be
// modified; one it does not know cannot.
bool shellKnowsIcon(HWND window, unsigned id) {
    NOTIFYICONDATAW data = notifyIconKey(window, id);
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

TEST_F(Win32NotificationAreaHook, IconIsAddedAndDeletedByItsId) {
    ASSERT_NE(FindWindowA("Shell_TrayWnd", nullptr), nullptr) << "no notification area runs";
    ASSERT_TRUE(hook());
    ASSERT_TRUE(tray.addIcon(7, "Scrivlet"));
    ASSERT_TRUE(tray.addIcon(8, std::string(100, 'x')));
    EXPECT_TRUE(shellKnowsIcon(window.get(), 7));
    EXPECT_TRUE(shellKnowsIcon(window.get(), 8));
    EXPECT_TRUE(tray.deleteIcon(7));
    EXPECT_FALSE(shellKnowsIcon(window.get(), 7));
    EXPECT_TRUE(shellKnowsIcon(window.get(), 8));
    EXPECT_FALSE(tray.deleteIcon(7));
    EXPECT_TRUE(tray.deleteIcon(8));
    EXPECT_FALSE(shellKnowsIcon(window.get(), 8));
}

TEST_F(Win32NotificationAreaHook, AnIconIsAddedOnce) {
    ASSERT_TRUE(hook());
    ASSERT_TRUE(tray.addIcon(9, "Scrivlet"));
    EXPECT_FALSE(tray.addIcon(9, "Scrivlet"));
    EXPECT_TRUE(tray.deleteIcon(9));
}

}  // namespace
}  // namespace scrivlet::test
