#include "platform/win32/win32_input_box.h"

#include "platform/win32/win32_child_windows.h"
#include "platform/win32/win32_control_peer.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_ui.h"

namespace scrivlet {

namespace {
// Layout at 96 dots per inch, scaled to the screen.
constexpr int ClientWidth = 380, ClientHeight = 130;
constexpr int EditId = 100, PromptId = 101;
}  // namespace

Win32InputBox::Win32InputBox(Win32Ui& ui, const std::string& caption, const std::string& prompt,
                             const std::string& preset, HWND owner)
    : ui_(ui) {
    const ScreenUnits& units = ui.units();
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD extended = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT frame{0, 0, units.scale(ClientWidth), units.scale(ClientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, extended);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 3;
    if (!create(ClassName, extended, style, caption, {left, top, left + width, top + height}, owner)) return;
    auto at = [&units](int l, int t, int w, int h) {
        return RECT{units.scale(l), units.scale(t), units.scale(l + w), units.scale(t + h)};
    };
    // Created in Tab order: the field, then the buttons.
    edit_ = addControl(L"EDIT", preset, ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE,
                       at(10, 96, 360, 22), EditId);
    addControl(L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, at(290, 10, 80, 24), IDOK);
    addControl(L"BUTTON", "Abbrechen", BS_PUSHBUTTON | WS_TABSTOP, 0, at(290, 40, 80, 24), IDCANCEL);
    addControl(L"STATIC", prompt, SS_LEFT | SS_NOPREFIX | WS_GROUP, 0, at(10, 10, 270, 80), PromptId);
    ui.dialogCreated(hwnd());
}

Win32InputBox::~Win32InputBox() {
    if (hwnd()) ui_.dialogDestroyed(hwnd());
}

HWND Win32InputBox::addControl(const wchar_t* className, const std::string& text, DWORD style, DWORD extended, RECT bounds,
                               int id) {
    HWND control = CreateWindowExW(extended, className, wide(text).c_str(), style | WS_CHILD | WS_VISIBLE, bounds.left, bounds.top,
                                   bounds.right - bounds.left, bounds.bottom - bounds.top, hwnd(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                   nullptr);
    if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(ui_.font(false)), FALSE);
    return control;
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
        default:
            return defaultHandling(message, wParam, lParam);
    }
}

}  // namespace scrivlet
