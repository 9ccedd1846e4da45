#pragma once
#include "platform/ui/hotkey_box.h"
#include "platform/win32/win32_control_peer.h"

namespace scrivlet {

// A read-only EDIT that records the combination pressed in it and shows its
// name. Every key but Tab (with Shift or alone, which moves on) is the
// field's: Enter, Esc and Alt combinations reach no button or menu. Built
// on an edit field rather than the system's hotkey control, which knows no
// Windows key and takes no Enter.
class Win32HotkeyBoxPeer : public Win32ControlPeer {
public:
    Win32HotkeyBoxPeer(Win32Ui& ui, ui::HotkeyBox& box, HWND parent, int id);
    HBRUSH controlColour(HDC dc) override;

    // The modifiers held now, as the field records them.
    static std::uint8_t heldModifiers();

private:
    std::optional<LRESULT> subclassMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    void updateOwn(ui::Change change) override;
    ui::HotkeyBox& box_;
};

}  // namespace scrivlet
