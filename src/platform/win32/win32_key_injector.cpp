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

bool isCodePoint(char32_t character) { return character <= 0x10FFFF; }

WORD letterKey(char32_t key) {
    if (key == ' ') return VK_SPACE;
    if (key >= 'a' && key <= 'z') return static_cast<WORD>(key - 'a' + 'A');
    return static_cast<WORD>(key & 0xFF);
}

// A character goes in as its UTF-16 units, each pressed and released: a
// character beyond U+FFFF as its two surrogates, one after the other (the
// window puts them together from its two WM_CHARs); a lone surrogate, which a
// text may hold, as that one unit.
void typeCharacter(std::vector<INPUT>& events, char32_t character) {
    auto unit = [&events](wchar_t u) {
        events.push_back(characterEvent(u, false));
        events.push_back(characterEvent(u, true));
    };
    if (character > 0xFFFF) {
        unit(static_cast<wchar_t>(0xD800 + ((character - 0x10000) >> 10)));
        unit(static_cast<wchar_t>(0xDC00 + ((character - 0x10000) & 0x3FF)));
    } else {
        unit(static_cast<wchar_t>(character));
    }
}

void pressAndRelease(std::vector<INPUT>& events, WORD key) {
    events.push_back(keyEvent(key, false));
    events.push_back(keyEvent(key, true));
}

// The events of one step; nothing when the step holds no character.
std::optional<std::vector<INPUT>> stepEvents(const KeyStep& step) {
    std::vector<INPUT> events;
    switch (step.kind) {
        case KeyStep::Kind::Character:
            if (!isCodePoint(step.character)) return std::nullopt;
            typeCharacter(events, step.character);
            break;
        case KeyStep::Kind::Enter:
            pressAndRelease(events, VK_RETURN);
            break;
        case KeyStep::Kind::Tab:
            pressAndRelease(events, VK_TAB);
            break;
        case KeyStep::Kind::Backspace:
            pressAndRelease(events, VK_BACK);
            break;
        case KeyStep::Kind::AltKey:
            events.push_back(keyEvent(VK_MENU, false));
            pressAndRelease(events, letterKey(step.character));
            events.push_back(keyEvent(VK_MENU, true));
            break;
        case KeyStep::Kind::Key:
            pressAndRelease(events, letterKey(step.character));
            break;
        case KeyStep::Kind::CtrlKey:
            events.push_back(keyEvent(VK_CONTROL, false));
            pressAndRelease(events, letterKey(step.character));
            events.push_back(keyEvent(VK_CONTROL, true));
            break;
    }
    return events;
}

}  // namespace

KeyChunks::KeyChunks(const std::vector<KeyStep>& steps, std::size_t maxEvents) : steps_(steps), max_(maxEvents) {}

bool KeyChunks::typeable() const {
    return std::all_of(steps_.begin(), steps_.end(), [](const KeyStep& step) {
        return step.kind != KeyStep::Kind::Character || isCodePoint(step.character);
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
            DispatchMessageW(&msg);
        }
    }

private:
    static bool next(MSG& msg) {
        constexpr UINT Icon = NotificationArea::CallbackMessage;
        return PeekMessageW(&msg, nullptr, 0, Icon - 1, PM_REMOVE) ||
               PeekMessageW(&msg, nullptr, Icon + 1, std::numeric_limits<UINT>::max(), PM_REMOVE);
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
    // character two or four of them), so a long text costs no memory beyond
    // its steps.
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
