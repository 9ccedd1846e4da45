#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scrivlet {

// One step of typing: a character, the Enter, Tab or Backspace key, a key
// pressed with Alt held (the classic console's paste sequence "% BE": Alt+Space,
// B, E), or a letter pressed with Ctrl held (Windows Terminal's paste "^v").
// Backspace has no key string: only an abbreviation's erasing types it.
struct KeyStep {
    enum class Kind : unsigned char { Character, Enter, Tab, AltKey, Key, CtrlKey, Backspace };
    Kind kind = Kind::Character;
    char32_t character = 0;  // Character: the code point; AltKey/Key: ' ' or a letter; CtrlKey: a letter
    bool operator==(const KeyStep&) const = default;
};

// The ten characters with a meaning of their own in a key string; typed as
// themselves they are written in braces ("{+}").
constexpr std::string_view KeySpecialCharacters = "~+^%()[]{}";

constexpr bool isKeySpecialCharacter(char c) {
    return KeySpecialCharacters.find(c) != std::string_view::npos;
}

struct KeyStringError {
    std::size_t position = 0;
    std::string reason;
};

// Reads the key-string notation the program produces, and nothing else:
// ordinary characters (UTF-8), "{c}" for the ten special characters, "~" for Enter,
// "{TAB}" for Tab, "%" before a key for Alt, and "^" before a letter for
// Ctrl. Anything else is an error
// rather than a guess.
std::optional<std::vector<KeyStep>> parseKeyString(std::string_view keys, KeyStringError* error = nullptr);

}  // namespace scrivlet
