#pragma once
#include <windows.h>

#include <vector>

namespace scrivlet {

// An unassigned virtual key pressed while Alt or Win is held, so that letting
// go of them is not a lone tap: a lone Alt release puts the target into its
// menu bar, a lone Win release opens the Start menu. (AutoHotkey's "menu mask
// key" does the same.) Distinct from the typing's sentinel key.
constexpr WORD MenuMaskKey = 0x0E;

// Modifier keys (Shift, Ctrl, Alt, Win, either side) the user may still hold
// when typing starts, e.g. from the shortcut that chose the entry: waits up to
// waitMs for them to be let go, and returns the events that release those still
// down.
std::vector<INPUT> releaseOfHeldModifiers(DWORD waitMs);

}  // namespace scrivlet
