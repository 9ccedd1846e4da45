#include "platform/win32/win32_button_peer.h"

#include "platform/win32/win32_ui.h"
#include "platform/win32/win32_units.h"

namespace scrivlet {

Win32ButtonPeer::Win32ButtonPeer(Win32Ui& ui, ui::Button& button, HWND parent, int id)
    : Win32ControlPeer(ui, button, parent, id), button_(button) {
    DWORD style = WS_TABSTOP;
    if (button.picture() != ui::Picture::None)
        style |= BS_OWNERDRAW;
    else
        style |= button.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    createWindow(L"BUTTON", style, 0, button.caption());
    if (button.bold()) applyFont(true);
}

void Win32ButtonPeer::command(WORD code) {
    if (code == BN_CLICKED) button_.click();
}

void Win32ButtonPeer::updateOwn(ui::Change change) {
    switch (change) {
        case ui::Change::Caption:
            setWindowText(hwnd(), button_.caption());
            InvalidateRect(hwnd(), nullptr, TRUE);
            break;
        case ui::Change::Font:
            applyFont(button_.bold());
            InvalidateRect(hwnd(), nullptr, TRUE);
            break;
        default: break;
    }
}

bool Win32ButtonPeer::drawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT frame = item.rcItem;
    const bool pressed = item.itemState & ODS_SELECTED;
    const bool disabled = item.itemState & ODS_DISABLED;
    DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    RECT face = frame;
    InflateRect(&face, -2, -2);
    if (button_.backColour() != ButtonFaceColour) {
        UniqueHbrush back(CreateSolidBrush(toColorRef(button_.backColour())));
        FillRect(dc, &face, back.get());
    }
    RECT content = face;
    InflateRect(&content, -2, -2);
    if (pressed) OffsetRect(&content, 1, 1);

    const ScreenUnits own = units();
    const int gap = own.scale(2);
    // Out of the DC again when the drawing ends, before the system takes it back.
    const UniqueSelection font = selectInto(dc, currentFont());
    RECT textArea{content.left, 0, content.right, 0};
    const std::wstring caption = wide(button_.caption());
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textArea,
              DT_CALCRECT | DT_CENTER | DT_WORDBREAK);
    const int textHeight = caption.empty() ? 0 : textArea.bottom - textArea.top;
    // The buttons were laid out for a smaller dialog font than today's
    // Windows uses: where picture and caption do not both fit, the picture
    // steps down to the next icon size, and the caption is never cut.
    const int room = content.bottom - content.top - (textHeight ? gap + textHeight : 0);
    int imageSize = own.scale(32);
    for (int size : {24, 20, 16})
        if (imageSize > room) imageSize = own.scale(size);
    const int total = imageSize + (textHeight ? gap + textHeight : 0);
    const int top = content.top + (content.bottom - content.top - total) / 2;
    const int left = content.left + (content.right - content.left - imageSize) / 2;
    if (HICON image = ui_.picture(button_.picture(), imageSize, disabled))
        DrawIconEx(dc, left, top, image, imageSize, imageSize, 0, nullptr, DI_NORMAL);
    if (textHeight) {
        RECT text{content.left, top + imageSize + gap, content.right, content.bottom};
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, disabled ? GetSysColor(COLOR_GRAYTEXT) : toColorRef(button_.foreColour()));
        // The access key is underlined unless the user works with the mouse
        // only, as on the system's own buttons.
        const UINT prefix = (item.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                  DT_CENTER | DT_WORDBREAK | prefix);
    }
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focus = face;
        InflateRect(&focus, -1, -1);
        DrawFocusRect(dc, &focus);
    }
    return true;
}

}  // namespace scrivlet
