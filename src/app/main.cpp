#include <windows.h>

#include "app/program.h"
#include "platform/win32/win32_platform.h"

// The Unicode entry point (linked with -municode): the program reads its
// command line with GetCommandLineW itself.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    scrivlet::Win32Platform win32;
    scrivlet::Program program(win32.table());
    program.start();
    return win32.ui.run();
}
