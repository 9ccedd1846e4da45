// One running copy per user session, with the real exe started again as a
// double click starts it: the second start shows the first copy's main window
// (visible, not minimised, in front) and ends; started at logon it ends
// without showing anything.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

#include "e2e/scrivlet_run.h"

namespace e2e {
namespace {

const std::string File = windows1252("[Name]\r\n1=Gruß\r\n[Text]\r\n1=Viele Grüße\r\n");

std::string inQuotes(const std::string& path) { return "\"" + path + "\""; }

// Every main window of a running copy, of whatever process.
int mainWindows() {
    int count = 0;
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "ScrivletMainForm", nullptr)) != nullptr) ++count;
    return count;
}

struct Before {
    const char* label;
    // What the user did with the first copy (and maybe another program)
    // before starting the program again.
    std::function<void(ScrivletRun&, std::unique_ptr<Notepad>&)> prepare;
};

[[maybe_unused]] void PrintTo(const Before& c, std::ostream* out) { *out << c.label; }

const Before Befores[] = {
    {"HiddenInTheNotificationArea", [](ScrivletRun&, std::unique_ptr<Notepad>&) {}},
    {"Minimised",
     [](ScrivletRun& run, std::unique_ptr<Notepad>&) {
         ASSERT_TRUE(run.showByIcon());
         ASSERT_TRUE(clickCaptionButton(run.mainWindow(), HTMINBUTTON));
         ASSERT_TRUE(waitFor([&] { return IsIconic(run.mainWindow()) != FALSE; })) << windowsOf(run.processId());
     }},
    {"BehindNotepad",
     [](ScrivletRun& run, std::unique_ptr<Notepad>& notepad) {
         ASSERT_TRUE(run.showByIcon());
         notepad = std::make_unique<Notepad>();
         ASSERT_TRUE(waitFor([&] { return GetForegroundWindow() == notepad->window(); }));
     }},
};

class SecondStart : public ::testing::TestWithParam<Before> {};

TEST_P(SecondStart, ShowsTheFirstCopysWindowAndEnds) {
    ScrivletRun run(File);
    ASSERT_NE(run.mainWindow(), nullptr);
    std::unique_ptr<Notepad> notepad;
    GetParam().prepare(run, notepad);
    const HWND main = run.mainWindow();

    const auto started = std::chrono::steady_clock::now();
    Process second(inQuotes(run.executablePath()), run.folder());
    ASSERT_TRUE(waitFor([&] { return GetForegroundWindow() == main && IsWindowVisible(main) && !IsIconic(main); }))
        << windowsOf(run.processId());
    const double inFront =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
    std::printf("second start: the first copy's window in front after %.0f ms (%s)\n", inFront, GetParam().label);
    RecordProperty("MillisecondsUntilInFront", static_cast<int>(inFront));

    ASSERT_TRUE(second.waitForExit()) << "the second start did not end";
    DWORD code = 1;
    GetExitCodeProcess(second.handle(), &code);
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(run.running());
    EXPECT_EQ(mainWindows(), 1);
}

INSTANTIATE_TEST_SUITE_P(Before, SecondStart, ::testing::ValuesIn(Befores),
                         [](const auto& p) { return std::string(p.param.label); });

TEST(SecondStartAtLogon, EndsWithoutShowingAnything) {
    ScrivletRun run(File);
    ASSERT_NE(run.mainWindow(), nullptr);
    Process second(inQuotes(run.executablePath()) + " /AUTOSTART", run.folder());
    ASSERT_TRUE(second.waitForExit()) << "the start at logon did not end";
    DWORD code = 1;
    GetExitCodeProcess(second.handle(), &code);
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(IsWindowVisible(run.mainWindow()));
    EXPECT_EQ(findWindow(run.processId(), "", "#32770"), nullptr) << windowsOf(run.processId());
    EXPECT_TRUE(run.running());
    EXPECT_EQ(mainWindows(), 1);
}

}  // namespace
}  // namespace e2e
