#include "platform/win32/win32_dialogs.h"

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_ui.h"

#include <commdlg.h>

namespace scrivlet {

namespace {

UINT iconStyle(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information: return MB_ICONINFORMATION;
        case MessageIcon::Question: return MB_ICONQUESTION;
        case MessageIcon::Error: return MB_ICONERROR;
        case MessageIcon::Warning: return MB_ICONWARNING;
        case MessageIcon::None: break;
    }
    return 0;
}

// S_FALSE (already initialised on this thread) must be balanced too; a thread
// in the other apartment model must not be uninitialised by us.
UniqueComInit initializeCom() { return UniqueComInit(SUCCEEDED(CoInitialize(nullptr))); }

}  // namespace

MessageAnswer Win32Dialogs::message(const MessageRequest& request) {
    const bool yesNo = request.buttons == MessageButtons::YesNo;
    UINT style = iconStyle(request.icon) | (yesNo ? MB_YESNO : MB_OK) | MB_SETFOREGROUND;
    if (yesNo && request.defaultNo) style |= MB_DEFBUTTON2;
    // Owned by this thread's active window, so the box stays above it and the
    // window is disabled while the question is open; the program is a tray
    // utility and often has no active window, then the box stands alone.
    const int answer =
        MessageBoxW(GetActiveWindow(), wide(request.text).c_str(), wide(request.caption).c_str(), style);
    switch (answer) {
        case IDYES: return MessageAnswer::Yes;
        case IDNO: return MessageAnswer::No;
        case IDOK: return MessageAnswer::Ok;
        default:
            // The box could not be shown: nobody agreed to anything.
            return yesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
}

std::string Win32Dialogs::inputBox(const std::string& caption, const std::string& prompt,
                                   const std::string& preset) {
    return ui_.inputBox(caption, prompt, preset);
}

std::string Win32Dialogs::chooseFolder(WindowId owner, const std::string& prompt) {
    // The shell's browser talks to the shell namespace through COM.
    const UniqueComInit com = initializeCom();
    wchar_t displayName[MAX_PATH] = {};
    const std::wstring title = wide(prompt);
    BROWSEINFOW info{};
    info.hwndOwner = reinterpret_cast<HWND>(owner);
    info.pidlRoot = nullptr;
    info.pszDisplayName = displayName;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    const UniquePidl chosen(SHBrowseForFolderW(&info));
    if (!chosen) return {};
    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(chosen.get(), path)) return {};
    return narrow(path);
}

std::optional<Colour> Win32Dialogs::chooseColour(WindowId owner, Colour start) {
    static_assert(sizeof customColours_[0] == sizeof(COLORREF));
    CHOOSECOLORW choice{};
    choice.lStructSize = sizeof choice;
    choice.hwndOwner = reinterpret_cast<HWND>(owner);
    choice.rgbResult = start & 0x00FFFFFF;
    choice.lpCustColors = reinterpret_cast<COLORREF*>(customColours_);
    choice.Flags = CC_RGBINIT;
    // Cancelled and failed look alike here: both leave everything as it was.
    if (!ChooseColorW(&choice)) return std::nullopt;
    return static_cast<Colour>(choice.rgbResult & 0x00FFFFFF);
}

}  // namespace scrivlet
