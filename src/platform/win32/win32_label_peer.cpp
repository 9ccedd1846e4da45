#include "platform/win32/win32_label_peer.h"

namespace scrivlet {

namespace {
DWORD alignmentStyle(ui::Alignment alignment) {
    switch (alignment) {
        case ui::Alignment::Centre: return SS_CENTER;
        case ui::Alignment::Right: return SS_RIGHT;
        case ui::Alignment::Left: break;
    }
    return SS_LEFT;
}
}  // namespace

Win32LabelPeer::Win32LabelPeer(Win32Ui& ui, ui::Label& label, HWND parent, int id)
    : Win32ControlPeer(ui, label, parent, id), label_(label) {
    // SS_NOTIFY: without it the static window lets mouse presses through to
    // its parent, and the label would never hear of them.
    createWindow(L"STATIC", alignmentStyle(label.alignment) | SS_NOTIFY | (label.border ? SS_SUNKEN : 0), 0,
                 label.caption());
    if (label.bold()) applyFont(true);
}

void Win32LabelPeer::updateOwn(ui::Change change) {
    if (change == ui::Change::Caption) setWindowText(hwnd(), label_.caption());
    if (change == ui::Change::Font) applyFont(label_.bold());
}

}  // namespace scrivlet
