// The text typed into the editor survives every way the program ends.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "e2e/scrivlet_run.h"

namespace e2e {
namespace {

const std::string SnippetFile =
    windows1252("[Name]\r\n1=Brief\r\n[Text]\r\n1=Hallo\r\n[Crypt]\r\n1=0\r\n[Ignore]\r\n1=DFÜ-Netzwerkmonitor\r\n");

HWND editor(HWND main) { return findChild(main, "RichEdit", "", true); }

LRESULT sendFromOutside(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 20000, &result)) return -1;
    return static_cast<LRESULT>(result);
}

struct EndCase {
    const char* label;
    std::function<void(ScrivletRun&)> end;
};

[[maybe_unused]] void PrintTo(const EndCase& c, std::ostream* out) { *out << c.label; }

class ProgramEnd : public ::testing::TestWithParam<EndCase> {};

TEST_P(ProgramEnd, KeepsWhatWasTypedInTheEditor) {
    ScrivletRun run(SnippetFile);
    ASSERT_TRUE(run.showByIcon());
    HWND text = editor(run.mainWindow());
    RECT area{};
    GetClientRect(text, &area);
    // Behind the end of the first line: the caret goes to the end of "Hallo".
    ASSERT_TRUE(clickIn(text, area.right - 20, 8));
    typeText(" Welt");
    ASSERT_TRUE(waitFor([&] { return windowText(text) == "Hallo Welt"; })) << windowText(text);
    GetParam().end(run);
    EXPECT_TRUE(waitFor([&] { return !run.running(); }));
    EXPECT_EQ(run.value("Text", 1), "Hallo Welt");
    EXPECT_EQ(run.value("Crypt", 1), "0");
}

INSTANTIATE_TEST_SUITE_P(
    Ends, ProgramEnd,
    ::testing::Values(
        EndCase{"MenuBarQuit",
                [](ScrivletRun& run) { ASSERT_TRUE(chooseMenuByKeys(run.processId(), 'D', 'B')); }},  // "&Beenden"
        EndCase{"PopupMenuQuit",
                [](ScrivletRun& run) {
                    ASSERT_NE(run.clickIconForMenu(), nullptr);
                    pressKey(VK_UP);  // "&Abbrechen"
                    pressKey(VK_UP);  // "&Beenden"
                    pressKey(VK_RETURN);
                }},
        EndCase{"CloseMessageFromAnotherProgram",
                [](ScrivletRun& run) { PostMessageA(run.mainWindow(), WM_CLOSE, 0, 0); }},
        EndCase{"TaskkillWithoutForce",
                [](ScrivletRun& run) {
                    // Asks every window of the process to close, as the task manager does.
                    Process taskkill("taskkill.exe /PID " + std::to_string(run.processId()), "");
                    EXPECT_TRUE(taskkill.waitForExit());
                }},
        EndCase{"SessionEnds",
                [](ScrivletRun& run) {
                    EXPECT_EQ(sendFromOutside(run.mainWindow(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
                    // Asked only: the program lives on until the session really ends.
                    EXPECT_EQ(run.value("Text", 1), "Hallo Welt");
                    EXPECT_TRUE(run.running());
                    sendFromOutside(run.mainWindow(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
                }}),
    [](const auto& p) { return std::string(p.param.label); });

TEST(ProgramEndE2E, TheUsersCloseRequestsOnlyHide) {
    ScrivletRun run(SnippetFile);
    ASSERT_TRUE(run.showByIcon());
    pressKey(VK_F4, true);  // Alt+F4
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(run.mainWindow()); }));
    ASSERT_TRUE(run.showByIcon());
    ASSERT_TRUE(clickCloseBox(run.mainWindow()));
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(run.mainWindow()); }));
    EXPECT_TRUE(run.running());
}

}  // namespace
}  // namespace e2e
