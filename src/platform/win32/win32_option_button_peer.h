#pragma once
#include "platform/ui/simple_controls.h"
#include "platform/win32/win32_control_peer.h"

namespace scrivlet {

// An option button: a radio button of its container's group, or, in bar
// style, a thin bar in its back colour that is chosen by a click and drawn
// framed while chosen.
class Win32OptionButtonPeer : public Win32ControlPeer {
public:
    Win32OptionButtonPeer(Win32Ui& ui, ui::OptionButton& option, HWND parent, int id);
    void command(WORD code) override;
    bool drawItem(const DRAWITEMSTRUCT& item) override;
    void syncFromNative() override;

private:
    void updateOwn(ui::Change change) override;
    ui::OptionButton& option_;
};

}  // namespace scrivlet
