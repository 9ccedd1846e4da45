#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace scrivlet {

// The structure of the first shell version: every shell takes it, and the
// program needs none of the later fields (152 bytes in the 32-bit build).
constexpr DWORD NotifyIconDataSize = NOTIFYICONDATAW_V1_SIZE;
static_assert(sizeof(void*) != 4 || NotifyIconDataSize == 152);
// In UTF-16 units, the terminating NUL not counted.
constexpr std::size_t MaxNotifyTipLength = 63;

// The icon a window shows in its caption: its own, else its class's; a window
// with neither shows the application icon.
HICON captionIcon(HWND window);

// What names an icon of a window, as NIM_DELETE needs it.
NOTIFYICONDATAW notifyIconKey(HWND window, unsigned id);

// An icon showing the window's caption icon and the tip (cut to 63 UTF-16
// units, never inside a character),
// reporting mouse events as callbackMessage to the window, as NIM_ADD needs it.
NOTIFYICONDATAW notifyIconData(HWND window, unsigned id, UINT callbackMessage, const std::string& tip);

}  // namespace scrivlet
