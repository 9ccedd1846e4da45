#pragma once
#include <windows.h>

namespace scrivlet {

// The message a later start sends the running copy's main window, asking it to
// show itself. Registered, so no other program's private message is taken for
// it; 0 when the system could not register it.
inline UINT showRequestMessage() {
    static const UINT message = RegisterWindowMessageW(L"Scrivlet.ShowMainWindow");
    return message;
}

}  // namespace scrivlet
