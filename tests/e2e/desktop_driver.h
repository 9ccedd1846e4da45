#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Drives programs from outside, as a user would: finds their windows by process
// id, presses keys and buttons, reads what the controls show.
namespace e2e {

// Polls until the condition holds or the deadline passes; never a fixed sleep.
bool waitFor(const std::function<bool()>& condition, int milliseconds = 20000);

std::vector<HWND> topLevelWindows(DWORD processId);
// A top-level window of the process whose title (and class, when given) match.
HWND findWindow(DWORD processId, const std::string& title, const char* className = nullptr,
                bool visibleOnly = false);
HWND waitForWindow(DWORD processId, const std::string& title, const char* className = nullptr,
                   bool visibleOnly = false);
// The first child (at any depth) of the class, whose text matches when given.
HWND findChild(HWND parent, const std::string& className, const std::string& text = "",
               bool classPrefix = false);
// Every child (at any depth) of the class.
std::vector<HWND> childWindows(HWND parent, const std::string& className);
// What a window or list box of any process shows, read in UTF-16, as UTF-8.
std::string windowText(HWND window);
// Every top-level window of the process, its caption, class, and whether it
// is visible and in front: for the text of a failure.
std::string windowsOf(DWORD processId);
std::vector<std::string> listBoxItems(HWND listBox);

// Chooses a menu-bar item of the window by its access keys, as the user does
// with F10 and the underlined letters: menuKey opens the menu, itemKey picks
// the item. The window must be the active one. (Wine keeps menus private to
// their process, so they cannot be read from here.)
bool chooseMenuItem(HWND window, char menuKey, char itemKey);
void clickButton(HWND dialog, const std::string& caption);

void pressKey(WORD virtualKey, bool alt = false);
// The key with Ctrl held, as Ctrl+S.
void pressWithCtrl(WORD virtualKey);
// Waits until the thread of the window has taken every key sent so far from
// its queue (releases included), as the program has when the user's next
// action comes: a sentinel key (0x97, unassigned) is sent and read in the
// input state shared with that thread. Not the program's own sentinel
// (0xE8): while it confirms its last keys, each would take the other's
// release for its own.
bool waitUntilKeysTaken(HWND window);
void typeText(const std::string& text);  // UTF-8; CR is Enter, TAB is Tab
void clickAt(HWND window, int x, int y);  // client coordinates, left button

// The mouse as the user moves it: absolute moves and presses through
// SendInput, in pixels of the screen; each waits until the cursor is there.
enum class MouseButton { Left, Right, Middle };
bool moveMouse(int x, int y);
bool clickScreen(int x, int y, MouseButton button = MouseButton::Left);
// The same in the client area of a window.
bool clickIn(HWND window, int x, int y, MouseButton button = MouseButton::Left);
// A left click in the middle of a control.
bool clickCentre(HWND control);
// A left click on the window's close box, found as the system finds it.
bool clickCloseBox(HWND window);
// A left click on a button of the window's caption, HTMINBUTTON say.
bool clickCaptionButton(HWND window, int hitCode);
// A press and release where the mouse stands, without a move.
void clickHere(MouseButton button = MouseButton::Left);
// Chooses a menu-bar item with F10 and the access keys in whatever window of
// the process is active: the keys go where the program put the focus.
bool chooseMenuByKeys(DWORD processId, char menuKey, char itemKey);
// The user's click on the window's caption bar, where no other window covers
// it; true once the window is the active one.
bool clickToFront(HWND window);

// Saves the window's area of the screen as a BMP file, once what it painted
// is on the screen.
bool screenshot(HWND window, const std::string& path);
// Saves an area of the screen (in screen pixels) as a BMP file, once what
// the thread of the painter window painted is on the screen.
bool screenshotArea(const RECT& area, const std::string& path, HWND painter);

// A started process, ended with it.
class Process {
public:
    Process(const std::string& commandLine, const std::string& folder);
    ~Process();
    DWORD id() const { return info_.dwProcessId; }
    HANDLE handle() const { return info_.hProcess; }
    bool running() const;
    bool waitForExit(int milliseconds = 20000);

private:
    PROCESS_INFORMATION info_{};
};

// Wine's notepad, with its edit control; with a file, showing that file
// (its name is then in notepad's title).
class Notepad {
public:
    explicit Notepad(const std::string& file = "");
    HWND window() const { return window_; }
    std::string text() const;
    DWORD id() const { return process_.id(); }

private:
    Process process_;
    HWND window_ = nullptr;
    HWND edit_ = nullptr;
};

// A folder of its own under the temporary folder, removed afterwards.
std::string freshFolder(const std::string& name);
// The folder and every missing one above it; true once it is there.
bool makeFolders(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);
// A value of the snippet file as its bytes (Windows-1252).
std::string iniValue(const std::string& file, const std::string& section, const std::string& key);

}  // namespace e2e
