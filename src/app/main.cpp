#include <windows.h>

#include "app/only_copy.h"
#include "app/program.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_system_library.h"

// The Unicode entry point (linked with -municode): the program reads its
// command line with GetCommandLineW itself.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    // Before anything loads a library: none may come from the program's folder.
    scrivlet::restrictLibrarySearch();
    scrivlet::Win32Platform win32;
    if (!scrivlet::startsAsOnlyCopy(win32.session, win32.system, win32.dialogs)) return 0;
    scrivlet::Program program(win32.table());
    program.start();
    return win32.ui.run();
}
