#pragma once
#include "platform/ui/simple_controls.h"
#include "platform/win32/win32_control_peer.h"

namespace scrivlet {

// A label: a STATIC window that wraps its words and underlines its access key.
class Win32LabelPeer : public Win32ControlPeer {
public:
    Win32LabelPeer(Win32Ui& ui, ui::Label& label, HWND parent, int id);

private:
    void updateOwn(ui::Change change) override;
    ui::Label& label_;
};

}  // namespace scrivlet
