#pragma once
#include <windows.h>

namespace scrivlet {

// Whether an object that a WinEvent names (a window, its client area, or an
// element inside it) tells accessibility tools it is protected: a password
// field of a browser or of a toolkit that draws its own controls, which have
// no window of their own with the password style. A call to the window's
// process, so never made inside a low-level hook; false when the window
// answers nothing, or hangs (it is then not asked).
bool accessibleIsProtected(HWND window, LONG object, LONG child);

// The same for the element that has the keyboard focus inside the window, as
// its client area names it.
bool focusedElementIsProtected(HWND window);

}  // namespace scrivlet
