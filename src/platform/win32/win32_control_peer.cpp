#include "platform/win32/win32_control_peer.h"

#include "platform/ui/form.h"
#include "platform/win32/win32_ui.h"
#include "platform/win32/win32_units.h"

namespace scrivlet {

namespace {
constexpr const wchar_t* PeerProperty = L"Scrivlet.Peer";
}

int currentShiftMask() {
    int mask = ui::shift::None;
    if (GetKeyState(VK_SHIFT) < 0) mask |= ui::shift::Shift;
    if (GetKeyState(VK_CONTROL) < 0) mask |= ui::shift::Ctrl;
    if (GetKeyState(VK_MENU) < 0) mask |= ui::shift::Alt;
    return mask;
}

std::string windowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return narrow(text);
}

bool setWindowText(HWND hwnd, const std::string& text) { return SetWindowTextW(hwnd, wide(text).c_str()) != FALSE; }

Win32ControlPeer::Win32ControlPeer(Win32Ui& ui, ui::Control& control, HWND parent, int id)
    : ui_(ui), control_(control), parent_(parent), id_(id) {}

Win32ControlPeer::~Win32ControlPeer() {
    lifetime_.end();
    if (part_ && IsWindow(part_)) RemovePropW(part_, PeerProperty);
    if (HWND window = window_.get()) {
        RemovePropW(window, PeerProperty);
        partSubclass_.detach();
        subclass_.detach();
        window_.reset();
    }
}

Win32ControlPeer* Win32ControlPeer::fromHwnd(HWND hwnd) {
    return hwnd ? static_cast<Win32ControlPeer*>(GetPropW(hwnd, PeerProperty)) : nullptr;
}

bool Win32ControlPeer::createWindow(const wchar_t* className, DWORD style, DWORD exStyle,
                                    const std::string& text) {
    const RECT bounds = windowBounds();
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (control_.visible()) style |= WS_VISIBLE;
    if (!control_.enabled()) style |= WS_DISABLED;
    HWND window = CreateWindowExW(exStyle, className, wide(text).c_str(), style, bounds.left, bounds.top,
                                  bounds.right - bounds.left, bounds.bottom - bounds.top, parent_,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window) return false;
    window_.reset(window);
    SetPropW(window, PeerProperty, this);
    applyFont(false);
    subclass_.attach(window, *this);
    return true;
}

void Win32ControlPeer::subclassPart(HWND part) {
    if (!part) return;
    part_ = part;
    SetPropW(part, PeerProperty, this);
    partSubclass_.attach(part, *this);
}

void Win32ControlPeer::applyFont(bool bold) {
    bold_ = bold;
    if (HWND window = window_.get()) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(currentFont()), TRUE);
}

HFONT Win32ControlPeer::currentFont() { return ui_.font(bold_, fontDpi()); }

int Win32ControlPeer::fontDpi() { return units().dpiY(); }

ScreenUnits Win32ControlPeer::units() const { return ui_.unitsOf(control_); }

void Win32ControlPeer::refreshForDpi() {
    applyFont(bold_);
    update(ui::Change::Geometry);
}

RECT Win32ControlPeer::windowBounds() { return units().toPixels(control_.geometry()); }

void Win32ControlPeer::update(ui::Change change) {
    HWND window = window_.get();
    if (!window) return;
    switch (change) {
        case ui::Change::Geometry: {
            const RECT bounds = windowBounds();
            MoveWindow(window, bounds.left, bounds.top, bounds.right - bounds.left,
                       bounds.bottom - bounds.top, TRUE);
            break;
        }
        case ui::Change::Visible:
            ShowWindow(window, control_.visible() ? SW_SHOWNA : SW_HIDE);
            break;
        case ui::Change::Enabled:
            EnableWindow(window, control_.enabled());
            break;
        case ui::Change::Colours:
            background_.reset();
            InvalidateRect(window, nullptr, TRUE);
            break;
        default:
            break;
    }
    updateOwn(change);
}

HBRUSH Win32ControlPeer::controlColour(HDC dc) {
    const COLORREF back = toColorRef(control_.backColour());
    SetTextColor(dc, control_.enabled() ? toColorRef(control_.foreColour()) : GetSysColor(COLOR_GRAYTEXT));
    SetBkColor(dc, back);
    if (!background_) background_.reset(CreateSolidBrush(back));
    return background_.get();
}

LRESULT Win32ControlPeer::callOriginal(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd == window_.get()) return subclass_.callOriginal(hwnd, message, wParam, lParam);
    return partSubclass_.callOriginal(hwnd, message, wParam, lParam);
}

std::optional<LRESULT> Win32ControlPeer::subclassMessage(HWND hwnd, UINT message, WPARAM wParam,
                                                         LPARAM lParam) {
    switch (message) {
        case WM_SETFOCUS: {
            // The control takes the focus first (caret, default button), then
            // the program hears of it.
            const Lifetime::Watch alive = watchLifetime();
            const LRESULT result = callOriginal(hwnd, message, wParam, lParam);
            if (alive.alive())
                if (ui::Form* form = control_.form()) form->reportFocus(&control_);
            return result;
        }
        // A quick second press comes as a double click in windows of a class
        // with CS_DBLCLKS (frames, the editor): it is a press all the same.
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK: {
            const Lifetime::Watch alive = watchLifetime();
            const LRESULT result = callOriginal(hwnd, message, wParam, lParam);
            if (!alive.alive()) return result;
            POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (hwnd != window_.get()) MapWindowPoints(hwnd, window_.get(), &at, 1);
            ui::MouseEvent event;
            event.button = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK   ? ui::MouseButton::Left
                           : message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK ? ui::MouseButton::Right
                                                                                      : ui::MouseButton::Middle;
            event.shift = currentShiftMask();
            const ScreenUnits own = units();
            event.at = {own.xToTwips(at.x), own.yToTwips(at.y)};
            control_.mouseDown(event);
            return result;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace scrivlet
