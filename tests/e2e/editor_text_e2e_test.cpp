// What the editor shows reaches the snippet file before anything else reads
// it: the user switches to another program and picks the entry from the
// icon's menu; the user edits the file by hand in notepad and types into the
// editor meanwhile; the first write of a day leaves a backup. Driven with
// real clicks and keys only.
#include <gtest/gtest.h>

#include <cstdio>

#include "e2e/scrivlet_run.h"

namespace e2e {
namespace {

const std::string SnippetFile =
    windows1252("[Name]\r\n1=Brief\r\n[Text]\r\n1=Hallo\r\n[Crypt]\r\n1=0\r\n[Ignore]\r\n1=DFÜ-Netzwerkmonitor\r\n");

std::string describe(HWND w) {
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    return std::string(cls) + " pid " + std::to_string(pid) + " '" + windowText(w) + "'";
}

HWND editor(HWND main) { return findChild(main, "RichEdit", "", true); }
HWND entryList(HWND main) { return findChild(main, "ListBox"); }

// The user clicks behind the end of the editor's first line and, once the
// window has come forward, types; the next action comes after the program
// has taken the keys.
bool typeAtTheEndOfTheFirstLine(ScrivletRun& run, const std::string& keys, const std::string& shown) {
    HWND text = editor(run.mainWindow());
    RECT area{};
    GetClientRect(text, &area);
    if (!clickIn(text, area.right - 20, 8)) return false;
    if (!waitFor([&] { return GetForegroundWindow() == run.mainWindow(); })) {
        ADD_FAILURE() << "in front: " << describe(GetForegroundWindow());
        return false;
    }
    typeText(keys);
    const bool arrived = waitFor([&] { return windowText(text) == shown; }) && waitUntilKeysTaken(text);
    if (!arrived) ADD_FAILURE() << "the editor shows \"" << windowText(text) << "\"";
    return arrived;
}

TEST(EditorTextE2E, WhatWasTypedArrivesAfterTheUserClickedAnotherProgram) {
    ScrivletRun run(SnippetFile);
    Notepad notepad;
    ASSERT_NE(notepad.window(), nullptr);
    ASSERT_TRUE(run.showByIcon());
    ASSERT_TRUE(typeAtTheEndOfTheFirstLine(run, " Welt", "Hallo Welt"));
    // The editor keeps the focus; the switch to notepad writes the text.
    ASSERT_TRUE(clickToFront(notepad.window())) << "in front: " << describe(GetForegroundWindow());
    EXPECT_TRUE(waitFor([&] { return run.value("Text", 1) == "Hallo Welt"; })) << run.value("Text", 1);
    run.iconMessage(WM_LBUTTONDOWN);
    ASSERT_TRUE(waitFor([&] { return run.popupMenu() != nullptr; }));
    pressKey(VK_DOWN);  // "Brief"
    pressKey(VK_RETURN);
    EXPECT_TRUE(waitFor([&] { return notepad.text() == "Hallo Welt"; })) << notepad.text();
}

// The notepad the program started for the snippet file: a window of another
// process whose title names the file.
HWND notepadOf(ScrivletRun& run, DWORD& processId) {
    HWND found = nullptr;
    waitFor([&] {
        struct Search {
            DWORD own;
            HWND found;
        } search{run.processId(), nullptr};
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner != s->own && IsWindowVisible(window) && windowText(window).rfind("Scrivlet.ini", 0) == 0) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        found = search.found;
        return found != nullptr;
    });
    if (found) GetWindowThreadProcessId(found, &processId);
    return found;
}

TEST(EditorTextE2E, TextTypedWhileTheFileIsEditedInNotepadIsKept) {
    // The names come last, so that a line typed at the end of the file in
    // notepad is a new entry.
    const std::string file =
        windows1252("[Text]\r\n1=Hallo\r\n[Crypt]\r\n1=0\r\n[Ignore]\r\n1=DFÜ-Netzwerkmonitor\r\n[Name]\r\n1=Brief\r\n");
    ScrivletRun run(file);
    ASSERT_TRUE(run.showByIcon());
    ASSERT_TRUE(clickCentre(findChild(run.mainWindow(), "Button", "Debu&g")));
    HWND debugger = run.waitForDialog(MainCaption + " - Debugger");
    ASSERT_NE(debugger, nullptr);
    ASSERT_TRUE(clickCentre(findChild(debugger, "Button", "&Konfigurationsdatei manuell bearbeiten")));
    DWORD notepadId = 0;
    HWND notepad = notepadOf(run, notepadId);
    ASSERT_NE(notepad, nullptr);
    HANDLE notepadProcess = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, notepadId);
    ASSERT_NE(notepadProcess, nullptr);
    WaitForInputIdle(notepadProcess, 10000);
    // Where the user keeps it: beside the program's windows.
    SetWindowPos(notepad, nullptr, GetSystemMetrics(SM_CXSCREEN) - 440, GetSystemMetrics(SM_CYSCREEN) - 360, 420,
                 320, SWP_NOZORDER | SWP_NOACTIVATE);

    // The user closes the debugger and types into the editor meanwhile.
    ASSERT_TRUE(clickCentre(findChild(debugger, "Button", "&Dieses Fenster schließen")));
    ASSERT_TRUE(waitFor([&] { return !IsWindow(debugger); }));
    ASSERT_TRUE(typeAtTheEndOfTheFirstLine(run, " Welt", "Hallo Welt"));
    // Back in notepad, a new entry at the end, saved; notepad's copy of the
    // file still has the entry's old text.
    ASSERT_TRUE(clickToFront(notepad));
    pressWithCtrl(VK_END);
    typeText("2=Zweiter\r");
    pressWithCtrl('S');
    ASSERT_TRUE(waitFor([&] { return run.value("Name", 2) == "Zweiter"; })) << readFile(run.snippetPath());
    ASSERT_TRUE(clickCloseBox(notepad));
    EXPECT_EQ(WaitForSingleObject(notepadProcess, 20000), WAIT_OBJECT_0);
    CloseHandle(notepadProcess);

    // Read anew: the new entry is listed, and the typed text is kept.
    HWND list = entryList(run.mainWindow());
    EXPECT_TRUE(waitFor([&] { return listBoxItems(list) == std::vector<std::string>{"Brief", "Zweiter"}; }));
    EXPECT_TRUE(waitFor([&] { return run.value("Text", 1) == "Hallo Welt"; })) << readFile(run.snippetPath());
    EXPECT_EQ(windowText(editor(run.mainWindow())), "Hallo Welt");
    EXPECT_EQ(run.value("Name", 1), "Brief");
}

std::string todaysBackup(ScrivletRun& run) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char name[64];
    std::snprintf(name, sizeof name, "\\Sicherung\\Scrivlet-%04d-%02d-%02d.ini", now.wYear, now.wMonth, now.wDay);
    return run.folder() + name;
}

TEST(DailyBackupE2E, AWriteWithNoBackupOfTodayLeavesOne) {
    ScrivletRun run(SnippetFile);
    ASSERT_EQ(GetFileAttributesA(todaysBackup(run).c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(run.showByIcon());
    ASSERT_TRUE(typeAtTheEndOfTheFirstLine(run, " Welt", "Hallo Welt"));
    // The click on the list takes the focus from the editor: the text is written.
    ASSERT_TRUE(clickCentre(entryList(run.mainWindow())));
    ASSERT_TRUE(waitFor([&] { return run.value("Text", 1) == "Hallo Welt"; }));
    EXPECT_EQ(readFile(todaysBackup(run)), SnippetFile);
}

}  // namespace
}  // namespace e2e
