#pragma once
#include "platform/ui/control.h"
#include "platform/win32/win32_control_peer.h"

namespace scrivlet {

// A frame or a borderless panel: a window of its own that holds the windows of
// its controls. The notifications of those controls arrive here and go to
// their peers just as they would at the form. A frame draws its etched border
// with the caption in it.
class Win32ContainerPeer : public Win32ControlPeer {
public:
    Win32ContainerPeer(Win32Ui& ui, ui::Container& container, HWND parent, int id);
    static constexpr const wchar_t* ClassName = L"ScrivletContainer";

private:
    std::optional<LRESULT> subclassMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    void updateOwn(ui::Change change) override;
    void paint(HDC dc);
    ui::Container& container_;
};

}  // namespace scrivlet
