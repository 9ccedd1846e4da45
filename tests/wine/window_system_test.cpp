// The desktop's top-level windows through Win32WindowSystem, held against
// windows this test creates (and, for another program's window, Wine's notepad).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "desktop_test_support.h"
#include "platform/win32/win32_window_system.h"

namespace scrivlet::test {
namespace {

WindowId idOf(HWND hwnd) { return reinterpret_cast<WindowId>(hwnd); }

// Three windows stacked bottom, middle, top, directly on one another. They are
// made once for all the tests: Wine waits two seconds for a window manager
// whenever an activated window goes away, and Xvfb has none.
class Win32WindowStack : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        stack = new std::vector<UniqueHwnd>;
        for (const char* title : {"Scrivlet unten", "Scrivlet Mitte", "Scrivlet oben"})
            stack->push_back(createTestWindow(title));
    }
    static void TearDownTestSuite() {
        delete stack;
        stack = nullptr;
    }
    void SetUp() override {
        for (const UniqueHwnd& window : *stack) {
            ASSERT_TRUE(window);
            ASSERT_TRUE(SetWindowPos(window.get(), HWND_NOTOPMOST, 0, 0, 0, 0,
                                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
        }
        ASSERT_TRUE(SetWindowPos(top(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
        ASSERT_TRUE(SetWindowPos(middle(), top(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
        ASSERT_TRUE(SetWindowPos(bottom(), middle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE));
    }
    static HWND bottom() { return (*stack)[0].get(); }
    static HWND middle() { return (*stack)[1].get(); }
    static HWND top() { return (*stack)[2].get(); }
    static HWND byName(const std::string& name) {
        return name == "bottom" ? bottom() : name == "middle" ? middle() : top();
    }

    static std::vector<UniqueHwnd>* stack;
    Win32WindowSystem system;
};

std::vector<UniqueHwnd>* Win32WindowStack::stack = nullptr;

// A window that is never shown, and so costs nothing to destroy.
UniqueHwnd hiddenWindow(const char* title) { return createTestWindow(title, DefWindowProcW, 0, WS_POPUP); }

struct NeighbourCase {
    const char* label;
    const char* from;
    bool below;  // next (below) or previous (above)
    const char* expected;
};

void PrintTo(const NeighbourCase& c, std::ostream* out) { *out << c.label; }

class Win32ZOrder : public Win32WindowStack, public ::testing::WithParamInterface<NeighbourCase> {};

TEST_P(Win32ZOrder, NeighbourIsTheAdjacentWindow) {
    const NeighbourCase& c = GetParam();
    const WindowId from = idOf(byName(c.from));
    const WindowId found = c.below ? system.next(from) : system.previous(from);
    EXPECT_EQ(found, idOf(byName(c.expected)));
}

INSTANTIATE_TEST_SUITE_P(Stack, Win32ZOrder,
                         ::testing::Values(NeighbourCase{"BelowTop", "top", true, "middle"},
                                           NeighbourCase{"BelowMiddle", "middle", true, "bottom"},
                                           NeighbourCase{"AboveBottom", "bottom", false, "middle"},
                                           NeighbourCase{"AboveMiddle", "middle", false, "top"}),
                         [](const auto& p) { return std::string(p.param.label); });

TEST_F(Win32WindowStack, NoWindowHasNoNeighbours) {
    EXPECT_EQ(system.next(0), 0u);
    EXPECT_EQ(system.previous(0), 0u);
}

TEST_F(Win32WindowStack, EnumerationListsTheWindowsTopDown) {
    const std::vector<WindowId> all = system.topLevelWindows();
    const auto at = [&](HWND hwnd) { return std::find(all.begin(), all.end(), idOf(hwnd)) - all.begin(); };
    const auto end = static_cast<std::ptrdiff_t>(all.size());
    ASSERT_LT(at(top()), end);
    ASSERT_LT(at(middle()), end);
    ASSERT_LT(at(bottom()), end);
    EXPECT_LT(at(top()), at(middle()));
    EXPECT_LT(at(middle()), at(bottom()));
}

TEST_F(Win32WindowStack, EnumerationLeavesOutDestroyedWindows) {
    UniqueHwnd doomed = hiddenWindow("Scrivlet vergänglich");
    ASSERT_TRUE(doomed);
    const WindowId gone = idOf(doomed.get());
    std::vector<WindowId> all = system.topLevelWindows();
    EXPECT_EQ(std::count(all.begin(), all.end(), gone), 1);
    doomed.reset();
    all = system.topLevelWindows();
    EXPECT_EQ(std::count(all.begin(), all.end(), gone), 0);
    EXPECT_EQ(std::count(all.begin(), all.end(), idOf(top())), 1);
}

struct ExistenceCase {
    const char* label;
    bool destroyed;
    bool shown;
    bool exists;
    bool visible;
};

void PrintTo(const ExistenceCase& c, std::ostream* out) { *out << c.label; }

class Win32WindowExistence : public ::testing::TestWithParam<ExistenceCase> {};

TEST_P(Win32WindowExistence, IsReportedAsItIs) {
    const ExistenceCase& c = GetParam();
    UniqueHwnd window = hiddenWindow("Scrivlet Dasein");
    ASSERT_TRUE(window);
    // Shown without activating it, which again spares the wait for a window manager.
    if (c.shown) ShowWindow(window.get(), SW_SHOWNOACTIVATE);
    const WindowId id = idOf(window.get());
    if (c.destroyed) window.reset();
    Win32WindowSystem system;
    EXPECT_EQ(system.exists(id), c.exists);
    EXPECT_EQ(system.isVisible(id), c.visible);
}

INSTANTIATE_TEST_SUITE_P(States, Win32WindowExistence,
                         ::testing::Values(ExistenceCase{"Shown", false, true, true, true},
                                           ExistenceCase{"Hidden", false, false, true, false},
                                           ExistenceCase{"Destroyed", true, true, false, false}),
                         [](const auto& p) { return std::string(p.param.label); });

TEST(Win32WindowSystemNone, NoWindowNeitherExistsNorShows) {
    Win32WindowSystem system;
    EXPECT_FALSE(system.exists(0));
    EXPECT_FALSE(system.isVisible(0));
    EXPECT_EQ(system.title(0), "");
    EXPECT_FALSE(system.bringToForeground(0));
}

struct TitleCase {
    const char* label;
    std::string title;
    std::string expected;
};

void PrintTo(const TitleCase& c, std::ostream* out) { *out << c.label; }

class Win32WindowTitle : public ::testing::TestWithParam<TitleCase> {};

TEST_P(Win32WindowTitle, IsReadWithEveryCharacterAndCutAt127Characters) {
    UniqueHwnd window = hiddenWindow("");
    ASSERT_TRUE(window);
    ASSERT_TRUE(SetWindowTextW(window.get(), wide(GetParam().title).c_str()));
    Win32WindowSystem system;
    EXPECT_EQ(system.title(idOf(window.get())), GetParam().expected);
}

std::string repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

std::string digits(std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += static_cast<char>('0' + i % 10);
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Titles, Win32WindowTitle,
    ::testing::Values(TitleCase{"Empty", "", ""}, TitleCase{"Short", "Editor", "Editor"},
                      TitleCase{"Umlauts", "Größe € - Übersicht", "Größe € - Übersicht"},
                      TitleCase{"Length126", digits(126), digits(126)},
                      TitleCase{"Length127", digits(127), digits(127)},
                      TitleCase{"Length128", digits(128), digits(127)},
                      TitleCase{"Length300", digits(300), digits(127)},
                      TitleCase{"UmlautAtTheCut", digits(126) + "äö", digits(126) + "ä"},
                      TitleCase{"BeyondWindows1252", "Łódź – При ✓", "Łódź – При ✓"},
                      // A character beyond U+FFFF counts once, though it takes two units.
                      TitleCase{"PairAtTheCut", digits(126) + "😀x", digits(126) + "😀"},
                      TitleCase{"OnlyPairs", repeated("😀", 130), repeated("😀", 127)},
                      TitleCase{"LoneSurrogate", "a\xED\xA0\xBD" "b", "a\xED\xA0\xBD" "b"}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(Win32WindowStack, BringsEachWindowToTheForeground) {
    for (HWND window : {bottom(), top(), middle()}) {
        EXPECT_TRUE(system.bringToForeground(idOf(window))) << classOf(window);
        EXPECT_EQ(system.foreground(), idOf(window));
        EXPECT_EQ(GetForegroundWindow(), window);
    }
}

TEST_F(Win32WindowStack, ADestroyedWindowCannotComeToTheFront) {
    UniqueHwnd doomed = hiddenWindow("Scrivlet vergänglich");
    ASSERT_TRUE(doomed);
    const WindowId gone = idOf(doomed.get());
    doomed.reset();
    ASSERT_TRUE(system.bringToForeground(idOf(top())));
    EXPECT_FALSE(system.bringToForeground(gone));
    EXPECT_EQ(GetForegroundWindow(), top());
}

struct TopmostCase {
    const char* label;
    std::vector<bool> calls;
    bool topmost;
};

void PrintTo(const TopmostCase& c, std::ostream* out) { *out << c.label; }

class Win32Topmost : public Win32WindowStack, public ::testing::WithParamInterface<TopmostCase> {};

TEST_P(Win32Topmost, FlagFollowsTheLastCallWithoutActivating) {
    ASSERT_TRUE(system.bringToForeground(idOf(top())));
    for (bool topmost : GetParam().calls) system.setTopmost(idOf(bottom()), topmost);
    const bool flag = (GetWindowLongPtrA(bottom(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    EXPECT_EQ(flag, GetParam().topmost);
    EXPECT_EQ(GetForegroundWindow(), top());
}

INSTANTIATE_TEST_SUITE_P(Calls, Win32Topmost,
                         ::testing::Values(TopmostCase{"Set", {true}, true},
                                           TopmostCase{"SetThenCleared", {true, false}, false},
                                           TopmostCase{"ClearedNeverSet", {false}, false},
                                           TopmostCase{"SetTwice", {true, true}, true},
                                           TopmostCase{"ClearedThenSetAgain", {true, false, true}, true}),
                         [](const auto& p) { return std::string(p.param.label); });

TEST_F(Win32WindowStack, TopmostWindowRisesAboveTheOthers) {
    system.setTopmost(idOf(bottom()), true);
    const std::vector<WindowId> all = system.topLevelWindows();
    const auto at = [&](HWND hwnd) { return std::find(all.begin(), all.end(), idOf(hwnd)) - all.begin(); };
    EXPECT_LT(at(bottom()), at(top()));
    system.setTopmost(idOf(bottom()), false);
    EXPECT_EQ(GetWindowLongPtrA(bottom(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

// The program brings back a window of its own that lost the activation a
// moment ago, before it has waited for messages (as the icon's menu makes its
// hidden main window the active one): the window stays in front while the
// system's late reports come in.
TEST(Win32WindowSystemActivation, AWindowBroughtBackAtOnceStaysInFront) {
    UniqueHwnd own = createTestWindow("Scrivlet wieder vorn");
    const HWND window = own.get();
    Win32WindowSystem system;
    ASSERT_TRUE(system.bringToForeground(idOf(window)));
    ShowWindow(window, SW_HIDE);
    // A moment in which the program reads no messages (a busy queue puts off
    // Wine's reading of the X server's events just so).
    Sleep(200);
    ASSERT_TRUE(system.bringToForeground(idOf(window)));
    // The thread waits for messages a while, and so reads whatever the system
    // still had to report.
    waitUntil([] { return false; }, std::chrono::milliseconds(300));
    EXPECT_EQ(GetForegroundWindow(), window);
}

TEST(Win32WindowSystemOtherProgram, BringsNotepadToTheForeground) {
    Notepad notepad;
    ASSERT_TRUE(notepad.running());
    UniqueHwnd own = createTestWindow("Scrivlet davor");
    Win32WindowSystem system;
    ASSERT_TRUE(system.bringToForeground(idOf(own.get())));
    EXPECT_TRUE(system.bringToForeground(idOf(notepad.window())));
    EXPECT_EQ(GetWindowThreadProcessId(GetForegroundWindow(), nullptr),
              GetWindowThreadProcessId(notepad.window(), nullptr));
    EXPECT_EQ(system.title(idOf(notepad.window())), "(unbenannt) - Editor");
}

// The real query of the target's integrity level. Wine runs every process of
// a prefix at the same level (high, with an elevated token) and ignores a
// request to lower a process's own level, so it cannot show a window above
// the program's: that case is held in the simulated desktop.
TEST(Win32WindowSystemIntegrity, OwnAndAnotherProgramsWindowsAreNotHigher) {
    Notepad notepad;
    ASSERT_TRUE(notepad.running());
    UniqueHwnd own = hiddenWindow("Scrivlet eigenes Fenster");
    UniqueHwnd gone = hiddenWindow("Scrivlet vergangen");
    const WindowId destroyed = idOf(gone.get());
    gone.reset();
    Win32WindowSystem system;
    const struct {
        const char* label;
        WindowId window;
        TargetIntegrity integrity;
        const char* className;
    } cases[] = {
        {"own process", idOf(own.get()), TargetIntegrity::NotHigher, "ScrivletDesktopTestWindow"},
        {"notepad", idOf(notepad.window()), TargetIntegrity::NotHigher, "Notepad"},
        {"destroyed window", destroyed, TargetIntegrity::Unknown, ""},
        {"no window", 0, TargetIntegrity::Unknown, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(system.integrity(c.window), c.integrity) << c.label;
        EXPECT_EQ(system.className(c.window), c.className) << c.label;
    }
}

}  // namespace
}  // namespace scrivlet::test
