#pragma once
#include "platform/ui/simple_controls.h"
#include "platform/win32/win32_control_peer.h"

namespace scrivlet {

class ScreenUnits;

// A line, a shape or an image: drawn by its container's window, as the form
// designer's windowless graphics are, so that it never hides the controls
// around it; they are drawn in the order they were created.
class Win32WindowlessPeer : public ui::ControlPeer {
public:
    Win32WindowlessPeer(Win32Ui& ui, ui::Control& control, HWND container);
    ~Win32WindowlessPeer() override;
    void update(ui::Change change) override;
    void paint(HDC dc);

private:
    RECT area();
    Win32Ui& ui_;
    ui::Control& control_;
    HWND container_;
    RECT painted_;
};

}  // namespace scrivlet
