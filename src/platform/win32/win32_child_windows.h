#pragma once
#include <windows.h>

#include <optional>
#include <vector>

#include "platform/ui/control.h"

namespace scrivlet {

class Win32Ui;

// Creates the peers of a container's controls as children of its window (the
// controls of frames and panels inside it too). The windows lie one over the
// other in the order the controls were created, the first on top, as a form
// designer stacks them; Tab goes by tabIndex (tabStops). Ids count on from
// nextId.
void createChildPeers(Win32Ui& ui, ui::Container& container, HWND parent, int& nextId);
// Removes the peers of a container's controls, the innermost first.
void dropChildPeers(ui::Container& container);
// The form came to a monitor of another resolution: every control below the
// container goes to its twips in the new units, with the new fonts.
void refreshChildPeersForDpi(ui::Container& container);
// Reads every control below the container back from its window.
void syncChildPeers(ui::Container& container);
// The controls of a container that are drawn by its window (lines, shapes,
// images).
void paintWindowlessChildren(ui::Container& container, HDC dc);
// Hands a notification that a control's window sent to its parent to the
// control's peer (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR*); nothing
// when the message is of another kind or from another window.
std::optional<LRESULT> routeToChildPeer(UINT message, WPARAM wParam, LPARAM lParam);
// WM_NEXTDLGCTL for a window that is not a dialog but navigates like one:
// the focus goes to the given control, or to the next or previous tab stop,
// and a text field takes it with its text selected.
void moveDialogFocus(HWND dialog, WPARAM wParam, LPARAM lParam);

// The windows Tab stops at in a form, in the toolkit's order: a container's
// controls by tabIndex, the controls of a frame or panel in the frame's place.
// Only visible, enabled windows with a tab stop count.
std::vector<HWND> tabStops(ui::Container& form);
// The tab stop after (or before) the one that holds the window, round the
// end; the first (or last) when the window is none of them; null without any.
HWND nextTabStop(ui::Container& form, HWND from, bool backwards);
// Gives a window the focus as the dialog manager does: a text field with its
// text selected.
void focusLikeDialog(HWND window);

}  // namespace scrivlet
