// The options dialog and the start at logon under the real mouse: clicks
// through SendInput on the program's own windows, the registry and the
// snippet file read from outside. The test never brings a window to the front.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "e2e/scrivlet_run.h"

namespace e2e {
namespace {

const char* const RunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::string optionsFile(const std::string& common) {
    return windows1252("[Name]\r\n1=B Datum\r\n2=A Brief\r\n3=C Tabelle\r\n[Text]\r\n1=b\r\n2=a\r\n3=c\r\n"
                       "[Crypt]\r\n1=0\r\n2=0\r\n3=0\r\n[Ignore]\r\n1=DFÜ-Netzwerkmonitor\r\n[Common]\r\n" +
                       common);
}

const std::string OptionsCaption = MainCaption + " - Optionen";

// The value "Scrivlet" of the prefix's Run key; "<none>" when there is none.
std::string runValue() {
    char data[1024] = {};
    DWORD size = sizeof data, type = 0;
    if (RegGetValueA(HKEY_CURRENT_USER, RunKey, "Scrivlet", RRF_RT_ANY, &type, data, &size) != ERROR_SUCCESS)
        return "<none>";
    return data;
}

// No Run value before the test, and none left behind.
struct CleanRunKey {
    CleanRunKey() { clear(); }
    ~CleanRunKey() { clear(); }
    static void clear() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, RunKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
        RegDeleteValueA(key, "Scrivlet");
        RegCloseKey(key);
    }
};

// What the program writes into the Run value: its path in quotes.
std::string runCommand(const ScrivletRun& run) {
    std::string command(1, '"');
    command += run.executablePath();
    command += "\" /AUTOSTART";
    return command;
}

RECT rectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

bool checked(HWND box) { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// The edge bar along the left edge of the pictured screen: the tall one
// furthest left of the dialog's drawn buttons.
HWND leftBar(HWND dialog) {
    HWND found = nullptr;
    for (HWND button : childWindows(dialog, "Button")) {
        if ((GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) != BS_OWNERDRAW) continue;
        const RECT r = rectOf(button);
        if (r.bottom - r.top <= r.right - r.left) continue;
        if (!found || r.left < rectOf(found).left) found = button;
    }
    return found;
}

// The user opens the dialog with the main window's "&Optionen" button.
HWND openByButton(ScrivletRun& run) {
    run.showMainWindow();
    HWND button = findChild(run.mainWindow(), "Button", "&Optionen");
    if (!button || !clickCentre(button)) return nullptr;
    return run.waitForDialog(OptionsCaption);
}

::testing::AssertionResult closedByTheCloseBox(ScrivletRun& run, HWND dialog) {
    if (!clickCloseBox(dialog)) return ::testing::AssertionFailure() << "no close box found";
    if (!waitFor([&] { return !IsWindowVisible(dialog); })) {
        POINT p{};
        GetCursorPos(&p);
        const RECT r = rectOf(dialog);
        return ::testing::AssertionFailure() << "still visible after the click at " << p.x << "," << p.y
                                             << "; dialog " << r.left << "," << r.top << "-" << r.right << ","
                                             << r.bottom << (GetForegroundWindow() == dialog ? " in front" : "");
    }
    if (!run.running()) return ::testing::AssertionFailure() << "the program ended";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult besideTheMainWindow(ScrivletRun& run, HWND dialog) {
    const RECT main = rectOf(run.mainWindow()), d = rectOf(dialog);
    if (d.left == main.left + 50 && d.top == main.top + 50) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "dialog at " << d.left << "," << d.top << ", main window at " << main.left
                                         << "," << main.top;
}

TEST(OptionsE2E, TheButtonOpensItModelessAndTheMenuModal) {
    ScrivletRun run(optionsFile(""));
    HWND dialog = openByButton(run);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(besideTheMainWindow(run, dialog));
    EXPECT_TRUE(IsWindowEnabled(run.mainWindow())) << "modeless";
    EXPECT_EQ(windowText(findChild(dialog, "Edit")), run.snippetPath());
    run.saveScreenshot(dialog, "options-icon-only");
    ASSERT_TRUE(closedByTheCloseBox(run, dialog));

    ASSERT_TRUE(waitFor([&] { return GetForegroundWindow() == run.mainWindow(); }));
    ASSERT_TRUE(chooseMenuByKeys(run.processId(), 'E', 'O'));  // "&Extras" - "&Optionen..."
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(dialog) != FALSE; }));
    EXPECT_TRUE(waitFor([&] { return !IsWindowEnabled(run.mainWindow()); })) << "modal";
    EXPECT_TRUE(besideTheMainWindow(run, dialog));
    ASSERT_TRUE(closedByTheCloseBox(run, dialog));
    EXPECT_TRUE(waitFor([&] { return IsWindowEnabled(run.mainWindow()) != FALSE; }));
}

TEST(OptionsE2E, TheLeftBarAndOkMoveTheStripAndWriteThePosition) {
    ScrivletRun run(optionsFile("PumActViaBorder=1\r\nPumActPos=0\r\n"));
    HWND strip = waitForWindow(run.processId(), MainCaption + " - Satellit", nullptr, true);
    ASSERT_NE(strip, nullptr);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    ASSERT_TRUE(waitFor([&] {
        const RECT r = rectOf(strip);
        return r.left == 0 && r.top == 0 && r.right == width && r.bottom == 1;
    }));
    HWND dialog = openByButton(run);
    ASSERT_NE(dialog, nullptr);
    run.saveScreenshot(dialog, "options-border");
    HWND bar = leftBar(dialog);
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(clickCentre(bar));
    ASSERT_TRUE(clickCentre(findChild(dialog, "Button", "&OK")));
    // The program hides the strip while it moves it, and shows it again.
    EXPECT_TRUE(waitFor([&] {
        const RECT r = rectOf(strip);
        return r.left == 0 && r.top == 0 && r.right == 1 && r.bottom == height && IsWindowVisible(strip);
    }));
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_TRUE(waitFor([&] { return iniValue(run.snippetPath(), "Common", "PumActPos") == "2"; }));
    EXPECT_EQ(iniValue(run.snippetPath(), "Common", "PumActViaBorder"), "1");
}

// The menu windows of the program on screen: a cascaded menu opens a second
// one for a group.
int menuWindows(ScrivletRun& run) {
    int n = 0;
    for (HWND w : topLevelWindows(run.processId())) {
        char cls[64] = {};
        GetClassNameA(w, cls, sizeof cls);
        n += IsWindowVisible(w) && std::string(cls) == "#32768";
    }
    return n;
}

TEST(OptionsE2E, TheCascadeBoxActsAtOnceAndTheCloseBoxLeavesTheFile) {
    ScrivletRun run(optionsFile("PumMode=0\r\n"));
    const std::string before = readFile(run.snippetPath());
    HWND dialog = openByButton(run);
    ASSERT_NE(dialog, nullptr);
    HWND box = findChild(dialog, "Button", "&Textbaustein-Menü kaskadierend darstellen");
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(clickCentre(box));
    ASSERT_TRUE(waitFor([&] { return checked(box); }));
    ASSERT_TRUE(closedByTheCloseBox(run, dialog));

    ASSERT_NE(run.clickIconForMenu(), nullptr);
    ASSERT_EQ(menuWindows(run), 1);
    pressKey(VK_DOWN);   // "&A"
    pressKey(VK_RIGHT);  // opens its group
    EXPECT_TRUE(waitFor([&] { return menuWindows(run) == 2; })) << "the menu is cascaded";
    pressKey(VK_ESCAPE);
    pressKey(VK_ESCAPE);
    EXPECT_TRUE(waitFor([&] { return menuWindows(run) == 0; }));
    EXPECT_EQ(readFile(run.snippetPath()), before);
}

TEST(OptionsE2E, TheAutostartBoxWritesAndDeletesTheRunValue) {
    CleanRunKey clean;
    ScrivletRun run(optionsFile(""));
    HWND dialog = openByButton(run);
    ASSERT_NE(dialog, nullptr);
    HWND box = findChild(dialog, "Button", "&Programm direkt beim Systemstart aufrufen");
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(checked(box));
    ASSERT_TRUE(clickCentre(box));
    const std::string expected = runCommand(run);
    EXPECT_TRUE(waitFor([&] { return runValue() == expected; })) << runValue();
    ASSERT_TRUE(clickCentre(box));
    EXPECT_TRUE(waitFor([&] { return runValue() == "<none>"; })) << runValue();
    EXPECT_FALSE(checked(box));
}

// The user's Startup folder as the shell records it in the prefix.
std::string startupFolder() {
    char path[MAX_PATH] = {};
    DWORD size = sizeof path;
    if (RegGetValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                     "Startup", RRF_RT_REG_SZ, nullptr, path, &size) != ERROR_SUCCESS)
        return "";
    return path;
}

TEST(OptionsE2E, AnOldStartupShortcutBecomesTheRunValueAtStart) {
    CleanRunKey clean;
    const std::string folder = startupFolder();
    ASSERT_FALSE(folder.empty());
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string shortcut = folder + "\\Scrivlet.lnk";
    writeFile(shortcut, std::string("L\0\0\0", 4));
    ASSERT_NE(GetFileAttributesA(shortcut.c_str()), INVALID_FILE_ATTRIBUTES);
    ScrivletRun run(optionsFile(""));
    EXPECT_TRUE(waitFor([&] { return GetFileAttributesA(shortcut.c_str()) == INVALID_FILE_ATTRIBUTES; }));
    EXPECT_EQ(runValue(), runCommand(run));
    HWND dialog = openByButton(run);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(checked(findChild(dialog, "Button", "&Programm direkt beim Systemstart aufrufen")));
    DeleteFileA(shortcut.c_str());
}

}  // namespace
}  // namespace e2e
