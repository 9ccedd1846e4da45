#pragma once
#include <windows.h>

#include <span>
#include <vector>

namespace scrivlet {

// What the program's own keyboard events carry in dwExtraInfo, which reaches
// low-level hooks unchanged: the program's keyboard watch passes them by,
// while keys of on-screen keyboards and remote sessions, injected as well,
// are the user's.
constexpr ULONG_PTR OwnInputMarker = 0x53435256;  // "SCRV"

// Keyboard events for SendInput, marked as the program's own. Characters go
// in as Unicode (VK_PACKET), so neither the keyboard layout nor AltGr or dead
// keys can change them; keys go in as virtual keys with their scan codes.
INPUT keyEvent(WORD virtualKey, bool up);
INPUT characterEvent(wchar_t character, bool up);

// Sends keyboard events in order and remembers the keys they leave pressed:
// whatever happens on the way, the stream lets go of every one of them when it
// is released or destroyed, so no key stays down.
class KeyboardStream {
public:
    KeyboardStream() = default;
    ~KeyboardStream() { releaseAll(); }
    KeyboardStream(const KeyboardStream&) = delete;
    KeyboardStream& operator=(const KeyboardStream&) = delete;

    // True when the system took every event; what SendInput did not insert is
    // sent again, in order, a few times before it gives up.
    bool send(std::span<const INPUT> events);
    void releaseAll();

private:
    void track(const INPUT& event);
    std::vector<INPUT> pressed_;  // the down events still without their up
};

}  // namespace scrivlet
