#pragma once
#include "platform/ui/simple_controls.h"
#include "platform/win32/win32_control_peer.h"

namespace scrivlet {

// A single-line EDIT window; the user's typing reaches the control as text.
class Win32TextBoxPeer : public Win32ControlPeer {
public:
    Win32TextBoxPeer(Win32Ui& ui, ui::TextBox& box, HWND parent, int id);
    void command(WORD code) override;
    HBRUSH controlColour(HDC dc) override;
    void syncFromNative() override;

private:
    void updateOwn(ui::Change change) override;
    ui::TextBox& box_;
};

// Text fields and lists keep the system's window colour while the control has
// the toolkit's default back colour (the button face of every control).
bool usesDefaultFieldColours(const ui::Control& control);

}  // namespace scrivlet
