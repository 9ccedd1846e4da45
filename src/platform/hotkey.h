#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace scrivlet {

// A key combination that works from every program: a virtual-key code and
// the modifiers held with it. Stored as one word, the key in the low byte and
// the modifiers in the high one (the layout of the system's hotkey control,
// with the Windows key in the bit it leaves free).
struct Hotkey {
    enum Modifier : std::uint8_t { Shift = 1, Ctrl = 2, Alt = 4, Win = 8 };
    std::uint8_t key = 0;  // 0: no hotkey
    std::uint8_t modifiers = 0;

    bool none() const { return key == 0; }
    std::uint16_t word() const { return static_cast<std::uint16_t>(modifiers << 8 | key); }
    static Hotkey fromWord(long long word);
    bool operator==(const Hotkey&) const = default;
};

// Win+Umschalt+Eingabe: no Ctrl+Alt combination, which a German keyboard
// types as AltGr, and a key no common program takes for itself.
constexpr Hotkey DefaultPickerHotkey{0x0D, Hotkey::Win | Hotkey::Shift};

// The combination as a German keyboard names it ("Win+Umschalt+Eingabe",
// "Strg+Alt+F5"); "Keine" for none.
std::string hotkeyName(Hotkey hotkey);

// Whether a combination pressed in the hotkey field can be a hotkey: a key
// that is no modifier itself, held with Ctrl, Alt or Win unless it is a
// function key (a letter alone or with Shift would no longer type anywhere).
bool usableAsHotkey(Hotkey hotkey);

// A global hotkey of the program. The program holds at most one; a press of
// it, wherever the user is, raises onPressed on the program's thread.
class HotkeyService {
public:
    virtual ~HotkeyService() = default;
    // Takes the combination for the program, giving up the one held before;
    // false when another program holds it (nothing is held then). None
    // releases the one held.
    virtual bool hold(Hotkey hotkey) = 0;
    std::function<void()> onPressed;
};

}  // namespace scrivlet
