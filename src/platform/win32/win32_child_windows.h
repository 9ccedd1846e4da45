#pragma once
#include <windows.h>

#include <optional>

#include "platform/ui/control.h"

namespace scrivlet {

class Win32Ui;

// Creates the peers of a container's controls as children of its window (the
// controls of frames and panels inside it too), and orders the windows for Tab
// by tabIndex. Ids count on from nextId.
void createChildPeers(Win32Ui& ui, ui::Container& container, HWND parent, int& nextId);
// Removes the peers of a container's controls, the innermost first.
void dropChildPeers(ui::Container& container);
// Reads every control below the container back from its window.
void syncChildPeers(ui::Container& container);
// The controls of a container that are drawn by its window (lines, shapes).
void paintWindowlessChildren(ui::Container& container, HDC dc);
// Hands a notification that a control's window sent to its parent to the
// control's peer (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR*); nothing
// when the message is of another kind or from another window.
std::optional<LRESULT> routeToChildPeer(UINT message, WPARAM wParam, LPARAM lParam);
// WM_NEXTDLGCTL for a window that is not a dialog but navigates like one:
// the focus goes to the given control, or to the next or previous tab stop,
// and a text field takes it with its text selected.
void moveDialogFocus(HWND dialog, WPARAM wParam, LPARAM lParam);

}  // namespace scrivlet
