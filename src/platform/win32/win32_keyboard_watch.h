#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/keyboard_watch.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_key_translations.h"
#include "platform/win32/win32_message_window.h"

namespace scrivlet {

// The modifier keys as the hook's own record of every key has them: asking
// the system (GetAsyncKeyState, GetKeyState) costs a call to Wine's server
// each, some 6 to 70 µs, on every key.
struct HeldModifiers {
    bool leftShift = false, rightShift = false, leftCtrl = false, rightCtrl = false, leftAlt = false,
         rightAlt = false, win = false, capsLock = false;
    void note(const KBDLLHOOKSTRUCT& key, bool down);
    bool shift() const { return leftShift || rightShift; }
    bool ctrl() const { return leftCtrl || rightCtrl; }
    bool alt() const { return leftAlt || rightAlt; }
};

// What a key does, from the hook's record of it: nothing when the key only
// modifies others (Shift, Ctrl, Alt, the locks) or is let go. The character
// comes from the layout of the thread the key goes to, with the modifiers
// held; a dead key is not translated (translating it would use up the accent
// the user is composing) and reads as Other.
std::optional<TypedKey> typedKeyOf(const KBDLLHOOKSTRUCT& key, bool down, const HeldModifiers& held,
                                   KeyTranslations& translations);

// A standard edit control (or RichEdit, or a framework's edit) with the
// password style.
bool isPasswordField(HWND focus);

// The keyboard watch on low-level hooks (WH_KEYBOARD_LL, and WH_MOUSE_LL for
// clicks), installed on the program's thread, which the system calls back
// while it waits for messages. The callback does no file and no window work:
// per key it asks which window and control are in front (the password and
// own-window verdicts and the keyboard layout are kept until those change),
// follows the modifiers from the keys it sees, translates keys once per
// layout, and hands the key to the listener, which matches in memory.
//
// A password field without a window of its own (a browser's, a toolkit's)
// says so only to accessibility tools, through a call to its process, which
// the key hook cannot afford. So the watch also follows the focus through
// WinEvents on the same thread and asks there whether the focused element is
// protected; the key hook only compares the window it was asked for.
class Win32KeyboardWatch : public KeyboardWatch {
public:
    Win32KeyboardWatch();
    ~Win32KeyboardWatch() override;

    bool start(Listener listener) override;
    void stop() override;
    bool running() const override { return static_cast<bool>(keyboardHook_); }
    void later(std::function<void()> work) override;
    void hold() override { held_ = true; }
    void release() override;

    // For a benchmark: the time each call of the keyboard hook for a key
    // press took, in performance-counter ticks, appended while set.
    std::vector<LONGLONG>* callbackTicks = nullptr;

private:
    static LRESULT CALLBACK keyboardProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK mouseProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK winEventProc(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child,
                                      DWORD thread, DWORD time);
    // A new focus, or a new state of the focused element, reported.
    void onFocusEvent(DWORD event, HWND window, LONG object, LONG child);
    // Asks the window's process; meanwhile the hooks are called (asking
    // waits for messages), and its keys are not told.
    void askWhetherProtected(HWND window, const std::function<bool()>& ask);
    // The key goes to an element that said it is protected, or is being asked.
    bool protectedInFront() const { return protectedFocus_ && protectedFocus_ == lastFocus_; }
    // Looks up the window and control in front; true (and lost told) when
    // they changed since the last look.
    bool whereKeysGo();
    // True swallows the event.
    bool onKey(WPARAM message, const KBDLLHOOKSTRUCT& key);
    void onMouse(WPARAM message, const MSLLHOOKSTRUCT& mouse);
    void runLater();

    // The one watch whose hooks are installed (hooks have no context).
    static Win32KeyboardWatch* active_;

    Listener listener_;
    UniqueHhook keyboardHook_, mouseHook_;
    UniqueComInit com_;
    UniqueWinEventHook focusEvents_, stateEvents_;
    HeldModifiers modifiers_;
    std::unique_ptr<MessageWindow> window_;
    std::deque<std::function<void()>> later_;
    bool held_ = false;
    std::vector<INPUT> heldEvents_;
    // Where the last key went, and the verdict on it: a password field or a
    // window of the program itself hears nothing.
    HWND lastForeground_ = nullptr, lastFocus_ = nullptr;
    KeyTranslations translations_;
    bool silent_ = false, ownInFront_ = false;
    // The window whose focused element is protected, or is being asked about
    // now (keys typed meanwhile are not told), and which element that is.
    HWND protectedFocus_ = nullptr;
    HWND focusedWindow_ = nullptr;
    LONG focusedObject_ = 0, focusedChild_ = 0;
    // Counts the questions asked: asking waits for the other process, and the
    // hooks (another focus among them) are called meanwhile.
    unsigned focusQuestion_ = 0;
    bool keptFromListener_ = false;
};

}  // namespace scrivlet
