#include "platform/win32/win32_text_box_peer.h"

namespace scrivlet {

bool usesDefaultFieldColours(const ui::Control& control) {
    return control.backColour() == ButtonFaceColour || control.backColour() == WindowBackgroundColour;
}

Win32TextBoxPeer::Win32TextBoxPeer(Win32Ui& ui, ui::TextBox& box, HWND parent, int id)
    : Win32ControlPeer(ui, box, parent, id), box_(box) {
    FlagScope quiet(updating_);
    createWindow(L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP | (box.readOnly ? ES_READONLY : 0), WS_EX_CLIENTEDGE,
                 box.text());
}

void Win32TextBoxPeer::command(WORD code) {
    if (code == EN_CHANGE && !updating_) box_.reportText(windowText(hwnd()));
}

void Win32TextBoxPeer::syncFromNative() {
    const std::string shown = windowText(hwnd());
    if (shown != box_.text()) box_.reportText(shown);
}

HBRUSH Win32TextBoxPeer::controlColour(HDC dc) {
    // A read-only field keeps the system's grey either way.
    if (usesDefaultFieldColours(box_)) return nullptr;
    return Win32ControlPeer::controlColour(dc);
}

std::optional<LRESULT> Win32TextBoxPeer::subclassMessage(HWND window, UINT message, WPARAM wParam,
                                                         LPARAM lParam) {
    if (!box_.onKeyDown) return Win32ControlPeer::subclassMessage(window, message, wParam, lParam);
    switch (message) {
        case WM_GETDLGCODE: {
            LRESULT code = callOriginal(window, message, wParam, lParam);
            const auto* pending = reinterpret_cast<const MSG*>(lParam);
            if (pending && pending->message == WM_KEYDOWN &&
                (pending->wParam == VK_RETURN || pending->wParam == VK_ESCAPE))
                code |= DLGC_WANTMESSAGE;
            return code;
        }
        case WM_KEYDOWN: {
            swallowChar_ = false;
            ui::KeyEvent key{static_cast<int>(wParam), currentShiftMask(), false};
            const Lifetime::Watch alive = watchLifetime();
            if (box_.enabled()) box_.onKeyDown(key);
            if (!alive.alive()) return 0;
            if (!key.consumed) return std::nullopt;
            swallowChar_ = true;
            return 0;
        }
        case WM_CHAR:
            if (!swallowChar_) return std::nullopt;
            swallowChar_ = false;
            return 0;
        default: return Win32ControlPeer::subclassMessage(window, message, wParam, lParam);
    }
}

void Win32TextBoxPeer::updateOwn(ui::Change change) {
    if (change != ui::Change::Text) return;
    FlagScope quiet(updating_);
    setWindowText(hwnd(), box_.text());
}

}  // namespace scrivlet
