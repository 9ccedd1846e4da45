#include "platform/win32/win32_notify_icon_data.h"

#include "platform/win32/win32_text.h"

#include <algorithm>
#include <cstring>

namespace scrivlet {

HICON captionIcon(HWND window) {
    for (WPARAM kind : {WPARAM{ICON_SMALL}, WPARAM{ICON_BIG}}) {
        if (auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, kind, 0))) return icon;
    }
    for (int index : {GCLP_HICONSM, GCLP_HICON}) {
        if (auto icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, index))) return icon;
    }
    return LoadIconW(nullptr, IDI_APPLICATION);
}

NOTIFYICONDATAW notifyIconKey(HWND window, unsigned id) {
    NOTIFYICONDATAW data{};
    data.cbSize = NotifyIconDataSize;
    data.hWnd = window;
    data.uID = id;
    return data;
}

NOTIFYICONDATAW notifyIconData(HWND window, unsigned id, UINT callbackMessage, const std::string& tip) {
    NOTIFYICONDATAW data = notifyIconKey(window, id);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage;
    data.hIcon = captionIcon(window);
    // The rest of szTip stays zero, so the tip ends at 63 characters at most.
    const std::wstring text = wide(tip);
    std::size_t length = std::min(text.size(), MaxNotifyTipLength);
    // A character beyond U+FFFF is not cut in half.
    if (length > 0 && length < text.size() && text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF) --length;
    std::copy_n(text.data(), length, data.szTip);
    return data;
}

}  // namespace scrivlet
