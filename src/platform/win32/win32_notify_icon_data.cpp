#include "platform/win32/win32_notify_icon_data.h"

#include <algorithm>
#include <cstring>

namespace scrivlet {

HICON captionIcon(HWND window) {
    for (WPARAM kind : {WPARAM{ICON_SMALL}, WPARAM{ICON_BIG}}) {
        if (auto icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, kind, 0))) return icon;
    }
    for (int index : {GCLP_HICONSM, GCLP_HICON}) {
        if (auto icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, index))) return icon;
    }
    return LoadIconA(nullptr, IDI_APPLICATION);
}

NOTIFYICONDATAA notifyIconKey(HWND window, unsigned id) {
    NOTIFYICONDATAA data{};
    data.cbSize = NotifyIconDataSize;
    data.hWnd = window;
    data.uID = id;
    return data;
}

NOTIFYICONDATAA notifyIconData(HWND window, unsigned id, UINT callbackMessage, const std::string& tip) {
    NOTIFYICONDATAA data = notifyIconKey(window, id);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage;
    data.hIcon = captionIcon(window);
    // The rest of szTip stays zero, so the tip ends at 63 characters at most.
    std::memcpy(data.szTip, tip.data(), std::min(tip.size(), MaxNotifyTipLength));
    return data;
}

}  // namespace scrivlet
