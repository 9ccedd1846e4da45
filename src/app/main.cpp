#include <windows.h>

#include "app/program.h"
#include "platform/win32/win32_platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    scrivlet::Win32Platform win32;
    scrivlet::Program program(win32.table());
    program.start();
    return win32.ui.run();
}
