#pragma once
#include <memory>
#include <string>

#include "e2e/desktop_driver.h"
#include "tracking/own_caption.h"

namespace e2e {

// The main window's caption on the NT family, composed from the build's
// version as the program composes it. Inline, so that it is set before the
// captions other test files derive from it at their start.
inline const std::string MainCaption = scrivlet::ownCaption("", true);

// A text as the snippet file's bytes, Windows-1252 (every character of it
// must be there).
std::string windows1252(const std::string& utf8);

// scrivlet.exe started from a folder of its own with the given snippet file
// beside it (its bytes: windows1252() of a text), with no settings left from
// earlier runs. The folder is a fresh one under the temporary folder, or the
// one given (made when missing).
class ScrivletRun {
public:
    explicit ScrivletRun(const std::string& snippetFile, const std::string& arguments = "",
                         bool keepSettings = false, const std::string& folder = "");
    ~ScrivletRun();

    void restart(const std::string& arguments = "");
    HWND mainWindow() const { return main_; }
    // The program's folder, beside scrivlet.exe.
    const std::string& folder() const { return folder_; }
    DWORD processId() const { return process_->id(); }
    const std::string& snippetPath() const { return snippetPath_; }
    std::string executablePath() const { return folder_ + "\\scrivlet.exe"; }
    // A value as the file's bytes.
    std::string value(const std::string& section, int n) const {
        return iniValue(snippetPath_, section, std::to_string(n));
    }
    // The shell's report of a mouse message on the notification-area icon,
    // standing for the user's click there: a click in Wine's own notification
    // area makes its window ("Wine System Tray") the active one, which the
    // taskbar of Windows never becomes, and an entry would then be typed
    // into it.
    void iconMessage(LPARAM mouseMessage) { PostMessageA(main_, 1024, 0, mouseMessage); }
    // The left button on the icon, as the shell reports it, once: the menu
    // it opens, or null and a failure when none is on screen in time. A user
    // clicks once and sees the menu; a menu that closed before it was drawn
    // is the program's fault, so the click is never repeated here.
    HWND clickIconForMenu();
    // The program's pop-up menu on screen after the user's gesture (named in
    // the failure when none comes in time).
    HWND waitForPopupMenu(const std::string& gesture);
    void showMainWindow();
    // The right button on the icon, as the shell reports it: the program shows
    // its main window and makes it the active one itself. True once it is.
    bool showByIcon();
    // Chooses "&Beenden" of "&Datei" and waits for the process to end.
    bool quit();
    bool running() const { return process_->running(); }
    HWND waitForDialog(const std::string& caption, const char* className = nullptr) {
        return waitForWindow(processId(), caption, className, true);
    }
    // A message box of the program: the system's dialog class.
    HWND waitForMessageBox() { return waitForDialog(MainCaption, "#32770"); }
    HWND popupMenu() { return findWindow(processId(), "", "#32768", true); }
    void saveScreenshot(HWND window, const std::string& name);

private:
    std::string folder_;
    std::string snippetPath_;
    std::unique_ptr<Process> process_;
    HWND main_ = nullptr;
};

}  // namespace e2e
