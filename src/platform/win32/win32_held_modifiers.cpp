#include "platform/win32/win32_held_modifiers.h"

#include <algorithm>

#include "platform/win32/win32_keyboard_stream.h"

namespace scrivlet {

namespace {

constexpr DWORD PollMs = 10;

// Each side on its own, so that the release names the key that is down; the
// shared codes follow for a key pressed under its shared code alone.
constexpr WORD Modifiers[] = {VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU,
                              VK_LWIN,   VK_RWIN,   VK_SHIFT,    VK_CONTROL,  VK_MENU};

bool isDown(WORD key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

std::vector<WORD> heldModifiers() {
    std::vector<WORD> held;
    for (WORD key : Modifiers) {
        if (!isDown(key)) continue;
        // A shared code reads down whenever one side is; that side is released already.
        if ((key == VK_SHIFT && (isDown(VK_LSHIFT) || isDown(VK_RSHIFT))) ||
            (key == VK_CONTROL && (isDown(VK_LCONTROL) || isDown(VK_RCONTROL))) ||
            (key == VK_MENU && (isDown(VK_LMENU) || isDown(VK_RMENU))))
            continue;
        held.push_back(key);
    }
    return held;
}

}  // namespace

std::vector<INPUT> releaseOfHeldModifiers(DWORD waitMs) {
    const ULONGLONG deadline = GetTickCount64() + waitMs;
    std::vector<WORD> held = heldModifiers();
    while (!held.empty() && GetTickCount64() < deadline) {
        Sleep(PollMs);
        held = heldModifiers();
    }
    const bool releasesAltOrWin = std::any_of(held.begin(), held.end(), [](WORD key) {
        return key == VK_LMENU || key == VK_RMENU || key == VK_MENU || key == VK_LWIN || key == VK_RWIN;
    });
    std::vector<INPUT> events;
    if (releasesAltOrWin) {
        events.push_back(keyEvent(MenuMaskKey, false));
        events.push_back(keyEvent(MenuMaskKey, true));
    }
    for (WORD key : held) events.push_back(keyEvent(key, true));
    return events;
}

}  // namespace scrivlet
