#include "platform/win32/win32_single_instance.h"

#include <sddl.h>

#include <vector>

#include "platform/notification_area.h"
#include "platform/win32/win32_form_peer.h"
#include "platform/win32/win32_show_request.h"
#include "platform/win32/win32_text.h"

namespace scrivlet {

namespace {

// How long a later start waits for the running copy: for its window while it
// starts, for its answer while it is busy.
constexpr DWORD WaitMilliseconds = 10000;
constexpr UINT AnswerMilliseconds = 5000;

bool ofThisProcess(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

std::wstring userSid() {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return {};
    const UniqueHandle token(raw);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    if (size == 0) return {};
    std::vector<unsigned char> buffer(size);
    if (!GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return {};
    const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer.data());
    LPWSTR text = nullptr;
    if (!ConvertSidToStringSidW(user->User.Sid, &text) || !text) return {};
    const UniqueLocal owned(reinterpret_cast<HLOCAL>(text));
    return text;
}

std::wstring userName() {
    wchar_t name[257] = L"";
    DWORD size = 257;
    return GetUserNameW(name, &size) ? std::wstring(name) : std::wstring();
}

// An older version's main window: every window of those had the common
// class; the main window alone has no owner and a menu bar.
bool olderMainWindow(HWND window) {
    return GetWindow(window, GW_OWNER) == nullptr && GetMenu(window) != nullptr;
}

HWND findTopLevel(const wchar_t* className, bool (*matches)(HWND)) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, className, nullptr)) != nullptr)
        if (!ofThisProcess(window) && (!matches || matches(window))) return window;
    return nullptr;
}

}  // namespace

Win32SingleInstance::Win32SingleInstance() {
    const std::wstring name = sessionName();
    mutex_.reset(CreateMutexW(nullptr, TRUE, name.c_str()));
    const DWORD error = GetLastError();
    // Existing, the mutex is opened without being owned; one that a copy run
    // as administrator made, this copy may not open at all. Any other failure
    // tells nothing of other copies, and the program runs as it did before.
    owned_ = mutex_ && error != ERROR_ALREADY_EXISTS;
    const bool other = mutex_ ? !owned_ : error == ERROR_ACCESS_DENIED;
    first_ = !other && !runningMainWindow();
}

Win32SingleInstance::~Win32SingleInstance() {
    if (owned_) ReleaseMutex(mutex_.get());
}

std::wstring Win32SingleInstance::sessionName() {
    std::wstring user = userSid();
    if (user.empty()) user = userName();
    // A backslash would name a namespace; the rest of the name is free.
    for (wchar_t& c : user)
        if (c == L'\\') c = L'_';
    return L"Local\\Scrivlet-" + user;
}

HWND Win32SingleInstance::runningMainWindow() {
    if (HWND window = findTopLevel(wide(MainWindowClass).c_str(), nullptr)) return window;
    return findTopLevel(Win32FormPeer::ClassName, olderMainWindow);
}

SingleInstance::Reach Win32SingleInstance::showRunningCopy() {
    const ULONGLONG deadline = GetTickCount64() + WaitMilliseconds;
    for (;;) {
        if (HWND window = runningMainWindow()) {
            const Reach reach = ask(window);
            // A window that went meanwhile belonged to a copy that is ending.
            if (reach != Reach::NoAnswer || IsWindow(window)) return reach;
        }
        // No window: the running copy is still starting, or it is ending;
        // once it has ended, the name is this copy's.
        if (mutex_ && !owned_) {
            const DWORD waited = WaitForSingleObject(mutex_.get(), 100);
            if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) {
                owned_ = true;
                first_ = true;
                return Reach::NowFirst;
            }
        } else {
            Sleep(100);
        }
        if (GetTickCount64() >= deadline) return Reach::NoAnswer;
    }
}

SingleInstance::Reach Win32SingleInstance::ask(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    // This start is the user's last action, so it may hand the foreground on:
    // the running copy then brings its window in front itself.
    AllowSetForegroundWindow(process);
    wchar_t className[64] = L"";
    GetClassNameW(window, className, 64);
    const bool current = wide(MainWindowClass) == className;
    UINT message = showRequestMessage();
    LPARAM lParam = 0;
    if (!current) {
        // An older version: the right button on its icon shows a hidden main
        // window; a shown one it would hide, so that one is brought forward
        // from here.
        if (IsWindowVisible(window)) {
            if (IsIconic(window)) ShowWindowAsync(window, SW_RESTORE);
            SetForegroundWindow(window);
            return Reach::Shown;
        }
        message = NotificationArea::CallbackMessage;
        lParam = NotificationArea::RightButtonDown;
    }
    DWORD_PTR answer = 0;
    SetLastError(ERROR_SUCCESS);
    if (!SendMessageTimeoutW(window, message, 0, lParam, SMTO_ABORTIFHUNG, AnswerMilliseconds, &answer))
        // The system drops a message from a process of lower integrity to a
        // window of higher (a copy run as administrator) with this error.
        return GetLastError() == ERROR_ACCESS_DENIED ? Reach::Blocked : Reach::NoAnswer;
    return current && answer == 0 ? Reach::NoAnswer : Reach::Shown;
}

}  // namespace scrivlet
