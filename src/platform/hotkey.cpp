#include "platform/hotkey.h"

#include <array>
#include <utility>

namespace scrivlet {

Hotkey Hotkey::fromWord(long long word) {
    if (word <= 0 || word > 0xFFFF) return {};
    const auto key = static_cast<std::uint8_t>(word & 0xFF);
    const auto modifiers = static_cast<std::uint8_t>((word >> 8) & (Shift | Ctrl | Alt | Win));
    return key == 0 ? Hotkey{} : Hotkey{key, modifiers};
}

namespace {

// Appended, not summed: GCC 12 takes the sum of a literal and a temporary
// string for an overlapping copy and warns.
std::string joined(const char* head, int number) {
    std::string text = head;
    text += std::to_string(number);
    return text;
}

// The keys' names on German keyboards and in German Windows.
std::string keyName(std::uint8_t key) {
    static constexpr std::array<std::pair<std::uint8_t, const char*>, 24> named{{
        {0x08, "Rücktaste"}, {0x09, "Tab"},      {0x0D, "Eingabe"},     {0x13, "Pause"},
        {0x1B, "Esc"},       {0x20, "Leertaste"}, {0x21, "Bild auf"},   {0x22, "Bild ab"},
        {0x23, "Ende"},      {0x24, "Pos1"},     {0x25, "Nach-links"},  {0x26, "Nach-oben"},
        {0x27, "Nach-rechts"}, {0x28, "Nach-unten"}, {0x2C, "Druck"},   {0x2D, "Einfg"},
        {0x2E, "Entf"},      {0x6A, "Num *"},    {0x6B, "Num +"},       {0x6D, "Num -"},
        {0x6E, "Num ,"},     {0x6F, "Num /"},    {0x90, "Num"},         {0x91, "Rollen"},
    }};
    for (const auto& [code, name] : named)
        if (code == key) return name;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
    if (key >= 0x60 && key <= 0x69) return joined("Num ", key - 0x60);
    if (key >= 0x70 && key <= 0x87) return joined("F", key - 0x70 + 1);
    switch (key) {
        case 0xBA: return "Ü";
        case 0xBB: return "+";
        case 0xBC: return ",";
        case 0xBD: return "-";
        case 0xBE: return ".";
        case 0xBF: return "#";
        case 0xC0: return "Ö";
        case 0xDB: return "ß";
        case 0xDC: return "^";
        case 0xDD: return "´";
        case 0xDE: return "Ä";
        case 0xE2: return "<";
        default: break;
    }
    return joined("Taste ", key);
}

bool isModifierKey(std::uint8_t key) {
    return key == 0x10 || key == 0x11 || key == 0x12 || (key >= 0xA0 && key <= 0xA5) || key == 0x5B || key == 0x5C;
}

bool isFunctionKey(std::uint8_t key) { return key >= 0x70 && key <= 0x87; }

}  // namespace

std::string hotkeyName(Hotkey hotkey) {
    if (hotkey.none()) return "Keine";
    std::string name;
    // The order German Windows writes them in.
    if (hotkey.modifiers & Hotkey::Win) name += "Win+";
    if (hotkey.modifiers & Hotkey::Ctrl) name += "Strg+";
    if (hotkey.modifiers & Hotkey::Alt) name += "Alt+";
    if (hotkey.modifiers & Hotkey::Shift) name += "Umschalt+";
    name += keyName(hotkey.key);
    return name;
}

bool usableAsHotkey(Hotkey hotkey) {
    if (hotkey.none() || isModifierKey(hotkey.key)) return false;
    return (hotkey.modifiers & ~Hotkey::Shift) != 0 || isFunctionKey(hotkey.key);
}

}  // namespace scrivlet
