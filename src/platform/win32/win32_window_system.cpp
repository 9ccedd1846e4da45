#include "platform/win32/win32_window_system.h"

#include <windows.h>

#include <iterator>
#include <optional>
#include <vector>

#include "platform/win32/win32_activation_reports.h"
#include "platform/win32/win32_attached_input.h"
#include "platform/win32/win32_foreground_thread.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/unique_handle.h"

namespace scrivlet {

namespace {

HWND toHwnd(WindowId window) { return reinterpret_cast<HWND>(window); }
WindowId toId(HWND hwnd) { return reinterpret_cast<WindowId>(hwnd); }

// Activating a window of another thread completes in that thread: until it has
// handled the activation, the foreground can still read as no window at all
// (so under Wine). A short wait lets it finish before the answer is given;
// messages that thread sends here meanwhile are answered, posted ones stay
// queued for the program's own loop.
constexpr DWORD ActivationWaitMs = 500;
constexpr DWORD ActivationPollMs = 10;

bool foregroundBecomes(DWORD targetThread) {
    const ULONGLONG deadline = GetTickCount64() + ActivationWaitMs;
    for (;;) {
        if (foregroundThread() == targetThread) return true;
        if (GetTickCount64() >= deadline) return false;
        MsgWaitForMultipleObjectsEx(0, nullptr, ActivationPollMs, QS_SENDMESSAGE, 0);
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

// The mandatory label of the process's token: the last part of its SID
// (0x2000 medium, 0x3000 high); none when the token cannot be read.
std::optional<DWORD> integrityLevel(HANDLE process) {
    UniqueHandle token;
    if (!OpenProcessToken(process, TOKEN_QUERY, token.put())) return std::nullopt;
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenIntegrityLevel, nullptr, 0, &size);
    if (size < sizeof(TOKEN_MANDATORY_LABEL)) return std::nullopt;
    std::vector<unsigned char> buffer(size);
    if (!GetTokenInformation(token.get(), TokenIntegrityLevel, buffer.data(), size, &size)) return std::nullopt;
    const PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
    if (!sid || !IsValidSid(sid) || *GetSidSubAuthorityCount(sid) == 0) return std::nullopt;
    return *GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1u);
}

BOOL CALLBACK collectWindow(HWND hwnd, LPARAM list) {
    reinterpret_cast<std::vector<WindowId>*>(list)->push_back(toId(hwnd));
    return TRUE;
}

}  // namespace

WindowId Win32WindowSystem::foreground() { return toId(GetForegroundWindow()); }

WindowId Win32WindowSystem::next(WindowId window) { return toId(GetWindow(toHwnd(window), GW_HWNDNEXT)); }

WindowId Win32WindowSystem::previous(WindowId window) {
    return toId(GetWindow(toHwnd(window), GW_HWNDPREV));
}

bool Win32WindowSystem::exists(WindowId window) { return window != 0 && IsWindow(toHwnd(window)); }

bool Win32WindowSystem::isVisible(WindowId window) { return window != 0 && IsWindowVisible(toHwnd(window)); }

std::string Win32WindowSystem::title(WindowId window) {
    if (window == 0) return {};
    // The first 127 characters, as the program has always read titles; 127
    // characters beyond U+FFFF take twice as many UTF-16 units.
    wchar_t buffer[2 * MaxTitleCharacters + 1] = {};
    const int length = GetWindowTextW(toHwnd(window), buffer, static_cast<int>(std::size(buffer)));
    if (length <= 0) return {};
    const std::string title = narrow(std::wstring_view(buffer, static_cast<std::size_t>(length)));
    return title.substr(0, prefixOfCodePoints(title, MaxTitleCharacters));
}

std::vector<WindowId> Win32WindowSystem::topLevelWindows() {
    std::vector<WindowId> windows;
    if (!EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&windows))) return {};
    return windows;
}

bool Win32WindowSystem::bringToForeground(WindowId window) {
    const HWND hwnd = toHwnd(window);
    const DWORD targetThread = window ? GetWindowThreadProcessId(hwnd, nullptr) : 0;
    if (targetThread == 0) return false;
    takeActivationReports();
    if (SetForegroundWindow(hwnd) && foregroundBecomes(targetThread)) return true;
    // The foreground lock refuses a process that did not receive the last
    // input. A thread attached to the foreground thread's input counts as that
    // thread, so the documented way round is to attach for the one call.
    const DWORD front = foregroundThread();
    if (front == 0 || front == GetCurrentThreadId()) return false;
    {
        AttachedInput attached(GetCurrentThreadId(), front);
        if (!attached.shared() || !SetForegroundWindow(hwnd)) return false;
    }
    return foregroundBecomes(targetThread);
}

void Win32WindowSystem::setTopmost(WindowId window, bool topmost) {
    SetWindowPos(toHwnd(window), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace scrivlet

namespace scrivlet {

std::string Win32WindowSystem::className(WindowId window) {
    if (window == 0) return {};
    wchar_t buffer[257] = {};  // class names have at most 256 characters
    const int length = GetClassNameW(toHwnd(window), buffer, static_cast<int>(std::size(buffer)));
    return length > 0 ? narrow(std::wstring_view(buffer, static_cast<std::size_t>(length))) : std::string();
}

TargetIntegrity Win32WindowSystem::integrity(WindowId window) {
    DWORD processId = 0;
    if (window == 0 || !GetWindowThreadProcessId(toHwnd(window), &processId)) return TargetIntegrity::Unknown;
    // The right that even a program of lower level gets to a process of a
    // higher one; a process that refuses it (a protected or system one) will
    // not take keys either.
    const UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return TargetIntegrity::Higher;
    const std::optional<DWORD> own = integrityLevel(GetCurrentProcess());
    const std::optional<DWORD> target = integrityLevel(process.get());
    if (!own || !target) return TargetIntegrity::Unknown;
    return *target > *own ? TargetIntegrity::Higher : TargetIntegrity::NotHigher;
}

}  // namespace scrivlet
