#include "platform/win32/win32_combo_box_peer.h"

#include <algorithm>

#include "platform/win32/win32_text_box_peer.h"
#include "platform/win32/win32_ui.h"

namespace scrivlet {

Win32ComboBoxPeer::Win32ComboBoxPeer(Win32Ui& ui, ui::ComboBox& combo, HWND parent, int id)
    : Win32ControlPeer(ui, combo, parent, id), combo_(combo) {
    FlagScope quiet(updating_);
    createWindow(L"COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0, "");
    items_.show(hwnd(), combo.items());
    showText();
    // The edit field inside takes the focus and the clicks.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(hwnd(), &info)) subclassPart(info.hwndItem);
}

RECT Win32ComboBoxPeer::windowBounds() {
    // The window of a combo box includes its dropped-down list.
    RECT bounds = Win32ControlPeer::windowBounds();
    bounds.bottom += units().scale(160);
    return bounds;
}

void Win32ComboBoxPeer::showText() {
    if (windowText(hwnd()) == combo_.text()) return;
    FlagScope quiet(updating_);
    setWindowText(hwnd(), combo_.text());
}

void Win32ComboBoxPeer::command(WORD code) {
    if (updating_) return;
    switch (code) {
        case CBN_EDITCHANGE: combo_.reportText(windowText(hwnd())); break;
        case CBN_SELCHANGE: {
            // The field shows the chosen row only after this notification.
            const auto index = SendMessageW(hwnd(), CB_GETCURSEL, 0, 0);
            if (index < 0) break;
            const auto length = SendMessageW(hwnd(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
            if (length < 0) break;
            std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
            const auto copied =
                SendMessageW(hwnd(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
            text.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
            combo_.reportText(narrow(text));
            break;
        }
        case CBN_DROPDOWN: combo_.dropDown(); break;
        default: break;
    }
}

void Win32ComboBoxPeer::syncFromNative() {
    const std::string shown = windowText(hwnd());
    if (shown != combo_.text()) combo_.reportText(shown);
}

HBRUSH Win32ComboBoxPeer::controlColour(HDC dc) {
    if (usesDefaultFieldColours(combo_)) return nullptr;
    return Win32ControlPeer::controlColour(dc);
}

void Win32ComboBoxPeer::updateOwn(ui::Change change) {
    if (change == ui::Change::Items) {
        FlagScope quiet(updating_);
        items_.show(hwnd(), combo_.items());
        // Emptying the list empties the field too.
        showText();
    } else if (change == ui::Change::Text) {
        showText();
    }
}

}  // namespace scrivlet
