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
    // The control's key handler hears each key first; a key it consumed
    // leaves no character behind, and Enter and Esc, which a form's buttons
    // would take, come to the field when it has a handler.
    std::optional<LRESULT> subclassMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    void updateOwn(ui::Change change) override;
    ui::TextBox& box_;
    bool swallowChar_ = false;
};

// Text fields and lists keep the system's window colour while the control has
// the toolkit's default back colour (the button face of every control).
bool usesDefaultFieldColours(const ui::Control& control);

}  // namespace scrivlet
