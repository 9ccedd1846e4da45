#include <gtest/gtest.h>

#include "e2e/scrivlet_run.h"
#include "store/entry_cipher.h"

namespace e2e {
namespace {

const std::string SampleFile =
    windows1252("[Name]\r\n1=Grußformel\r\n2=Adresse\r\n[Text]\r\n1=Mit freundlichen Grüßen\\N\r\n2=Hauptstraße 12\r\n"
                "[Crypt]\r\n1=0\r\n2=0\r\n[Ignore]\r\n1=DFÜ-Netzwerkmonitor\r\n");

HWND listBox(HWND main) { return findChild(main, "ListBox"); }
HWND editor(HWND main) { return findChild(main, "RichEdit", "", true); }

RECT windowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

TEST(MainWindowE2E, StartsHiddenAndShowsTheSortedEntries) {
    ScrivletRun run(SampleFile);
    ASSERT_NE(run.mainWindow(), nullptr);
    EXPECT_FALSE(IsWindowVisible(run.mainWindow()));
    run.showMainWindow();
    EXPECT_EQ(listBoxItems(listBox(run.mainWindow())), (std::vector<std::string>{"Adresse", "Grußformel"}));
    EXPECT_TRUE(waitFor([&] { return windowText(editor(run.mainWindow())) == "Hauptstraße 12"; }));
    run.saveScreenshot(run.mainWindow(), "main-window-sample");
}

TEST(MainWindowE2E, AnEmptyFileShowsTheDisabledState) {
    ScrivletRun run("");
    run.showMainWindow();
    EXPECT_FALSE(IsWindowEnabled(listBox(run.mainWindow())));
    EXPECT_FALSE(IsWindowEnabled(editor(run.mainWindow())));
    EXPECT_EQ(run.value("Ignore", 1), windows1252("DFÜ-Netzwerkmonitor"));
    run.saveScreenshot(run.mainWindow(), "main-window-empty");
}

TEST(MainWindowE2E, NewEntryTypedWithEnterAndTabIsStoredAsEntered) {
    ScrivletRun run("");
    run.showMainWindow();
    ASSERT_TRUE(chooseMenuItem(run.mainWindow(), 'T', 'N'));  // "&Texte" - "&Neu..."
    HWND input = run.waitForDialog("Scrivlet - Neuen Eintrag erstellen");
    ASSERT_NE(input, nullptr);
    SetWindowTextW(findChild(input, "Edit"), L"Gru\u00DF");
    clickButton(input, "OK");
    ASSERT_TRUE(waitFor([&] { return run.value("DosBox", 1) == "0"; }));  // the last of the five
    EXPECT_EQ(run.value("Name", 1), windows1252("Gruß"));
    EXPECT_EQ(run.value("Crypt", 1), "1");
    EXPECT_EQ(run.value("DosBox", 1), "0");
    EXPECT_EQ(run.value("Title", 1), "");

    // The new entry's editor has the focus: type, then leave it for the list.
    typeText("Hallo\rWelt\tx");
    ASSERT_TRUE(waitFor([&] { return windowText(editor(run.mainWindow())).size() >= 12; }));
    clickAt(listBox(run.mainWindow()), 10, 5);
    ASSERT_TRUE(waitFor([&] { return scrivlet::decipherText(run.value("Text", 1)) == "Hallo\\NWelt\\Tx"; }));
    EXPECT_EQ(run.value("Crypt", 1), "1");
    run.saveScreenshot(run.mainWindow(), "main-window-new-entry");

    if (!chooseMenuItem(run.mainWindow(), 'T', 'U'))  // "&Umbenennen..."
        for (HWND w : topLevelWindows(run.processId())) {
            char cls[128] = {};
            GetClassNameA(w, cls, sizeof cls);
            ADD_FAILURE() << "window '" << windowText(w) << "' " << cls << " visible " << IsWindowVisible(w)
                          << " foreground " << (GetForegroundWindow() == w);
        }
    HWND rename = run.waitForDialog("Scrivlet - Eintrag umbenennen");
    ASSERT_NE(rename, nullptr);
    EXPECT_EQ(windowText(findChild(rename, "Edit")), "Gruß");
    SetWindowTextW(findChild(rename, "Edit"), L"Gr\u00FC\u00DFe");
    clickButton(rename, "OK");
    ASSERT_TRUE(waitFor([&] { return run.value("Name", 1) == windows1252("Grüße"); }));

    ASSERT_TRUE(chooseMenuItem(run.mainWindow(), 'T', 'L'));  // "&Löschen"
    HWND question = run.waitForMessageBox();
    ASSERT_NE(question, nullptr);
    clickButton(question, "&Ja");
    ASSERT_TRUE(waitFor([&] { return run.value("Name", 1) == ""; }));
    EXPECT_TRUE(listBoxItems(listBox(run.mainWindow())).empty());
}

TEST(MainWindowE2E, TheWindowSnapsBackToItsDesignSize) {
    ScrivletRun run(SampleFile);
    run.showMainWindow();
    const RECT atLoad = windowRect(run.mainWindow());
    SetWindowPos(run.mainWindow(), nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(waitFor([&] {
        const RECT r = windowRect(run.mainWindow());
        return r.right - r.left == atLoad.right - atLoad.left && r.bottom - r.top == atLoad.bottom - atLoad.top;
    }));
    SetWindowPos(run.mainWindow(), nullptr, 0, 0, atLoad.right - atLoad.left + 200,
                 atLoad.bottom - atLoad.top + 100, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(waitFor([&] {
        const RECT r = windowRect(editor(run.mainWindow()));
        return r.right - r.left > 300;
    }));
    run.saveScreenshot(run.mainWindow(), "main-window-enlarged");
}

TEST(MainWindowE2E, ThePlacementIsRestoredAfterARestart) {
    ScrivletRun run(SampleFile);
    run.showMainWindow();
    const RECT atLoad = windowRect(run.mainWindow());
    const int width = atLoad.right - atLoad.left + 40, height = atLoad.bottom - atLoad.top + 30;
    SetWindowPos(run.mainWindow(), nullptr, 100, 80, width, height, SWP_NOZORDER);
    ASSERT_TRUE(waitFor([&] { return windowRect(run.mainWindow()).left == 100; }));
    ASSERT_TRUE(run.quit());
    run.restart();
    run.showMainWindow();
    const bool restored = waitFor([&] {
        const RECT r = windowRect(run.mainWindow());
        return r.left == 100 && r.top == 80 && r.right - r.left == width && r.bottom - r.top == height;
    });
    const RECT r = windowRect(run.mainWindow());
    EXPECT_TRUE(restored) << r.left << "," << r.top << " " << r.right - r.left << "x" << r.bottom - r.top
                          << " instead of 100,80 " << width << "x" << height;
}

TEST(MainWindowE2E, TheCloseBoxOnlyHides) {
    ScrivletRun run(SampleFile);
    run.showMainWindow();
    ASSERT_TRUE(clickCloseBox(run.mainWindow()));
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(run.mainWindow()); }));
    EXPECT_TRUE(run.running());
}

}  // namespace
}  // namespace e2e
