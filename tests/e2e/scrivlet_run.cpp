#include "e2e/scrivlet_run.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/unicode.h"

namespace e2e {

std::string windows1252(const std::string& utf8) {
    const std::string beyond = scrivlet::charactersBeyondCp1252(utf8);
    if (!beyond.empty()) ADD_FAILURE() << "not in Windows-1252: " << beyond;
    return scrivlet::utf8ToCp1252(utf8);
}

namespace {
std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}
}  // namespace

ScrivletRun::ScrivletRun(const std::string& snippetFile, const std::string& arguments, bool keepSettings,
                         const std::string& folder) {
    if (!keepSettings) RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Morwick Software");
    folder_ = folder.empty() ? freshFolder("app") : folder;
    if (!folder.empty() && !makeFolders(folder)) ADD_FAILURE() << "could not make the folder " << folder;
    if (!CopyFileA(environment("SCRIVLET_EXE").c_str(), (folder_ + "\\scrivlet.exe").c_str(), FALSE))
        ADD_FAILURE() << "scrivlet.exe not found at SCRIVLET_EXE '" << environment("SCRIVLET_EXE") << "'";
    snippetPath_ = folder_ + "\\Scrivlet.ini";
    writeFile(snippetPath_, snippetFile);
    restart(arguments);
}

ScrivletRun::~ScrivletRun() {
    process_.reset();
    // The day's backups the program made beside the snippet file.
    const std::string backups = folder_ + "\\Sicherung";
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((backups + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((backups + "\\" + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(backups.c_str());
    DeleteFileA(snippetPath_.c_str());
    DeleteFileA((folder_ + "\\scrivlet.exe").c_str());
    RemoveDirectoryA(folder_.c_str());
}

void ScrivletRun::restart(const std::string& arguments) {
    // One copy runs per session: a new start while the old one lives would
    // only show the old one's window.
    process_.reset();
    process_ = std::make_unique<Process>("\"" + folder_ + "\\scrivlet.exe\" " + arguments, folder_);
    main_ = waitForWindow(process_->id(), MainCaption);
    // The caption comes early in the start; the icon's messages are heard only
    // once the start is over, when the program first waits for messages (as a
    // user waits for the icon to appear). A sent message is taken just then.
    DWORD_PTR ignored = 0;
    if (main_ && !SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &ignored))
        ADD_FAILURE() << "scrivlet.exe did not finish starting";
}

void ScrivletRun::showMainWindow() {
    // The right button on the icon: the program shows its window and makes it
    // the active one itself.
    if (!IsWindowVisible(main_)) iconMessage(WM_RBUTTONDOWN);
    waitFor([this] { return IsWindowVisible(main_) && GetForegroundWindow() == main_; });
}

bool ScrivletRun::showByIcon() {
    iconMessage(WM_RBUTTONDOWN);
    return waitFor([this] { return GetForegroundWindow() == main_; });
}

HWND ScrivletRun::clickIconForMenu() {
    iconMessage(WM_LBUTTONDOWN);
    return waitForPopupMenu("the left button on the icon");
}

HWND ScrivletRun::waitForPopupMenu(const std::string& gesture) {
    // A menu opens within a fraction of a second; one that closed at once
    // never comes, so the deadline only bounds a failing test.
    constexpr int Deadline = 10000;
    HWND menu = nullptr;
    if (!waitFor([&] { return (menu = popupMenu()) != nullptr; }, Deadline)) {
        POINT mouse{};
        GetCursorPos(&mouse);
        const HWND under = WindowFromPoint(mouse);
        char cls[128] = {};
        GetClassNameA(under, cls, sizeof cls);
        DWORD owner = 0;
        GetWindowThreadProcessId(under, &owner);
        ADD_FAILURE() << "no menu of scrivlet.exe on screen " << Deadline / 1000 << " s after " << gesture
                      << "; windows: " << windowsOf(processId()) << "the mouse at " << mouse.x << "," << mouse.y
                      << " over '" << windowText(under) << "' " << cls
                      << (owner == processId() ? " of scrivlet.exe" : " of another process");
    }
    return menu;
}

bool ScrivletRun::quit() {
    chooseMenuItem(main_, 'D', 'B');  // "&Datei" - "&Beenden"
    return process_->waitForExit();
}

void ScrivletRun::saveScreenshot(HWND window, const std::string& name) {
    const std::string folder = environment("SCRIVLET_SCREENSHOTS");
    if (folder.empty()) return;
    CreateDirectoryA(folder.c_str(), nullptr);
    // Everything painted first: a window shown a moment ago may not be yet.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
    // Painting comes after every message: wait until no part of the window
    // or its controls is left to paint.
    waitFor(
        [window] {
            std::vector<HWND> all{window};
            EnumChildWindows(
                window,
                [](HWND child, LPARAM list) -> BOOL {
                    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&all));
            for (HWND w : all)
                if (IsWindowVisible(w) && GetUpdateRect(w, nullptr, FALSE)) return false;
            return true;
        },
        3000);
    screenshot(window, folder + "\\" + name + ".bmp");
}

}  // namespace e2e
