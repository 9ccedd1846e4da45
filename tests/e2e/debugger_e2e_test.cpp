// The debugger dialog and the debug window of the real program, driven with
// the real mouse and keyboard: what the tracker saw, ignoring a title, the
// window list of debug mode and the gestures that open it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <regex>

#include "e2e/scrivlet_run.h"

namespace e2e {
namespace {

const std::string File =
    windows1252("[Name]\r\n1=Eins\r\n[Text]\r\n1=eins\r\n[Crypt]\r\n1=0\r\n[Ignore]\r\n1=DFÜ-Netzwerkmonitor\r\n");
const std::string DebuggerCaption = MainCaption + " - Debugger";

// The user clicks the icon (the capture runs first) and dismisses the menu.
void captureByIcon(ScrivletRun& run) {
    ASSERT_NE(run.clickIconForMenu(), nullptr);
    pressKey(VK_ESCAPE);
    ASSERT_TRUE(waitFor([&] { return run.popupMenu() == nullptr; }));
}

// A click in the middle of a control, as the user makes it.
bool clickCentre(HWND window, MouseButton button = MouseButton::Left) {
    RECT r{};
    GetClientRect(window, &r);
    return clickIn(window, r.right / 2, r.bottom / 2, button);
}

bool contains(const std::vector<std::string>& items, const std::string& item) {
    return std::find(items.begin(), items.end(), item) != items.end();
}

TEST(DebuggerE2E, ShowsTheCapturedTitlesAndAnIgnoredOneIsGoneAfterTheNextCapture) {
    ScrivletRun run(File);
    Notepad notepad;  // the window the user works in
    ASSERT_NE(notepad.window(), nullptr);
    const std::string title = windowText(notepad.window());
    captureByIcon(run);

    ASSERT_TRUE(run.showByIcon());
    ASSERT_TRUE(clickCentre(findChild(run.mainWindow(), "Button", "Debu&g")));
    HWND dialog = run.waitForDialog(DebuggerCaption);
    ASSERT_NE(dialog, nullptr);
    HWND list = findChild(dialog, "ListBox");
    std::vector<std::string> titles = listBoxItems(list);
    ASSERT_FALSE(titles.empty());
    EXPECT_EQ(titles[0], title);
    run.saveScreenshot(dialog, "debugger");

    // The user selects notepad's title, asks to ignore it and says yes.
    RECT row{};
    SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    ASSERT_TRUE(clickIn(list, row.left + 10, (row.top + row.bottom) / 2));
    ASSERT_TRUE(waitFor([&] { return SendMessageA(list, LB_GETCURSEL, 0, 0) == 0; }));
    ASSERT_TRUE(clickCentre(findChild(dialog, "Button", "&Markierten Titel in Zukunft ignorieren")));
    HWND question = run.waitForMessageBox();
    ASSERT_NE(question, nullptr);
    ASSERT_TRUE(clickCentre(findChild(question, "Button", "&Ja")));
    ASSERT_TRUE(waitFor([&] { return run.value("Ignore", 2) == title; }));
    // Unchanged until the next capture.
    EXPECT_EQ(listBoxItems(list).at(0), title);

    // Back at notepad (its caption: the program's windows may cover the
    // middle), the user clicks the icon again.
    ASSERT_TRUE(clickToFront(notepad.window()));
    captureByIcon(run);
    EXPECT_TRUE(waitFor([&] { return !contains(listBoxItems(list), title); }))
        << "still listed: " << title;
    EXPECT_TRUE(IsWindow(dialog));
}

// The debug window: a visible window of the program with an "Exit" button.
HWND debugWindow(ScrivletRun& run) {
    for (HWND w : topLevelWindows(run.processId()))
        if (IsWindowVisible(w) && findChild(w, "Button", "Exit")) return w;
    return nullptr;
}

std::vector<HWND> debugWindows(ScrivletRun& run) {
    std::vector<HWND> found;
    for (HWND w : topLevelWindows(run.processId()))
        if (findChild(w, "Button", "Exit")) found.push_back(w);
    return found;
}

std::string line(int position, HWND window, const std::string& title) {
    char head[32];
    std::snprintf(head, sizeof head, "%03d %08X V '", position,
                  static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(window)));
    return head + title + "'";
}

TEST(DebugWindowE2E, InDebugModeItListsTheWindowsInItsLineFormat) {
    ScrivletRun run(File, "debug");
    ASSERT_NE(run.mainWindow(), nullptr);
    EXPECT_TRUE(IsWindowVisible(run.mainWindow()));
    HWND debug = nullptr;
    ASSERT_TRUE(waitFor([&] { return (debug = debugWindow(run)) != nullptr; }));
    HWND list = findChild(debug, "ListBox");
    std::vector<std::string> lines;
    ASSERT_TRUE(waitFor([&] { return (lines = listBoxItems(list)).size() >= 3; }));
    EXPECT_TRUE(std::regex_match(lines[0], std::regex(R"(\d{1,2}\.\d{1,2}\.\d{4} \d{1,2}:\d{2}:\d{2})")))
        << lines[0];
    EXPECT_EQ(lines[1], line(1, run.mainWindow(), MainCaption));
    const std::regex format(R"(\d{3} [0-9A-F]{8} V '.*')");
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_TRUE(std::regex_match(lines[i], format)) << lines[i];
        EXPECT_EQ(lines[i].substr(0, 3), (i < 10 ? "00" : "0") + std::to_string(i));
    }
    // The window itself lies above the main window, so it is listed too.
    const std::string own = line(0, debug, "").substr(4, 8);
    EXPECT_TRUE(std::any_of(lines.begin() + 2, lines.end(), [&](const std::string& l) { return l.substr(4, 8) == own; }))
        << own;
    run.saveScreenshot(debug, "debug-window");

    {
        // The caption follows the window in front.
        Notepad notepad;
        ASSERT_NE(notepad.window(), nullptr);
        const std::string title = windowText(notepad.window());
        EXPECT_TRUE(waitFor([&] { return windowText(debug) == title; })) << windowText(debug);
    }

    // "Exit" ends it; the program goes on.
    ASSERT_TRUE(clickCentre(findChild(debug, "Button", "Exit")));
    EXPECT_TRUE(waitFor([&] { return !IsWindow(debug); }));
    EXPECT_TRUE(run.running());
    EXPECT_TRUE(IsWindow(run.mainWindow()));
}

// A press on a frame of the main window with exactly these keys held: the
// user puts the mouse there, holds the keys and clicks.
//
// Under Wine the keys injected here are not down for the X server, and Wine
// takes the X server's key state again whenever a window of the program gains
// the X focus or the mouse enters one: keys held at that moment are let go.
// The test therefore holds them only once that has happened (they stay down
// for a quarter of a second), as a user's real keys would simply be down.
bool gesture(HWND frame, std::initializer_list<WORD> held, MouseButton button) {
    RECT r{};
    GetClientRect(frame, &r);
    // Beside the controls inside the frame, half way down.
    POINT at{3, r.bottom / 2};
    ClientToScreen(frame, &at);
    if (!moveMouse(at.x, at.y)) return false;
    std::vector<INPUT> keys;
    for (WORD key : held) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = key;
        keys.push_back(in);
    }
    auto allDown = [&] {
        for (WORD key : held)
            if (GetAsyncKeyState(key) >= 0) return false;
        return true;
    };
    bool steady = false;
    for (int attempt = 0; attempt < 10 && !steady; ++attempt) {
        SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
        // Let go again at once, they may never even be seen down.
        if (!waitFor(allDown, 1000)) continue;
        // Down for a quarter of a second without interruption.
        steady = !waitFor([&] { return !allDown(); }, 250);
    }
    if (steady) clickHere(button);
    std::reverse(keys.begin(), keys.end());
    for (INPUT& in : keys) in.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
    return steady;
}

TEST(DebugWindowE2E, TheGesturesOpenItOnceAndBringItForward) {
    ScrivletRun run(File);
    ASSERT_TRUE(run.showByIcon());
    HWND steuerung = findChild(run.mainWindow(), "ScrivletContainer", "Steuerung");
    HWND text = findChild(run.mainWindow(), "ScrivletContainer", "Bearbeitung");
    ASSERT_NE(steuerung, nullptr);
    ASSERT_NE(text, nullptr);

    ASSERT_TRUE(gesture(text, {VK_SHIFT, VK_CONTROL}, MouseButton::Right));
    HWND debug = nullptr;
    ASSERT_TRUE(waitFor([&] { return (debug = debugWindow(run)) != nullptr; }));
    EXPECT_TRUE(waitFor([&] { return GetForegroundWindow() == debug; }));

    // The user clicks the main window, then makes the other gesture.
    ASSERT_TRUE(clickIn(steuerung, 3, 20));
    ASSERT_TRUE(waitFor([&] { return GetForegroundWindow() == run.mainWindow(); }));
    ASSERT_TRUE(gesture(steuerung, {VK_CONTROL, VK_MENU}, MouseButton::Left));
    EXPECT_TRUE(waitFor([&] { return GetForegroundWindow() == debug; }));
    EXPECT_EQ(debugWindows(run), std::vector<HWND>{debug});
}

}  // namespace
}  // namespace e2e
