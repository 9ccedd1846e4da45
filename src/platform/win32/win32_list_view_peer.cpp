#include "platform/win32/win32_list_view_peer.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/win32_ui.h"

namespace scrivlet {

Win32ListViewPeer::Win32ListViewPeer(Win32Ui& ui, ui::ListView& list, HWND parent, int id)
    : Win32ControlPeer(ui, list, parent, id), list_(list) {
    FlagScope quiet(updating_);
    createWindow(WC_LISTVIEWW,
                 LVS_REPORT | LVS_OWNERDATA | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
                 WS_EX_CLIENTEDGE, "");
    if (!hwnd()) return;
    SendMessageW(hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    SendMessageW(hwnd(), LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    fitColumn();
    showRows();
    showSelection();
}

void Win32ListViewPeer::fitColumn() {
    RECT client{};
    GetClientRect(hwnd(), &client);
    // Room for the scroll bar, which comes and goes with the number of rows.
    const int width = std::max<int>(client.right - client.left - GetSystemMetrics(SM_CXVSCROLL), 20);
    SendMessageW(hwnd(), LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(width, 0));
    list_.reportPageRows(static_cast<int>(SendMessageW(hwnd(), LVM_GETCOUNTPERPAGE, 0, 0)));
}

void Win32ListViewPeer::showRows() {
    FlagScope quiet(updating_);
    // The list keeps no texts: the count is all it needs, and every row is
    // asked for anew when it is drawn.
    SendMessageW(hwnd(), LVM_SETITEMCOUNT, static_cast<WPARAM>(list_.rowCount()), 0);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void Win32ListViewPeer::showSelection() {
    FlagScope quiet(updating_);
    const int index = list_.listIndex();
    if (index < 0) {
        // Only the rows that have the state lose it: a change of "every row"
        // (-1) goes through all of them, 10,000 calls for a long list.
        for (const UINT which : {UINT{LVNI_SELECTED}, UINT{LVNI_FOCUSED}}) {
            const LRESULT row = SendMessageW(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), static_cast<LPARAM>(which));
            if (row < 0) continue;
            LVITEMW none{};
            none.stateMask = which == LVNI_SELECTED ? LVIS_SELECTED : LVIS_FOCUSED;
            SendMessageW(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&none));
        }
        if (list_.rowCount() > 0) SendMessageW(hwnd(), LVM_ENSUREVISIBLE, 0, FALSE);
        return;
    }
    LVITEMW selected{};
    selected.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    selected.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&selected));
    SendMessageW(hwnd(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}

std::optional<LRESULT> Win32ListViewPeer::notify(const NMHDR& header) {
    switch (header.code) {
        case LVN_GETDISPINFOW: {
            auto& info = const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header));
            if ((info.item.mask & LVIF_TEXT) && info.item.pszText && info.item.cchTextMax > 0) {
                const std::wstring text = wide(list_.text(info.item.iItem));
                const std::size_t length = std::min(text.size(), static_cast<std::size_t>(info.item.cchTextMax - 1));
                std::copy_n(text.data(), length, info.item.pszText);
                info.item.pszText[length] = L'\0';
            }
            return 0;
        }
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            if (updating_ || !(change.uChanged & LVIF_STATE)) return 0;
            // A move comes as the old row's loss and the new row's gain: the
            // gain is the user's selection, reported once.
            if ((change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED))
                list_.reportSelection(change.iItem);
            return 0;
        }
        case NM_DBLCLK: {
            // The row under the mouse is the selected one by now.
            syncFromNative();
            list_.doubleClick();
            return 0;
        }
        default: return std::nullopt;
    }
}

void Win32ListViewPeer::syncFromNative() {
    const auto selected = static_cast<int>(SendMessageW(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    list_.reportSelection(selected);
}

void Win32ListViewPeer::updateOwn(ui::Change change) {
    switch (change) {
        case ui::Change::Items:
            showRows();
            showSelection();
            break;
        case ui::Change::Selection: showSelection(); break;
        case ui::Change::Geometry: fitColumn(); break;
        default: break;
    }
}

}  // namespace scrivlet
