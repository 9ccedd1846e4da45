#pragma once
#include "platform/ui/list_box.h"
#include "platform/win32/win32_control_peer.h"
#include "platform/win32/win32_native_items.h"

namespace scrivlet {

// A drop-down COMBOBOX with an editable field.
class Win32ComboBoxPeer : public Win32ControlPeer {
public:
    Win32ComboBoxPeer(Win32Ui& ui, ui::ComboBox& combo, HWND parent, int id);
    void command(WORD code) override;
    HBRUSH controlColour(HDC dc) override;
    void syncFromNative() override;

private:
    RECT windowBounds() override;
    void updateOwn(ui::Change change) override;
    void showText();
    ui::ComboBox& combo_;
    NativeItems items_{NativeItems::Kind::ComboBox};
};

}  // namespace scrivlet
