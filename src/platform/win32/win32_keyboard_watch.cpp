#include "platform/win32/win32_keyboard_watch.h"

#include <cwctype>
#include <string>

#include "platform/win32/win32_keyboard_stream.h"
#include "platform/win32/win32_protected_focus.h"

namespace scrivlet {

namespace {

constexpr UINT RunLaterMessage = WM_APP + 23;
constexpr const wchar_t* LaterWindowClass = L"ScrivletKeyboardWatch";
// The program's own windows are silent anyway, and asking them would only
// cost time.
constexpr DWORD OtherProcessesReports = WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS;

}  // namespace

void HeldModifiers::note(const KBDLLHOOKSTRUCT& key, bool down) {
    switch (key.vkCode) {
        case VK_LSHIFT: leftShift = down; break;
        case VK_RSHIFT: rightShift = down; break;
        case VK_SHIFT: leftShift = down; break;
        case VK_LCONTROL: leftCtrl = down; break;
        case VK_RCONTROL: rightCtrl = down; break;
        case VK_CONTROL: leftCtrl = down; break;
        case VK_LMENU: leftAlt = down; break;
        case VK_RMENU: rightAlt = down; break;
        case VK_MENU: leftAlt = down; break;
        case VK_LWIN: case VK_RWIN: win = down; break;
        case VK_CAPITAL:
            if (down) capsLock = !capsLock;
            break;
        default: break;
    }
}

std::optional<TypedKey> typedKeyOf(const KBDLLHOOKSTRUCT& key, bool down, const HeldModifiers& held,
                                   KeyTranslations& translations) {
    if (!down) return std::nullopt;
    using Kind = TypedKey::Kind;
    switch (key.vkCode) {
        case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT: case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL:
        case VK_MENU: case VK_LMENU: case VK_RMENU: case VK_CAPITAL: case VK_NUMLOCK: case VK_SCROLL:
            return std::nullopt;
        case VK_RETURN: return TypedKey{Kind::Enter, 0};
        case VK_TAB: return TypedKey{Kind::Tab, 0};
        case VK_BACK: return TypedKey{Kind::Backspace, 0};
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_HOME: case VK_END: case VK_PRIOR:
        case VK_NEXT: case VK_DELETE: case VK_INSERT: case VK_ESCAPE:
            return TypedKey{Kind::Movement, 0};
        case VK_PACKET: {
            // A character sent as itself (an on-screen keyboard, a remote
            // tool); half of a character beyond U+FFFF is not followed.
            const auto unit = static_cast<char32_t>(key.scanCode & 0xFFFF);
            if (unit >= 0xD800 && unit <= 0xDFFF) return TypedKey{Kind::Other, 0};
            return TypedKey{Kind::Character, unit};
        }
        default: break;
    }
    const bool ctrl = held.ctrl(), alt = held.alt();
    // Ctrl or Alt alone make a shortcut; both are AltGr, which types.
    if (ctrl != alt || held.win) return TypedKey{Kind::Other, 0};
    return translations.translate(key, held.shift(), held.capsLock, ctrl && alt);
}

bool isPasswordField(HWND focus) {
    wchar_t name[80] = {};
    if (!focus || GetClassNameW(focus, name, 80) == 0) return false;
    std::wstring lower(name);
    for (wchar_t& c : lower) c = static_cast<wchar_t>(std::towlower(c));
    return lower.find(L"edit") != std::wstring::npos && (GetWindowLongW(focus, GWL_STYLE) & ES_PASSWORD) != 0;
}

Win32KeyboardWatch* Win32KeyboardWatch::active_ = nullptr;

Win32KeyboardWatch::Win32KeyboardWatch() = default;

Win32KeyboardWatch::~Win32KeyboardWatch() { stop(); }

bool Win32KeyboardWatch::start(Listener listener) {
    if (running() || (active_ && active_ != this)) return false;
    if (!window_) {
        auto window = std::make_unique<MessageWindow>(RunLaterMessage, [this](WPARAM) { runLater(); });
        if (!window->create(LaterWindowClass)) return false;
        window_ = std::move(window);
    }
    const HMODULE module = GetModuleHandleW(nullptr);
    keyboardHook_.reset(SetWindowsHookExW(WH_KEYBOARD_LL, keyboardProc, module, 0));
    if (!keyboardHook_) return false;
    // Without clicks the watch still works; it then misses a click that
    // moves the cursor within the same control.
    mouseHook_.reset(SetWindowsHookExW(WH_MOUSE_LL, mouseProc, module, 0));
    listener_ = std::move(listener);
    lastForeground_ = lastFocus_ = nullptr;
    // Where keys go and which modifiers are held now; from here on the
    // hooks follow both.
    modifiers_ = {};
    modifiers_.leftShift = (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
    modifiers_.leftCtrl = (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0;
    modifiers_.leftAlt = (GetAsyncKeyState(VK_MENU) & 0x8000) != 0;
    modifiers_.capsLock = (GetKeyState(VK_CAPITAL) & 1) != 0;
    active_ = this;
    // Accessibility is COM; the program's thread may have it already.
    com_.reset(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    focusEvents_.reset(
        SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, winEventProc, 0, 0, OtherProcessesReports));
    // A field that starts or stops hiding what is typed in it.
    stateEvents_.reset(SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_STATECHANGE, nullptr, winEventProc, 0,
                                       0, OtherProcessesReports));
    protectedFocus_ = focusedWindow_ = nullptr;
    whereKeysGo();
    // The focus came before the reports were asked for.
    if (!silent_ && lastFocus_) {
        const HWND focus = lastFocus_;
        askWhetherProtected(focus, [focus] { return focusedElementIsProtected(focus); });
    }
    return true;
}

void Win32KeyboardWatch::stop() {
    keyboardHook_.reset();
    mouseHook_.reset();
    focusEvents_.reset();
    stateEvents_.reset();
    protectedFocus_ = focusedWindow_ = nullptr;
    com_.reset();
    if (active_ == this) active_ = nullptr;
    listener_ = {};
    release();
}

void Win32KeyboardWatch::later(std::function<void()> work) {
    later_.push_back(std::move(work));
    if (window_) window_->post();
}

void Win32KeyboardWatch::runLater() {
    while (!later_.empty()) {
        auto work = std::move(later_.front());
        later_.pop_front();
        work();
    }
}

void Win32KeyboardWatch::release() {
    held_ = false;
    if (heldEvents_.empty()) return;
    // The user's keys, as the user typed them: through the hook again, so
    // they count as typed.
    std::vector<INPUT> events;
    events.swap(heldEvents_);
    SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
}

LRESULT CALLBACK Win32KeyboardWatch::keyboardProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && active_) {
        LARGE_INTEGER begin, end;
        if (active_->callbackTicks) QueryPerformanceCounter(&begin);
        const bool swallow = active_->onKey(wParam, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam));
        if (active_ && active_->callbackTicks && (wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN)) {
            QueryPerformanceCounter(&end);
            active_->callbackTicks->push_back(end.QuadPart - begin.QuadPart);
        }
        if (swallow) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool Win32KeyboardWatch::whereKeysGo() {
    // Asked of the thread in front (thread 0): its active window is the
    // foreground window, and one question gives both. Under Wine each is a
    // round trip to its server, the larger part of the callback's time.
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    if (!GetGUIThreadInfo(0, &gui)) gui.hwndActive = gui.hwndFocus = GetForegroundWindow();
    const HWND foreground = gui.hwndActive;
    const HWND focus = gui.hwndFocus ? gui.hwndFocus : foreground;
    if (foreground == lastForeground_ && focus == lastFocus_) return false;
    lastForeground_ = foreground;
    lastFocus_ = focus;
    DWORD process = 0;
    const DWORD thread = foreground ? GetWindowThreadProcessId(foreground, &process) : 0;
    if (translations_.useLayout(GetKeyboardLayout(thread))) later([this] { translations_.learnTypingKeys(); });
    ownInFront_ = process == GetCurrentProcessId();
    silent_ = !foreground || ownInFront_ || isPasswordField(focus);
    if (listener_.lost) listener_.lost();
    return true;
}

void CALLBACK Win32KeyboardWatch::winEventProc(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child,
                                               DWORD, DWORD) {
    if (active_ && window) active_->onFocusEvent(event, window, object, child);
}

void Win32KeyboardWatch::onFocusEvent(DWORD event, HWND window, LONG object, LONG child) {
    if (event == EVENT_OBJECT_STATECHANGE) {
        // Only the focused element's state counts.
        if (window != focusedWindow_ || object != focusedObject_ || child != focusedChild_) return;
    } else {
        focusedWindow_ = window;
        focusedObject_ = object;
        focusedChild_ = child;
    }
    askWhetherProtected(window, [=] { return accessibleIsProtected(window, object, child); });
}

void Win32KeyboardWatch::askWhetherProtected(HWND window, const std::function<bool()>& ask) {
    // Keys typed while the window's process answers are kept from the
    // listener: they may be the password's first.
    const unsigned question = ++focusQuestion_;
    protectedFocus_ = window;
    keptFromListener_ = false;
    const bool isProtected = ask();
    if (active_ != this || question != focusQuestion_) return;  // a later report answers
    protectedFocus_ = isProtected ? window : nullptr;
    // Nothing typed before a password field is joined to what follows it,
    // nor are the keys around those kept back.
    if ((isProtected || keptFromListener_) && listener_.lost) listener_.lost();
    keptFromListener_ = false;
}

LRESULT CALLBACK Win32KeyboardWatch::mouseProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && active_) active_->onMouse(wParam, *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool Win32KeyboardWatch::onKey(WPARAM message, const KBDLLHOOKSTRUCT& key) {
    const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    modifiers_.note(key, down);
    if (key.dwExtraInfo == OwnInputMarker) return false;
    // A message of the program (the typing failed) must take its keys.
    if (held_ && !ownInFront_) {
        INPUT event{};
        event.type = INPUT_KEYBOARD;
        event.ki.wVk = static_cast<WORD>(key.vkCode);
        event.ki.wScan = static_cast<WORD>(key.scanCode);
        event.ki.dwFlags = (down ? 0 : KEYEVENTF_KEYUP) | ((key.flags & LLKHF_EXTENDED) ? KEYEVENTF_EXTENDEDKEY : 0) |
                           (key.vkCode == VK_PACKET ? KEYEVENTF_UNICODE : 0);
        if (key.vkCode == VK_PACKET) event.ki.wVk = 0;
        heldEvents_.push_back(event);
        return true;
    }
    if (!down) return false;
    // Asked at every key: Wine reports no new foreground window (WinEvents)
    // when one already active behind others comes to the front.
    whereKeysGo();
    if (silent_) return false;
    if (protectedInFront()) {
        keptFromListener_ = true;
        return false;
    }
    const auto typed = typedKeyOf(key, down, modifiers_, translations_);
    if (!typed || !listener_.key) return false;
    return listener_.key(*typed, reinterpret_cast<WindowId>(lastForeground_));
}

void Win32KeyboardWatch::onMouse(WPARAM message, const MSLLHOOKSTRUCT& mouse) {
    if (mouse.dwExtraInfo == OwnInputMarker) return;
    switch (message) {
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_XBUTTONDOWN: case WM_MOUSEWHEEL:
            if (listener_.lost) listener_.lost();
            break;
        default: break;
    }
}

}  // namespace scrivlet
