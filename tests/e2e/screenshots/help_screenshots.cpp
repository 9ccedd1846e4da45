// Takes the pictures of the help pages from the running program, as a user
// would see its windows: each picture is one case here, which opens its window
// with real input and saves it (as BMP) into the folder SCRIVLET_SCREENSHOTS
// names. A window the program does not have is skipped with a note saying
// which. scripts/screenshots runs this under Wine, in Wine's desktop with its
// taskbar, and makes PNGs of the pictures for hilfe/bilder/.
//
// The pictures show what a user has: the program in a folder of her own, as
// the help suggests, and notepads with her letters, not the test folders and
// untitled windows of the other end-to-end tests.
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

// Where the pictures' user, Anna, keeps the program and her texts.
const std::string ProgramFolder = "C:\\Users\\Anna\\Scrivlet";
const std::string Documents = "C:\\Users\\Anna\\Documents";

// The sample snippet file shipped with the program, what a new user sees,
// with the border strip in a colour of its own: the sample's is the system's
// button colour, which the options' picture of the screen would show grey on
// grey.
std::string sampleFile() {
    std::string sample = readFile(environment("SCRIVLET_SAMPLE"));
    if (sample.empty()) ADD_FAILURE() << "no sample file at SCRIVLET_SAMPLE '" << environment("SCRIVLET_SAMPLE") << "'";
    const std::string systemColour = "PumActBorderCol=-2147483633";
    const auto at = sample.find(systemColour);
    if (at == std::string::npos)
        ADD_FAILURE() << "the sample's border colour is not " << systemColour << " any more";
    else
        sample.replace(at, systemColour.size(), "PumActBorderCol=36095");  // orange, RGB(255, 140, 0)
    return sample;
}

// The program started from Anna's folder.
struct AnnasScrivlet : ScrivletRun {
    explicit AnnasScrivlet(const std::string& snippetFile) : ScrivletRun(snippetFile, "", false, ProgramFolder) {}
};

// One of Anna's texts, open in notepad: its name is in notepad's title.
struct Letter : Notepad {
    Letter(const std::string& name, const std::string& text) : Notepad(write(name, text)) {}
    static std::string write(const std::string& name, const std::string& text) {
        if (!makeFolders(Documents)) ADD_FAILURE() << "could not make " << Documents;
        const std::string path = Documents + "\\" + name;
        writeFile(path, text);
        return path;
    }
};
Letter toMeier() { return Letter("Brief an Meier.txt", "Sehr geehrter Herr Meier,\r\n\r\n"); }
Letter invitation() { return Letter("Einladung Sommerfest.txt", "Liebe Kolleginnen und Kollegen,\r\n\r\n"); }

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
// painter is a window of the thread that paints the area.
void saveAreaScreenshot(HWND painter, const RECT& area, const std::string& name) {
    const std::string folder = environment("SCRIVLET_SCREENSHOTS");
    if (!folder.empty() && !screenshotArea(area, folder + "\\" + name + ".bmp", painter))
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
// does; the mouse waits at a spot where it selects nothing. The menu opens
// above the mouse, which stands low enough that notepad's empty page, not its
// caption or menu bar, is behind the menus where a picture of both shows it.
HWND openPopupMenu(ScrivletRun& run, Notepad& notepad) {
    if (!clickToFront(notepad.window())) return nullptr;
    moveMouse(400, 600);
    return run.clickIconForMenu();
}

TEST(HelpPictures, MainWindow) {
    AnnasScrivlet run(sampleFile());
    ASSERT_TRUE(run.showByIcon());
    // The first entry, "Adresse", shows its Enter symbols.
    run.saveScreenshot(run.mainWindow(), "hauptfenster");
}

TEST(HelpPictures, FlatMenu) {
    AnnasScrivlet run(sampleFile());
    Letter notepad = toMeier();
    HWND menu = openPopupMenu(run, notepad);
    ASSERT_NE(menu, nullptr);
    run.saveScreenshot(menu, "menue-flach");
    pressKey(VK_ESCAPE);
}

TEST(HelpPictures, CascadedMenu) {
    AnnasScrivlet run(withCascadedMenu(sampleFile()));
    Letter notepad = toMeier();
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
    saveAreaScreenshot(run.mainWindow(), all, "menue-kaskadiert");
    pressKey(VK_ESCAPE);
    pressKey(VK_ESCAPE);
}

TEST(HelpPictures, ChoiceDialog) {
    // "Notiz an den Editor" goes to a window with "Editor" in its title, and
    // two notepads have one.
    AnnasScrivlet run(sampleFile());
    Letter first = toMeier(), second = invitation();
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
    AnnasScrivlet run(sampleFile());
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
    AnnasScrivlet run(sampleFile());
    Letter other = invitation(), notepad = toMeier();
    // A capture first, so that the list shows the notepad in front on top.
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

// A visible top-level window of the shell by class. Wine's explorer draws
// both the desktop and the taskbar, and Wine names no shell window, so the
// shell is the desktop window's process.
HWND shellWindow(const char* className) {
    DWORD shell = 0;
    GetWindowThreadProcessId(GetDesktopWindow(), &shell);
    if (shell == 0) return nullptr;
    return findWindow(shell, "", className, true);
}

TEST(HelpPictures, NotificationArea) {
    AnnasScrivlet run(sampleFile());
    HWND taskbar = shellWindow("Shell_TrayWnd");
    if (!taskbar) GTEST_SKIP() << "no taskbar (Wine's desktop runs without its shell): infobereich.png not taken";
    RECT bar{};
    ASSERT_TRUE(GetWindowRect(taskbar, &bar));
    // The user points at the icon and its tip shows the program's name. The
    // taskbar keeps its icons at its right end, the first one rightmost.
    const int iconWidth = GetSystemMetrics(SM_CXSMICON);
    ASSERT_TRUE(moveMouse(bar.right - iconWidth / 2 - 2, (bar.top + bar.bottom) / 2));
    HWND tip = nullptr;
    ASSERT_TRUE(waitFor([&] { return (tip = shellWindow("tooltips_class32")) != nullptr; }, 10000))
        << "no tip over the icon at the taskbar's right end";
    ASSERT_EQ(windowText(tip), "Scrivlet");
    // The corner of the screen: the end of the taskbar with the icon, the tip
    // above it and a little of the desktop.
    const int height = bar.bottom - bar.top;
    RECT area{bar.right - 12 * height, bar.top - 2 * height, bar.right, bar.bottom};
    RECT shown{};
    GetWindowRect(tip, &shown);
    UnionRect(&area, &area, &shown);
    saveAreaScreenshot(taskbar, area, "infobereich");
}

}  // namespace
}  // namespace e2e
