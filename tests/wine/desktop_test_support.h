#pragma once
// What the window-system, typing and notification-area tests (and the typing
// benchmark) share: waiting by polling, windows of this thread, and Wine's own
// notepad as another program's window.
#include <windows.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"

namespace scrivlet::test {

using SteadyClock = std::chrono::steady_clock;

// Polls until the condition holds or the deadline passes; true when it held.
// The deadlines are generous: they only end a test that has failed anyway.
template <typename Condition>
bool waitUntil(Condition condition, std::chrono::milliseconds deadline = std::chrono::seconds(30)) {
    const auto end = SteadyClock::now() + deadline;
    for (;;) {
        if (condition()) return true;
        if (SteadyClock::now() >= end) return false;
        // Keeps this thread's own windows answering meanwhile.
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

inline std::string classOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// A top-level Unicode window of the calling thread with a procedure of the
// caller's (a Unicode one: it gets UTF-16 text and characters). A pop-up
// window by default: Wine waits two seconds for a window manager to withdraw a
// captioned window when it is hidden or destroyed, and Xvfb has none.
inline UniqueHwnd createTestWindow(const std::string& title, WNDPROC procedure = DefWindowProcW, DWORD exStyle = 0,
                                   DWORD style = WS_POPUP | WS_VISIBLE) {
    static const ATOM registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = L"ScrivletDesktopTestWindow";
        return RegisterClassW(&wc);
    }();
    if (!registered) return UniqueHwnd();
    UniqueHwnd window(CreateWindowExW(exStyle, L"ScrivletDesktopTestWindow", wide(title).c_str(), style, 40, 40,
                                      320, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    if (window && procedure != DefWindowProcW)
        SetWindowLongPtrW(window.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    return window;
}

// Wine's notepad, started for one test (or suite) and ended with it. Its
// windows are looked up by the process id, never by class alone: windows of
// earlier runs may still exist.
class Notepad {
public:
    Notepad() {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        char commandLine[] = "notepad.exe";
        if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
            return;
        process_.reset(info.hProcess);
        UniqueHandle thread(info.hThread);
        processId_ = info.dwProcessId;
        waitUntil([this] {
            window_ = visibleWindowOfProcess();
            if (window_) edit_ = FindWindowExW(window_, nullptr, L"Edit", nullptr);
            return window_ && edit_;
        }, std::chrono::seconds(60));
    }
    ~Notepad() {
        if (!process_) return;
        TerminateProcess(process_.get(), 0);
        WaitForSingleObject(process_.get(), 30000);
    }
    Notepad(const Notepad&) = delete;
    Notepad& operator=(const Notepad&) = delete;

    HWND window() const { return window_; }
    HWND edit() const { return edit_; }
    bool running() const { return window_ && edit_; }

    // The text of the edit control as another program reads it, in UTF-16
    // (as UTF-8).
    std::string text() const {
        const LRESULT length = SendMessageW(edit_, WM_GETTEXTLENGTH, 0, 0);
        std::wstring text(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, L'\0');
        const LRESULT copied = SendMessageW(edit_, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(copied < 0 ? 0 : copied));
        return narrow(text);
    }
    void clear() const { SendMessageW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"")); }

private:
    struct Search {
        DWORD process;
        HWND found;
    };
    static BOOL CALLBACK checkWindow(HWND window, LPARAM into) {
        auto* search = reinterpret_cast<Search*>(into);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != search->process || !IsWindowVisible(window) || classOf(window) != "Notepad") return TRUE;
        search->found = window;
        return FALSE;
    }
    HWND visibleWindowOfProcess() const {
        Search search{processId_, nullptr};
        EnumWindows(checkWindow, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    UniqueHandle process_;
    DWORD processId_ = 0;
    HWND window_ = nullptr;
    HWND edit_ = nullptr;
};

}  // namespace scrivlet::test
