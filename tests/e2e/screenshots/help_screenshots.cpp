// Takes the pictures of the help pages from the running program, as a user
// would see its windows: each picture is one case here, which opens its window
// with real input and saves it (as BMP) into the folder SCRIVLET_SCREENSHOTS
// names. A window the program does not have is skipped with a note saying
// which. scripts/screenshots runs this under Wine and makes PNGs of the
// pictures for hilfe/bilder/.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "e2e/scrivlet_run.h"
#include "version.h"

namespace e2e {
namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The sample snippet file shipped with the program: what a new user sees.
std::string sampleFile() {
    const std::string sample = readFile(environment("SCRIVLET_SAMPLE"));
    if (sample.empty()) ADD_FAILURE() << "no sample file at SCRIVLET_SAMPLE '" << environment("SCRIVLET_SAMPLE") << "'";
    return sample;
}

std::string withCascadedMenu(std::string file) {
    const auto at = file.find("PumMode=0");
    if (at != std::string::npos) file.replace(at, 9, "PumMode=1");
    return file;
}

// A window of the program's own by its caption, given a few seconds.
HWND ownWindow(ScrivletRun& run, const std::string& name) {
    HWND found = nullptr;
    waitFor([&] { return (found = findWindow(run.processId(), MainCaption + " - " + name, nullptr, true)) != nullptr; },
            8000);
    return found;
}

// A picture of an area of the screen that spans several windows.
void saveAreaScreenshot(ScrivletRun& run, const RECT& area, const std::string& name) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(run.mainWindow(), WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
    const std::string folder = environment("SCRIVLET_SCREENSHOTS");
    if (!folder.empty() && !screenshotArea(area, folder + "\\" + name + ".bmp"))
        ADD_FAILURE() << "could not save " << name;
}

bool clickButtonOf(HWND window, const std::string& caption) {
    HWND button = findChild(window, "Button", caption);
    if (!button) return false;
    RECT r{};
    GetClientRect(button, &r);
    return clickIn(button, r.right / 2, r.bottom / 2);
}

// Opens the pop-up menu from the icon while notepad is in front, as the user
// does; the mouse waits at a spot where it selects nothing.
HWND openPopupMenu(ScrivletRun& run, Notepad& notepad) {
    if (!clickToFront(notepad.window())) return nullptr;
    moveMouse(400, 300);
    return run.clickIconForMenu();
}

TEST(HelpPictures, MainWindow) {
    ScrivletRun run(sampleFile());
    ASSERT_TRUE(run.showByIcon());
    // The first entry, "Adresse", shows its Enter symbols.
    run.saveScreenshot(run.mainWindow(), "hauptfenster");
}

TEST(HelpPictures, FlatMenu) {
    ScrivletRun run(sampleFile());
    Notepad notepad;
    HWND menu = openPopupMenu(run, notepad);
    ASSERT_NE(menu, nullptr);
    run.saveScreenshot(menu, "menue-flach");
    pressKey(VK_ESCAPE);
}

TEST(HelpPictures, CascadedMenu) {
    ScrivletRun run(withCascadedMenu(sampleFile()));
    Notepad notepad;
    HWND menu = openPopupMenu(run, notepad);
    ASSERT_NE(menu, nullptr);
    // "&D" opens its group: the picture shows the top level and the group.
    pressKey('D');
    std::vector<HWND> menus;
    ASSERT_TRUE(waitFor([&] {
        menus.clear();
        for (HWND w : topLevelWindows(run.processId())) {
            char cls[64] = {};
            GetClassNameA(w, cls, sizeof cls);
            if (IsWindowVisible(w) && std::string(cls) == "#32768") menus.push_back(w);
        }
        return menus.size() == 2;
    }));
    RECT all{}, r{};
    GetWindowRect(menus[0], &all);
    GetWindowRect(menus[1], &r);
    UnionRect(&all, &all, &r);
    saveAreaScreenshot(run, all, "menue-kaskadiert");
    pressKey(VK_ESCAPE);
    pressKey(VK_ESCAPE);
}

TEST(HelpPictures, ChoiceDialog) {
    // "Notiz an den Editor" goes to a window with "Editor" in its title, and
    // two notepads have one.
    ScrivletRun run(sampleFile());
    Notepad first, second;
    ASSERT_NE(second.window(), nullptr);
    HWND menu = openPopupMenu(run, first);
    ASSERT_NE(menu, nullptr);
    for (int i = 0; i < 5; ++i) pressKey(VK_DOWN);  // the fifth in the menu's order
    pressKey(VK_RETURN);
    HWND choice = run.waitForDialog("Auswahl - Scrivlet");
    ASSERT_NE(choice, nullptr);
    run.saveScreenshot(choice, "auswahl");
    clickButton(choice, "&Abbruch");
}

TEST(HelpPictures, OptionsDialog) {
    ScrivletRun run(sampleFile());
    ASSERT_TRUE(run.showByIcon());
    ASSERT_TRUE(clickButtonOf(run.mainWindow(), "&Optionen"));
    HWND options = ownWindow(run, "Optionen");
    if (!options)
        GTEST_SKIP() << "no options dialog \"Scrivlet " << scrivlet::VersionShort
                     << " - Optionen\" after \"&Optionen\": optionen-icon.png and optionen-rand.png not taken";
    run.saveScreenshot(options, "optionen-icon");
    ASSERT_TRUE(clickButtonOf(options, "Icon &und"));
    ASSERT_TRUE(waitFor([&] {
        HWND option = findChild(options, "Button", "Icon &und");
        return option && SendMessageA(option, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }));
    run.saveScreenshot(options, "optionen-rand");
}

TEST(HelpPictures, Debugger) {
    ScrivletRun run(sampleFile());
    Notepad notepad;
    // A capture first, so that the list shows notepad on top.
    ASSERT_NE(openPopupMenu(run, notepad), nullptr);
    pressKey(VK_ESCAPE);
    ASSERT_TRUE(waitFor([&] { return run.popupMenu() == nullptr; }));
    ASSERT_TRUE(run.showByIcon());
    ASSERT_TRUE(clickButtonOf(run.mainWindow(), "Debu&g"));
    HWND debugger = ownWindow(run, "Debugger");
    if (!debugger)
        GTEST_SKIP() << "no debugger dialog \"Scrivlet " << scrivlet::VersionShort
                     << " - Debugger\" after \"Debu&g\": debugger.png not taken";
    run.saveScreenshot(debugger, "debugger");
}

TEST(HelpPictures, QuickPicker) {
    ScrivletRun run(sampleFile());
    Notepad notepad;
    ASSERT_TRUE(clickToFront(notepad.window()));
    // Win+Umschalt+Eingabe, the picker's hotkey, as the keyboard sends it.
    const WORD keys[] = {VK_LWIN, VK_SHIFT, VK_RETURN};
    INPUT inputs[6] = {};
    for (int i = 0; i < 3; ++i) {
        inputs[i].type = inputs[5 - i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = inputs[5 - i].ki.wVk = keys[i];
        inputs[5 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(6, inputs, sizeof(INPUT));
    HWND picker = ownWindow(run, "Schnellauswahl");
    if (!picker) GTEST_SKIP() << "no quick picker after Win+Umschalt+Eingabe: schnellauswahl.png not taken";
    typeText("an");
    ASSERT_TRUE(waitFor([&] { return windowText(findChild(picker, "Edit")) == "an"; }));
    ASSERT_TRUE(waitUntilKeysTaken(picker));
    run.saveScreenshot(picker, "schnellauswahl");
    pressKey(VK_ESCAPE);
}

}  // namespace
}  // namespace e2e
