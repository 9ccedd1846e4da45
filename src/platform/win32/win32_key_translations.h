#pragma once
#include <windows.h>

#include <array>
#include <cstdint>

#include "platform/keyboard_watch.h"

namespace scrivlet {

// The characters the keys of one keyboard layout type, each asked of the
// system once: under Wine every ToUnicodeEx is a call to the display driver,
// some 100 µs, and what a key types depends only on the layout, the key and
// Shift, Caps Lock and AltGr. A dead key reads as Other and is never
// translated, so no accent is pending on this thread to change the answer.
class KeyTranslations {
public:
    // Forgets what the keys typed when the layout is another one; true then.
    bool useLayout(HKL layout);
    TypedKey translate(const KBDLLHOOKSTRUCT& key, bool shift, bool capsLock, bool altGr);
    // Asks what the keys of text type, alone and with Shift, ahead of the
    // keys themselves: outside the hook, so that no first press of a letter
    // waits for the display driver inside it.
    void learnTypingKeys();

private:
    std::uint32_t ask(const KBDLLHOOKSTRUCT& key, bool shift, bool capsLock, bool altGr) const;

    HKL layout_ = nullptr;
    // Per key and modifiers: 0 not asked yet, 1 types no character, else the
    // character plus 2.
    std::array<std::uint32_t, 256 * 8> known_{};
};

}  // namespace scrivlet
