#include "platform/win32/win32_key_translations.h"

#include <vector>

namespace scrivlet {

namespace {

// ToUnicodeEx leaves the keyboard's state (a dead key begun) as it is
// (Windows 10 1607 and later; older systems ignore the flag).
constexpr UINT KeepKeyboardState = 0x4;
constexpr std::uint32_t NotAsked = 0, NoCharacter = 1, CharacterOffset = 2;

}  // namespace

bool KeyTranslations::useLayout(HKL layout) {
    if (layout == layout_) return false;
    layout_ = layout;
    known_.fill(NotAsked);
    return true;
}

void KeyTranslations::learnTypingKeys() {
    // The blank, digits, letters, the keypad's, and the punctuation keys of
    // every layout (VK_OEM_1 to VK_OEM_3, VK_OEM_4 to VK_OEM_8, VK_OEM_102).
    std::vector<DWORD> keys{VK_SPACE, 0xE2};
    for (DWORD vk = '0'; vk <= '9'; ++vk) keys.push_back(vk);
    for (DWORD vk = 'A'; vk <= 'Z'; ++vk) keys.push_back(vk);
    for (DWORD vk = VK_NUMPAD0; vk <= VK_DIVIDE; ++vk) keys.push_back(vk);
    for (DWORD vk = 0xBA; vk <= 0xC0; ++vk) keys.push_back(vk);
    for (DWORD vk = 0xDB; vk <= 0xDF; ++vk) keys.push_back(vk);
    for (DWORD vk : keys) {
        KBDLLHOOKSTRUCT key{};
        key.vkCode = vk;
        key.scanCode = MapVirtualKeyExW(vk, MAPVK_VK_TO_VSC, layout_);
        for (bool shift : {false, true}) translate(key, shift, false, false);
    }
}

TypedKey KeyTranslations::translate(const KBDLLHOOKSTRUCT& key, bool shift, bool capsLock, bool altGr) {
    std::uint32_t& known = known_[(key.vkCode & 0xFF) * 8 + (shift ? 1 : 0) + (capsLock ? 2 : 0) + (altGr ? 4 : 0)];
    if (known == NotAsked) known = ask(key, shift, capsLock, altGr);
    if (known == NoCharacter) return TypedKey{TypedKey::Kind::Other, 0};
    return TypedKey{TypedKey::Kind::Character, static_cast<char32_t>(known - CharacterOffset)};
}

std::uint32_t KeyTranslations::ask(const KBDLLHOOKSTRUCT& key, bool shift, bool capsLock, bool altGr) const {
    if (MapVirtualKeyExW(key.vkCode, MAPVK_VK_TO_CHAR, layout_) & 0x80000000u) return NoCharacter;
    BYTE state[256] = {};
    if (shift) state[VK_SHIFT] = 0x80;
    if (capsLock) state[VK_CAPITAL] = 0x01;
    if (altGr) state[VK_CONTROL] = state[VK_MENU] = 0x80;
    wchar_t typed[4] = {};
    const int count = ToUnicodeEx(key.vkCode, key.scanCode, state, typed, 4, KeepKeyboardState, layout_);
    if (count != 1 || typed[0] < 0x20 || (typed[0] >= 0xD800 && typed[0] <= 0xDFFF)) return NoCharacter;
    return static_cast<std::uint32_t>(typed[0]) + CharacterOffset;
}

}  // namespace scrivlet
