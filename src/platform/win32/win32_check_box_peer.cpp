#include "platform/win32/win32_check_box_peer.h"

namespace scrivlet {

Win32CheckBoxPeer::Win32CheckBoxPeer(Win32Ui& ui, ui::CheckBox& box, HWND parent, int id)
    : Win32ControlPeer(ui, box, parent, id), box_(box) {
    createWindow(L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, box.caption());
    if (box.bold()) applyFont(true);
    SendMessageW(hwnd(), BM_SETCHECK, box.value() ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32CheckBoxPeer::command(WORD code) {
    if (code == BN_CLICKED) syncFromNative();
}

void Win32CheckBoxPeer::syncFromNative() {
    box_.setValue(SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
}

void Win32CheckBoxPeer::updateOwn(ui::Change change) {
    switch (change) {
        case ui::Change::Value:
            SendMessageW(hwnd(), BM_SETCHECK, box_.value() ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case ui::Change::Caption: setWindowText(hwnd(), box_.caption()); break;
        case ui::Change::Font: applyFont(box_.bold()); break;
        default: break;
    }
}

}  // namespace scrivlet
