#include "platform/win32/win32_keyboard_stream.h"

#include <algorithm>

namespace scrivlet {

namespace {

// SendInput inserts fewer events than asked (or none) while another thread
// blocks input; that lasts moments, so a few short retries see it through.
constexpr int SendAttempts = 20;
constexpr DWORD RetryPauseMs = 10;

bool isExtendedKey(WORD virtualKey) {
    switch (virtualKey) {
        // The right Shift is no extended key on a keyboard, but Wine turns an
        // injected Shift without the flag into the left one (server/queue.c,
        // queue_keyboard_message); Windows goes by the virtual key given.
        case VK_RSHIFT:
        case VK_RCONTROL: case VK_RMENU: case VK_LWIN: case VK_RWIN: case VK_APPS:
        case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
            return true;
        default:
            return false;
    }
}

bool sameKey(const INPUT& a, const INPUT& b) {
    const bool unicodeA = a.ki.dwFlags & KEYEVENTF_UNICODE, unicodeB = b.ki.dwFlags & KEYEVENTF_UNICODE;
    if (unicodeA != unicodeB) return false;
    return unicodeA ? a.ki.wScan == b.ki.wScan : a.ki.wVk == b.ki.wVk;
}

}  // namespace

INPUT keyEvent(WORD virtualKey, bool up) {
    INPUT event{};
    event.type = INPUT_KEYBOARD;
    event.ki.wVk = virtualKey;
    event.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    event.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (isExtendedKey(virtualKey) ? KEYEVENTF_EXTENDEDKEY : 0);
    event.ki.dwExtraInfo = OwnInputMarker;
    return event;
}

INPUT characterEvent(wchar_t character, bool up) {
    INPUT event{};
    event.type = INPUT_KEYBOARD;
    event.ki.wScan = static_cast<WORD>(character);
    event.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    event.ki.dwExtraInfo = OwnInputMarker;
    return event;
}

bool KeyboardStream::send(std::span<const INPUT> events) {
    int failures = 0;
    while (!events.empty()) {
        // SendInput takes a non-const array but does not write to it.
        const UINT inserted = SendInput(static_cast<UINT>(events.size()), const_cast<INPUT*>(events.data()),
                                        sizeof(INPUT));
        for (UINT i = 0; i < inserted && i < events.size(); ++i) track(events[i]);
        if (inserted >= events.size()) return true;
        events = events.subspan(inserted);
        if (inserted == 0 && ++failures >= SendAttempts) return false;
        if (inserted == 0) Sleep(RetryPauseMs);
    }
    return true;
}

void KeyboardStream::track(const INPUT& event) {
    auto held = std::find_if(pressed_.begin(), pressed_.end(), [&](const INPUT& p) { return sameKey(p, event); });
    if (event.ki.dwFlags & KEYEVENTF_KEYUP) {
        if (held != pressed_.end()) pressed_.erase(held);
    } else if (held == pressed_.end()) {
        pressed_.push_back(event);
    }
}

void KeyboardStream::releaseAll() {
    // Latest first, as a hand lets go of a chord.
    std::vector<INPUT> ups;
    for (auto it = pressed_.rbegin(); it != pressed_.rend(); ++it) {
        INPUT up = *it;
        up.ki.dwFlags |= KEYEVENTF_KEYUP;
        ups.push_back(up);
    }
    pressed_.clear();
    if (ups.empty()) return;
    // Whatever this cannot send stays pressed, and nothing more can be done
    // about it here.
    for (int attempt = 0; attempt < SendAttempts && !ups.empty(); ++attempt) {
        const UINT inserted = SendInput(static_cast<UINT>(ups.size()), ups.data(), sizeof(INPUT));
        ups.erase(ups.begin(), ups.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(inserted, ups.size())));
        if (!ups.empty()) Sleep(RetryPauseMs);
    }
}

}  // namespace scrivlet
