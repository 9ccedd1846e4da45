#pragma once
#include "platform/ui/simple_controls.h"
#include "platform/win32/win32_control_peer.h"

namespace scrivlet {

// A check box: the button toggles itself, and its new state becomes the
// control's value (which raises the control's click event).
class Win32CheckBoxPeer : public Win32ControlPeer {
public:
    Win32CheckBoxPeer(Win32Ui& ui, ui::CheckBox& box, HWND parent, int id);
    void command(WORD code) override;
    void syncFromNative() override;

private:
    void updateOwn(ui::Change change) override;
    ui::CheckBox& box_;
};

}  // namespace scrivlet
