#pragma once
#include <string>

#include "platform/ui/list_view.h"
#include "platform/win32/win32_control_peer.h"

namespace scrivlet {

// A list view in owner-data mode (LVS_OWNERDATA), one column in report view
// without a header: the window holds only the number of rows and asks for
// the text of each row it draws (LVN_GETDISPINFOW), so that 10,000 rows cost
// what ten do. A screen reader reads it as any list.
class Win32ListViewPeer : public Win32ControlPeer {
public:
    Win32ListViewPeer(Win32Ui& ui, ui::ListView& list, HWND parent, int id);
    std::optional<LRESULT> notify(const NMHDR& header) override;
    HBRUSH controlColour(HDC) override { return nullptr; }
    void syncFromNative() override;

private:
    void updateOwn(ui::Change change) override;
    void showRows();
    void showSelection();
    // The column as wide as the list, and how many rows a page holds.
    void fitColumn();
    ui::ListView& list_;
};

}  // namespace scrivlet
