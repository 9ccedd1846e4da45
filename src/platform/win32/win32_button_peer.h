#pragma once
#include "platform/ui/simple_controls.h"
#include "platform/win32/win32_control_peer.h"

namespace scrivlet {

// A push button. A picture button draws itself: its image above the caption,
// pressed, focused and disabled as the system draws its own buttons.
class Win32ButtonPeer : public Win32ControlPeer {
public:
    Win32ButtonPeer(Win32Ui& ui, ui::Button& button, HWND parent, int id);
    void command(WORD code) override;
    bool drawItem(const DRAWITEMSTRUCT& item) override;
    ui::Button& button() { return button_; }

private:
    void updateOwn(ui::Change change) override;
    ui::Button& button_;
};

}  // namespace scrivlet
