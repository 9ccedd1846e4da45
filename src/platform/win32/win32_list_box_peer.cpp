#include "platform/win32/win32_list_box_peer.h"

#include "platform/win32/win32_text_box_peer.h"
#include "platform/win32/win32_ui.h"

namespace scrivlet {

Win32ListBoxPeer::Win32ListBoxPeer(Win32Ui& ui, ui::ListBox& list, HWND parent, int id)
    : Win32ControlPeer(ui, list, parent, id), list_(list) {
    // LBS_NOINTEGRALHEIGHT: the list keeps the height the form gives it.
    createWindow(L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, "");
    items_.show(hwnd(), list.items());
    showSelection();
}

HFONT Win32ListBoxPeer::currentFont() {
    if (list_.fontName.empty()) return Win32ControlPeer::currentFont();
    return ui_.font(list_.fontName, list_.fixedPitch, fontDpi());
}

void Win32ListBoxPeer::showSelection() {
    SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(list_.listIndex()), 0);
}

void Win32ListBoxPeer::command(WORD code) {
    if (code == LBN_SELCHANGE)
        syncFromNative();
    else if (code == LBN_DBLCLK)
        list_.doubleClick();
}

void Win32ListBoxPeer::syncFromNative() {
    list_.reportSelection(static_cast<int>(SendMessageW(hwnd(), LB_GETCURSEL, 0, 0)));
}

HBRUSH Win32ListBoxPeer::controlColour(HDC dc) {
    if (usesDefaultFieldColours(list_)) return nullptr;
    return Win32ControlPeer::controlColour(dc);
}

void Win32ListBoxPeer::updateOwn(ui::Change change) {
    if (change == ui::Change::Items) {
        items_.show(hwnd(), list_.items());
        showSelection();  // rows before it came or went
    } else if (change == ui::Change::Selection) {
        showSelection();
    }
}

}  // namespace scrivlet
