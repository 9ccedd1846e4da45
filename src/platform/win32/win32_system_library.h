#pragma once
#include <windows.h>

namespace scrivlet {

// Windows searches the program's own folder first for a library loaded by its
// bare name, so a portable copy unpacked into the Downloads folder would load
// whatever DLL of that name lies beside it (DLL planting). This narrows the
// search of every later load, the system's own loads on the program's behalf
// included, to the system folder. Called first thing in the program, before
// anything loads a library; does nothing where Windows lacks
// SetDefaultDllDirectories (Windows 7 without its update KB2533623).
void restrictLibrarySearch();

// A library of the system, loaded from the system folder only: with
// LOAD_LIBRARY_SEARCH_SYSTEM32 where Windows knows that flag, otherwise by its
// full path in GetSystemDirectoryW's folder. Null when it is not there.
HMODULE loadSystemLibrary(const wchar_t* name);

}  // namespace scrivlet
