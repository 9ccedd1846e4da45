// The screen-border strip under the real mouse: absolute moves and presses
// through SendInput, as the user's hand makes them.
#include <gtest/gtest.h>

#include <cstdlib>

#include "e2e/scrivlet_run.h"

namespace e2e {
namespace {

std::string stripFile(int position, int byClick) {
    return windows1252("[Name]\r\n1=Eins\r\n[Text]\r\n1=eins\r\n[Crypt]\r\n1=0\r\n[Ignore]\r\n1=DFÜ-Netzwerkmonitor\r\n") +
           "[Common]\r\nPumActViaBorder=1\r\nPumActPos=" +
           std::to_string(position) + "\r\nPumActBorderByClick=" + std::to_string(byClick) + "\r\n";
}

int screenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int screenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

// The strip stands once the program has placed it along the edge.
HWND waitForStrip(ScrivletRun& run) {
    return waitForWindow(run.processId(), MainCaption + " - Satellit", nullptr, true);
}

// The menu opened at the mouse: one of its corners is where the mouse is
// (the system turns it to the left at the right edge of the screen).
::testing::AssertionResult openedAt(HWND menu, int x, int y) {
    RECT r{};
    GetWindowRect(menu, &r);
    const bool left = std::abs(r.left - x) <= 1 || std::abs(r.right - 1 - x) <= 1;
    const bool top = std::abs(r.top - y) <= 1 || std::abs(r.bottom - 1 - y) <= 1;
    if (left && top) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "menu at " << r.left << "," << r.top << "-" << r.right << ","
                                         << r.bottom << ", mouse at " << x << "," << y;
}

void closeMenu(ScrivletRun& run) {
    pressKey(VK_ESCAPE);
    ASSERT_TRUE(waitFor([&] { return run.popupMenu() == nullptr; }));
}

TEST(BorderStripE2E, MovingOntoTheRightEdgeOpensTheMenuAtTheMouseEveryTime) {
    ScrivletRun run(stripFile(3, 0));
    ASSERT_NE(waitForStrip(run), nullptr);
    const int edge = screenWidth() - 1;
    for (int y : {screenHeight() / 3, screenHeight() / 2}) {
        ASSERT_TRUE(moveMouse(edge - 200, y));
        EXPECT_EQ(run.popupMenu(), nullptr) << "away from the edge nothing opens";
        ASSERT_TRUE(moveMouse(edge, y));
        HWND menu = run.waitForPopupMenu("the move onto the strip");
        ASSERT_NE(menu, nullptr) << "at " << y;
        EXPECT_TRUE(openedAt(menu, edge, y));
        run.saveScreenshot(menu, "strip-mouse-over");
        // The user takes the mouse off the edge and dismisses the menu; it
        // opens again at the next move onto the strip. (Dismissed with the
        // mouse still on the strip, the menu's going makes Wine report the
        // mouse there once more, and read late, that report took the place
        // of the test's next move onto the strip, quicker than any hand, in
        // Wine's queue: the program heard the old spot again and nothing else.)
        ASSERT_TRUE(moveMouse(edge - 200, y));
        closeMenu(run);
    }
    EXPECT_FALSE(IsWindowVisible(run.mainWindow()));
}

TEST(BorderStripE2E, InClickModeTheTopEdgeAnswersTheButtonsOnly) {
    ScrivletRun run(stripFile(0, 1));
    ASSERT_NE(waitForStrip(run), nullptr);
    const int x = screenWidth() / 2;
    ASSERT_TRUE(moveMouse(x, 200));
    ASSERT_TRUE(moveMouse(x, 0));
    // Had the move opened the menu, the menu would take the right button.
    ASSERT_TRUE(clickScreen(x, 0, MouseButton::Right));
    EXPECT_TRUE(waitFor([&] { return IsWindowVisible(run.mainWindow()) != FALSE; }));
    EXPECT_EQ(run.popupMenu(), nullptr);
    ASSERT_TRUE(clickScreen(x + 40, 0, MouseButton::Right));
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(run.mainWindow()); }));
    // The middle button acts as the right one.
    ASSERT_TRUE(clickScreen(x + 60, 0, MouseButton::Middle));
    EXPECT_TRUE(waitFor([&] { return IsWindowVisible(run.mainWindow()) != FALSE; }));
    ASSERT_TRUE(clickScreen(x + 60, 0, MouseButton::Right));
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(run.mainWindow()); }));

    ASSERT_TRUE(clickScreen(x + 80, 0, MouseButton::Left));
    HWND menu = run.waitForPopupMenu("the left button on the strip");
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(openedAt(menu, x + 80, 0));
    closeMenu(run);
    EXPECT_FALSE(IsWindowVisible(run.mainWindow()));
}

}  // namespace
}  // namespace e2e
