#include "platform/win32/win32_option_button_peer.h"

#include "platform/win32/win32_units.h"

namespace scrivlet {

Win32OptionButtonPeer::Win32OptionButtonPeer(Win32Ui& ui, ui::OptionButton& option, HWND parent, int id)
    : Win32ControlPeer(ui, option, parent, id), option_(option) {
    createWindow(L"BUTTON", (option.barStyle ? BS_OWNERDRAW : BS_AUTORADIOBUTTON) | WS_TABSTOP, 0,
                 option.caption());
    if (option.bold()) applyFont(true);
    // Also gives only the chosen button of a group the tab stop.
    if (!option.barStyle) SendMessageW(hwnd(), BM_SETCHECK, option.value() ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Win32OptionButtonPeer::command(WORD code) {
    if (code != BN_CLICKED) return;
    if (option_.barStyle || SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED) option_.click();
}

void Win32OptionButtonPeer::syncFromNative() {
    if (option_.barStyle) return;  // the bar keeps no state of its own
    const bool checked = SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (checked != option_.value()) option_.setValue(checked);
}

void Win32OptionButtonPeer::updateOwn(ui::Change change) {
    switch (change) {
        case ui::Change::Value:
            if (option_.barStyle)
                InvalidateRect(hwnd(), nullptr, TRUE);
            else
                SendMessageW(hwnd(), BM_SETCHECK, option_.value() ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case ui::Change::Caption: setWindowText(hwnd(), option_.caption()); break;
        case ui::Change::Font: applyFont(option_.bold()); break;
        default: break;
    }
}

bool Win32OptionButtonPeer::drawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT bar = item.rcItem;
    UniqueHbrush fill(CreateSolidBrush(toColorRef(option_.backColour())));
    FillRect(dc, &bar, fill.get());
    if (option_.value()) {
        // Chosen: a dark frame with a light one inside, visible on any colour.
        FrameRect(dc, &bar, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        RECT inner = bar;
        InflateRect(&inner, -1, -1);
        FrameRect(dc, &inner, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    } else {
        FrameRect(dc, &bar, GetSysColorBrush(COLOR_BTNSHADOW));
    }
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focus = bar;
        InflateRect(&focus, -2, -2);
        DrawFocusRect(dc, &focus);
    }
    return true;
}

}  // namespace scrivlet
