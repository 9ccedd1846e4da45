#include "platform/win32/win32_input_box.h"

#include "platform/win32/win32_child_windows.h"
#include "platform/win32/win32_control_peer.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_ui.h"

namespace scrivlet {

namespace {
// Layout at 96 dots per inch, scaled to the monitor the box is on.
constexpr int ClientWidth = 380, ClientHeight = 130;
constexpr int EditId = 100, PromptId = 101;
struct Place {
    int id;
    int left, top, width, height;
};
constexpr Place Layout[] = {
    {EditId, 10, 96, 360, 22},
    {IDOK, 290, 10, 80, 24},
    {IDCANCEL, 290, 40, 80, 24},
    {PromptId, 10, 10, 270, 80},
};
}  // namespace

Win32InputBox::Win32InputBox(Win32Ui& ui, const std::string& caption, const std::string& prompt,
                             const std::string& preset, HWND owner)
    : ui_(ui) {
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD extended = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    // On the monitor the user works on: the owner's, else the one of the
    // window in front; at that monitor's resolution.
    HMONITOR monitor = MonitorFromWindow(owner ? owner : GetForegroundWindow(), MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info))
        info.rcWork = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    dpi_ = ui.dpi().ofMonitor(monitor);
    const RECT frame = ui.dpi().frame(style, false, extended, dpi_);
    const int width = MulDiv(ClientWidth, dpi_, 96) + frame.right - frame.left;
    const int height = MulDiv(ClientHeight, dpi_, 96) + frame.bottom - frame.top;
    const RECT& work = info.rcWork;
    const int left = work.left + (work.right - work.left - width) / 2;
    const int top = work.top + (work.bottom - work.top - height) / 3;
    if (!create(ClassName, extended, style, caption, {left, top, left + width, top + height}, owner)) return;
    // Created in Tab order: the field, then the buttons.
    edit_ = addControl(L"EDIT", preset, ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE, EditId);
    addControl(L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, IDOK);
    addControl(L"BUTTON", "Abbrechen", BS_PUSHBUTTON | WS_TABSTOP, 0, IDCANCEL);
    addControl(L"STATIC", prompt, SS_LEFT | SS_NOPREFIX | WS_GROUP, 0, PromptId);
    layOut(dpi_);
    ui.dialogCreated(hwnd());
}

Win32InputBox::~Win32InputBox() {
    if (hwnd()) ui_.dialogDestroyed(hwnd());
}

HWND Win32InputBox::addControl(const wchar_t* className, const std::string& text, DWORD style, DWORD extended, int id) {
    return CreateWindowExW(extended, className, wide(text).c_str(), style | WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd(),
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

void Win32InputBox::layOut(int dpi) {
    dpi_ = dpi;
    const auto scale = [dpi](int at96) { return MulDiv(at96, dpi, 96); };
    HFONT font = ui_.font(false, dpi);
    for (const Place& place : Layout) {
        HWND control = GetDlgItem(hwnd(), place.id);
        if (!control) continue;
        SetWindowPos(control, nullptr, scale(place.left), scale(place.top), scale(place.width), scale(place.height),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

void Win32InputBox::show() {
    if (!hwnd()) return;
    // Ready before anyone can see it: the preset selected, to be typed over.
    if (edit_) SendMessageW(edit_, EM_SETSEL, 0, -1);
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    if (edit_) SetFocus(edit_);
}

void Win32InputBox::finish(bool accepted) {
    if (done_) return;
    answer_ = accepted && edit_ ? windowText(edit_) : std::string();
    done_ = true;
}

LRESULT Win32InputBox::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) finish(true);
            if (LOWORD(wParam) == IDCANCEL && HIWORD(wParam) == BN_CLICKED) finish(false);
            return 0;
        case DM_GETDEFID:
            return MAKELRESULT(IDOK, DC_HASDEFID);
        case WM_NEXTDLGCTL:
            moveDialogFocus(hwnd(), wParam, lParam);
            return 0;
        case WM_CLOSE:
            finish(false);
            return 0;
        case WM_DPICHANGED: {
            // Moved to a monitor of another scale: where the system suggests,
            // laid out anew.
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                         suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
            layOut(HIWORD(wParam));
            return 0;
        }
        default:
            return defaultHandling(message, wParam, lParam);
    }
}

}  // namespace scrivlet
