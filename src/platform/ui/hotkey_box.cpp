#include "platform/ui/hotkey_box.h"

namespace scrivlet::ui {

namespace {
constexpr std::uint8_t Backspace = 0x08, Delete = 0x2E;
}

bool HotkeyBox::press(Hotkey pressed) {
    if (!enabled()) return false;
    Hotkey now = pressed;
    if (pressed.modifiers == 0 && (pressed.key == Backspace || pressed.key == Delete))
        now = {};
    else if (!usableAsHotkey(pressed))
        return false;
    if (now == value_) return false;
    setValue(now);
    if (onChange) onChange();
    return true;
}

}  // namespace scrivlet::ui
