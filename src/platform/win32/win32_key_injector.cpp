#include "platform/win32/win32_key_injector.h"

#include <algorithm>
#include <limits>
#include <optional>

#include "platform/notification_area.h"
#include "platform/win32/win32_attached_input.h"
#include "platform/win32/win32_foreground_thread.h"
#include "platform/win32/win32_held_modifiers.h"
#include "platform/win32/win32_keyboard_stream.h"

namespace scrivlet {

namespace {

// Events per SendInput call: small enough that a stopped target is noticed
// after a fraction of a second of typing, large enough that the wait after each
// chunk costs little.
constexpr std::size_t ChunkEvents = 64;
constexpr DWORD PollMs = 5;
constexpr UINT WindowsLatin1 = 1252;

std::optional<wchar_t> toUnicode(char character) {
    wchar_t wide = 0;
    if (MultiByteToWideChar(WindowsLatin1, 0, &character, 1, &wide, 1) != 1) return std::nullopt;
    return wide;
}

WORD letterKey(char key) {
    if (key == ' ') return VK_SPACE;
    if (key >= 'a' && key <= 'z') return static_cast<WORD>(key - 'a' + 'A');
    return static_cast<WORD>(static_cast<unsigned char>(key));
}

void pressAndRelease(std::vector<INPUT>& events, WORD key) {
    events.push_back(keyEvent(key, false));
    events.push_back(keyEvent(key, true));
}

// The events of one step; nothing when a character has no Unicode form.
std::optional<std::vector<INPUT>> stepEvents(const KeyStep& step) {
    std::vector<INPUT> events;
    switch (step.kind) {
        case KeyStep::Kind::Character: {
            const auto wide = toUnicode(step.character);
            if (!wide) return std::nullopt;
            events.push_back(characterEvent(*wide, false));
            events.push_back(characterEvent(*wide, true));
            break;
        }
        case KeyStep::Kind::Enter:
            pressAndRelease(events, VK_RETURN);
            break;
        case KeyStep::Kind::Tab:
            pressAndRelease(events, VK_TAB);
            break;
        case KeyStep::Kind::AltKey:
            events.push_back(keyEvent(VK_MENU, false));
            pressAndRelease(events, letterKey(step.character));
            events.push_back(keyEvent(VK_MENU, true));
            break;
        case KeyStep::Kind::Key:
            pressAndRelease(events, letterKey(step.character));
            break;
    }
    return events;
}

}  // namespace

KeyChunks::KeyChunks(const std::vector<KeyStep>& steps, std::size_t maxEvents) : steps_(steps), max_(maxEvents) {}

bool KeyChunks::typeable() const {
    return std::all_of(steps_.begin(), steps_.end(), [](const KeyStep& step) {
        return step.kind != KeyStep::Kind::Character || toUnicode(step.character);
    });
}

bool KeyChunks::next(std::vector<INPUT>& chunk) {
    chunk.clear();
    for (; next_ < steps_.size(); ++next_) {
        const auto events = stepEvents(steps_[next_]);
        if (!events) continue;  // typeable() tells beforehand
        if (!chunk.empty() && chunk.size() + events->size() > max_) break;
        chunk.insert(chunk.end(), events->begin(), events->end());
    }
    return !chunk.empty();
}

namespace {

// This thread's own windows keep working while it waits (and a target of this
// thread only takes its keys here). A WM_QUIT is left for the message loop,
// and so are the notification icon's messages: the program takes a click
// there once the text is typed. The user sees the text arrive before the
// typing has seen its last key taken, and a click made then must not be lost
// to a program that was still typing when it read it.
class MessagePump {
public:
    void run() {
        MSG msg;
        while (!quit_ && next(msg)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                quit_ = true;
                break;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

private:
    static bool next(MSG& msg) {
        constexpr UINT Icon = NotificationArea::CallbackMessage;
        return PeekMessageA(&msg, nullptr, 0, Icon - 1, PM_REMOVE) ||
               PeekMessageA(&msg, nullptr, Icon + 1, std::numeric_limits<UINT>::max(), PM_REMOVE);
    }

    bool quit_ = false;
};

// Waits until the sentinel reads down (or up) in the shared input state, which
// happens when the target takes that event from its queue; false when that
// does not happen within timeoutMs.
bool waitForSentinel(bool down, DWORD timeoutMs, MessagePump& pump) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        pump.run();
        if (((GetKeyState(Win32KeyInjector::SentinelKey) & 0x8000) != 0) == down) return true;
        if (GetTickCount64() >= deadline) return false;
        // Woken by what arrives after the last look only: a waiting icon
        // message would otherwise end every wait at once.
        MsgWaitForMultipleObjectsEx(0, nullptr, PollMs, QS_ALLINPUT, 0);
    }
}

}  // namespace

TypingResult Win32KeyInjector::type(WindowId target, const std::vector<KeyStep>& steps) {
    const HWND hwnd = reinterpret_cast<HWND>(target);
    const DWORD targetThread = target ? GetWindowThreadProcessId(hwnd, nullptr) : 0;
    if (targetThread == 0) return TypingResult::NotProcessed;
    if (steps.empty()) return TypingResult::Typed;
    // Only one chunk of events exists at a time (an event is 40 bytes, a
    // character two of them), so a long text costs no memory beyond its steps.
    KeyChunks chunks(steps, ChunkEvents);
    if (!chunks.typeable()) return TypingResult::NotProcessed;
    std::vector<INPUT> chunk;
    chunk.reserve(ChunkEvents + 16);
    chunks.next(chunk);

    // The release of held modifiers goes ahead of the first key and is
    // confirmed with it.
    const std::vector<INPUT> release = releaseOfHeldModifiers(timing_.heldModifierWaitMs);
    chunk.insert(chunk.begin(), release.begin(), release.end());

    KeyboardStream stream;
    MessagePump pump;
    const INPUT sentinelDown = keyEvent(SentinelKey, false), sentinelUp = keyEvent(SentinelKey, true);
    do {
        if (foregroundThread() != targetThread) return TypingResult::NotProcessed;
        AttachedInput attached(GetCurrentThreadId(), targetThread);
        if (!attached.shared()) return TypingResult::NotProcessed;
        chunk.push_back(sentinelDown);
        if (!stream.send(chunk) || !waitForSentinel(true, timing_.chunkTimeoutMs, pump) ||
            !stream.send({&sentinelUp, 1}) || !waitForSentinel(false, timing_.chunkTimeoutMs, pump))
            return TypingResult::NotProcessed;
    } while (chunks.next(chunk));
    return TypingResult::Typed;
}

}  // namespace scrivlet
