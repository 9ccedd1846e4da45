#pragma once
#include "platform/ui/list_box.h"
#include "platform/win32/win32_control_peer.h"
#include "platform/win32/win32_native_items.h"

namespace scrivlet {

// A LISTBOX showing the control's rows in the control's order.
class Win32ListBoxPeer : public Win32ControlPeer {
public:
    Win32ListBoxPeer(Win32Ui& ui, ui::ListBox& list, HWND parent, int id);
    void command(WORD code) override;
    HBRUSH controlColour(HDC dc) override;
    void syncFromNative() override;

private:
    HFONT currentFont() override;
    void updateOwn(ui::Change change) override;
    void showSelection();
    ui::ListBox& list_;
    NativeItems items_{NativeItems::Kind::ListBox};
};

}  // namespace scrivlet
