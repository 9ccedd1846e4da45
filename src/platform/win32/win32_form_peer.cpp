#include "platform/win32/win32_form_peer.h"

#include <algorithm>

#include "platform/ui/menu.h"
#include "platform/ui/simple_controls.h"
#include "platform/ui/timer.h"
#include "platform/win32/win32_child_windows.h"
#include "platform/win32/win32_control_peer.h"
#include "platform/win32/win32_menu_peer.h"
#include "platform/win32/win32_show_request.h"
#include "platform/win32/win32_timer_peer.h"
#include "platform/win32/win32_ui.h"
#include "platform/win32/win32_units.h"

namespace scrivlet {

namespace {

// Sent by Windows 10 1703 and later, whose headers the build's Windows 7
// ones are not.
constexpr UINT GetDpiScaledSize = 0x02E4;  // WM_GETDPISCALEDSIZE

// The first control ids; 1 and 2 are IDOK and IDCANCEL, which the dialog
// manager sends for Enter and Esc.
constexpr int FirstControlId = 100;

ui::Button* findButton(ui::Container& container, bool defaultButton) {
    for (ui::Control* child : container.children()) {
        if (auto* button = dynamic_cast<ui::Button*>(child))
            if (defaultButton ? button->isDefault : button->isCancel) return button;
        if (auto* inner = dynamic_cast<ui::Container*>(child))
            if (ui::Button* found = findButton(*inner, defaultButton)) return found;
    }
    return nullptr;
}

bool sameKeys(const std::vector<ACCEL>& a, const std::vector<ACCEL>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const ACCEL& x, const ACCEL& y) {
        return x.fVirt == y.fVirt && x.key == y.key && x.cmd == y.cmd;
    });
}

bool ownWindow(HWND window) {
    DWORD process = 0;
    return window && GetWindowThreadProcessId(window, &process) && process == GetCurrentProcessId();
}

ui::WindowState stateOf(HWND window) {
    if (IsIconic(window)) return ui::WindowState::Minimized;
    if (IsZoomed(window)) return ui::WindowState::Maximized;
    return ui::WindowState::Normal;
}

}  // namespace

std::pair<DWORD, DWORD> Win32FormPeer::styles(const ui::Form::Style& style) {
    DWORD windowStyle = WS_CLIPCHILDREN;
    DWORD extended = WS_EX_CONTROLPARENT;
    const DWORD boxes = (style.minButton ? WS_MINIMIZEBOX : 0) | (style.maxButton ? WS_MAXIMIZEBOX : 0);
    switch (style.border) {
        case ui::BorderStyle::Sizable:
            windowStyle |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | boxes;
            break;
        case ui::BorderStyle::FixedSingle:
            windowStyle |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | boxes;
            break;
        case ui::BorderStyle::FixedDialog:
            windowStyle |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | boxes;
            extended |= WS_EX_DLGMODALFRAME;
            break;
        case ui::BorderStyle::ToolWindow:
            windowStyle |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
            extended |= WS_EX_TOOLWINDOW;
            break;
        case ui::BorderStyle::None:
            windowStyle |= WS_POPUP;
            break;
    }
    if (style.topmost) extended |= WS_EX_TOPMOST;
    if (style.showInTaskbar && style.border != ui::BorderStyle::ToolWindow) extended |= WS_EX_APPWINDOW;
    return {windowStyle, extended};
}

Win32FormPeer::Win32FormPeer(Win32Ui& ui, ui::Form& form)
    : ui_(ui), form_(form), units_(ui.dpiAt(form.geometry()), ui.dpiAt(form.geometry())) {
    const auto [style, extended] = styles(form.style());
    // A window owned by a hidden one has no button in the taskbar.
    HWND owner = form.style().showInTaskbar ? nullptr : ui.hostWindow();
    HMENU bar = createMenuBar();
    // A form with a class of its own (the main window, which later starts
    // and the installer look for) registers it when it first needs it.
    const std::wstring className = form.windowClass().empty() ? ClassName : wide(form.windowClass());
    if (!form.windowClass().empty()) registerClass(className.c_str(), nullptr);
    if (!create(className.c_str(), extended, style, form.caption(), toScreenPixels(ui.units(), units_, form.geometry()),
                owner, bar)) {
        menuBar_.reset();
        return;
    }
    // The controls take their units from here.
    ui.formCreated(*this);
    // The system may have put the window on another monitor than its corner
    // named: its size then counts there, before any control is made.
    if (const int dpi = ui.dpi().ofWindow(hwnd()); dpi != units_.dpiY()) {
        units_ = ScreenUnits(dpi, dpi);
        const RECT bounds = toScreenPixels(ui.units(), units_, form.geometry());
        SetWindowPos(hwnd(), nullptr, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    setIcons();
    int nextId = FirstControlId;
    createChildPeers(ui, form, hwnd(), nextId);
    for (ui::Timer* timer : form.timers()) timer->setPeer(std::make_unique<Win32TimerPeer>(*this, *timer));
    if (!form.enabled()) EnableWindow(hwnd(), FALSE);
    form.reportDpi(units_.dpiY());
}

void Win32FormPeer::setIcons() {
    if (form_.icon() == ui::Picture::None) return;
    const int dpi = units_.dpiY();
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(ui_.picture(form_.icon(), ui_.dpi().metric(SM_CXICON, dpi))));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(ui_.picture(form_.icon(), ui_.dpi().metric(SM_CXSMICON, dpi))));
}

void Win32FormPeer::changeDpi(int dpiX, int dpiY, const RECT& suggested) {
    units_ = ScreenUnits(dpiX, dpiY);
    setIcons();
    refreshChildPeersForDpi(form_);
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // Reported also when the pixels stayed: their twips did not.
    reportGeometry();
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    form_.reportDpi(dpiY);
}

SIZE Win32FormPeer::sizeAt(int dpi) const {
    const auto [style, extended] = styles(form_.style());
    const RECT frame = ui_.dpi().frame(style, !form_.menuBar().empty(), extended, dpi);
    return {MulDiv(form_.clientWidth(), dpi, 1440) + frame.right - frame.left,
            MulDiv(form_.clientHeight(), dpi, 1440) + frame.bottom - frame.top};
}

Win32FormPeer::~Win32FormPeer() {
    ui_.formDestroyed(*this);
    const std::set<Win32TimerPeer*> timers = timers_;
    for (Win32TimerPeer* timer : timers) timer->timer().setPeer(nullptr);
    removeMenuBar();
}

HMENU Win32FormPeer::createMenuBar() {
    if (form_.menuBar().empty()) return nullptr;
    menuBar_.reset(CreateMenu());
    if (!menuBar_) return nullptr;
    for (ui::Menu* menu : form_.menuBar()) {
        HMENU popup = Win32MenuPeer::of(*menu, ui_.commandIds()).handle();
        AppendMenuW(menuBar_.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                    wide(menu->caption()).c_str());
    }
    return menuBar_.get();
}

void Win32FormPeer::removeMenuBar() {
    if (!menuBar_) return;
    // The menus belong to their peers: the bar lets go of them before it is
    // destroyed, and the window before it is destroyed itself.
    if (hwnd()) SetMenu(hwnd(), nullptr);
    while (GetMenuItemCount(menuBar_.get()) > 0)
        if (!RemoveMenu(menuBar_.get(), 0, MF_BYPOSITION)) break;
    menuBar_.reset();
}

void Win32FormPeer::update(ui::Change change) {
    HWND window = hwnd();
    if (!window) return;
    switch (change) {
        case ui::Change::Caption: SetWindowTextW(window, wide(form_.caption()).c_str()); break;
        case ui::Change::Geometry: {
            const RECT bounds = toScreenPixels(ui_.units(), units_, form_.geometry());
            SetWindowPos(window, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                         bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        case ui::Change::Enabled: EnableWindow(window, form_.enabled()); break;
        case ui::Change::Colours: InvalidateRect(window, nullptr, TRUE); break;
        case ui::Change::Value:
            if (!IsWindowVisible(window)) break;  // show() puts the window in its state
            switch (form_.windowState()) {
                case ui::WindowState::Minimized: ShowWindow(window, SW_MINIMIZE); break;
                case ui::WindowState::Maximized: ShowWindow(window, SW_MAXIMIZE); break;
                case ui::WindowState::Normal: ShowWindow(window, SW_RESTORE); break;
            }
            break;
        default:
            // Visibility goes through show() and hide(), which the form calls.
            break;
    }
}

void Win32FormPeer::show() {
    HWND window = hwnd();
    if (!window) return;
    FlagScope quiet(showing_);
    switch (form_.windowState()) {
        case ui::WindowState::Minimized: ShowWindow(window, SW_SHOWMINIMIZED); return;
        case ui::WindowState::Maximized: ShowWindow(window, SW_SHOWMAXIMIZED); break;
        case ui::WindowState::Normal: ShowWindow(window, SW_SHOW); break;
    }
    SetForegroundWindow(window);
    focusFirstControl();
}

bool Win32FormPeer::focusFirstControl() {
    // The control that had the focus keeps it; a form shown for the first
    // time gives it to its first control in Tab order.
    HWND target = nullptr;
    if (savedFocus_ && IsWindow(savedFocus_) && IsChild(hwnd(), savedFocus_)) target = savedFocus_;
    if (!target)
        if (ui::Control* focused = form_.focused())
            if (auto* peer = dynamic_cast<Win32ControlPeer*>(focused->peer())) target = peer->hwnd();
    if (!target) target = nextTabStop(form_, nullptr, false);
    if (!target || !IsChild(hwnd(), target)) return false;
    SetFocus(target);
    return true;
}

void Win32FormPeer::focus(ui::Control* control) {
    auto* peer = control ? dynamic_cast<Win32ControlPeer*>(control->peer()) : nullptr;
    HWND target = peer ? peer->hwnd() : nullptr;
    if (!target || !hwnd() || !IsWindowVisible(hwnd())) {
        // Nothing to focus on screen yet: the form takes note, and the window
        // gives the control the focus when it is shown.
        if (target) savedFocus_ = target;
        form_.reportFocus(control);
        return;
    }
    // The control's window reports the move when it gets the focus. The form
    // may be inactive for a moment (a dialog just closed): its activation must
    // then restore this control, not the one it had before.
    savedFocus_ = target;
    SetFocus(target);
}

bool Win32FormPeer::translateAccelerator(MSG& message) {
    std::vector<ACCEL> keys;
    for (ui::Menu* menu : form_.menuBar()) Win32MenuPeer::of(*menu, ui_.commandIds()).collectShortcuts(keys);
    if (keys.empty()) return false;
    if (!accelerators_ || !sameKeys(keys, acceleratorKeys_)) {
        accelerators_.reset(CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size())));
        acceleratorKeys_ = keys;
    }
    return accelerators_ && TranslateAcceleratorW(hwnd(), accelerators_.get(), &message);
}

ui::MenuItem* Win32FormPeer::menuItem(UINT id) {
    for (ui::Menu* menu : form_.menuBar())
        if (auto* peer = dynamic_cast<Win32MenuPeer*>(menu->peer()))
            if (ui::MenuItem* item = peer->find(id)) return item;
    return nullptr;
}

void Win32FormPeer::command(WORD id) {
    // Enter and Esc, as the dialog manager reports them, and menu commands.
    if (id == IDOK || id == IDCANCEL) {
        if (ui::Button* button = findButton(form_, id == IDOK)) button->click();
        return;
    }
    if (ui::MenuItem* item = menuItem(id)) item->click();
}

HWND Win32FormPeer::defaultButtonWindow() {
    ui::Button* button = findButton(form_, true);
    auto* peer = button ? dynamic_cast<Win32ControlPeer*>(button->peer()) : nullptr;
    return peer ? peer->hwnd() : nullptr;
}

void Win32FormPeer::reportGeometry() {
    HWND window = hwnd();
    RECT outer, client;
    if (!GetWindowRect(window, &outer) || !GetClientRect(window, &client)) return;
    const ScreenUnits& units = units_;
    const ui::WindowState state = stateOf(window);
    // The form's twips may fall between pixels: a window that is where the
    // form put it has not moved.
    const RECT expected = toScreenPixels(ui_.units(), units, form_.geometry());
    if (EqualRect(&expected, &outer) && state == form_.windowState() &&
        units.xToPixels(form_.clientWidth()) == client.right && units.yToPixels(form_.clientHeight()) == client.bottom)
        return;
    form_.reportGeometry(fromScreenPixels(ui_.units(), units, outer), units.xToTwips(client.right),
                         units.yToTwips(client.bottom), state);
}

ui::MouseEvent Win32FormPeer::mouseEvent(ui::MouseButton button, LPARAM lParam) const {
    ui::MouseEvent event;
    event.button = button;
    event.shift = currentShiftMask();
    event.at = {units_.xToTwips(static_cast<short>(LOWORD(lParam))),
                units_.yToTwips(static_cast<short>(HIWORD(lParam)))};
    return event;
}

void Win32FormPeer::mouseMoved(LPARAM lParam) {
    // The system repeats a move where the mouse stands when the windows under
    // it change (a menu closes, a window hides): the form hears of real moves
    // only, or a strip that opens a menu on every move would open it again
    // the moment it is dismissed.
    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(hwnd(), &at);
    if (lastMouse_ && lastMouse_->x == at.x && lastMouse_->y == at.y) return;
    lastMouse_ = at;
    // The handler may open a menu and run the program's code for a while;
    // the button is the left one by convention (the move carries none).
    form_.mouseMove(mouseEvent(ui::MouseButton::Left, lParam));
}

void Win32FormPeer::mousePressed(ui::MouseButton button, LPARAM lParam) {
    // A quick second press arrives as a double click (the class asks for
    // them); it is a press all the same.
    form_.mouseDown(mouseEvent(button, lParam));
}

void Win32FormPeer::paint() {
    const UniquePainting painting = beginPaint(hwnd());
    paintWindowlessChildren(form_, painting.get().dc);
}

LRESULT Win32FormPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto routed = routeToChildPeer(message, wParam, lParam)) return *routed;
    // A later start asks: 1 tells it that the request was taken.
    if (message == showRequestMessage() && message != 0) return form_.reportShowRequest() ? 1 : 0;
    switch (message) {
        case WM_COMMAND:
            if (lParam == 0) command(LOWORD(wParam));
            return 0;
        case DM_GETDEFID:
            if (HWND button = defaultButtonWindow(); button && IsWindowEnabled(button) && IsWindowVisible(button))
                return MAKELRESULT(GetDlgCtrlID(button), DC_HASDEFID);
            return 0;
        case WM_NEXTDLGCTL:
            // Tab goes by the controls' tab order, whatever lies over what.
            if (LOWORD(lParam))
                moveDialogFocus(hwnd(), wParam, lParam);
            else
                focusLikeDialog(nextTabStop(form_, GetFocus(), wParam != 0));
            return 0;
        case WM_ERASEBKGND: {
            RECT area;
            GetClientRect(hwnd(), &area);
            UniqueHbrush back(CreateSolidBrush(toColorRef(form_.backColour())));
            FillRect(reinterpret_cast<HDC>(wParam), &area, back.get());
            return 1;
        }
        case WM_PAINT:
            paint();
            return 0;
        case WM_SIZE:
        case WM_MOVE:
            reportGeometry();
            return 0;
        case GetDpiScaledSize: {
            // Asked before a move to a monitor of another scale (Windows 10
            // 1703 and later): the client area keeps its twips there, which
            // the system's scaling of the whole window would miss by the
            // frame's rounding.
            *reinterpret_cast<SIZE*>(lParam) = sizeAt(static_cast<int>(wParam));
            return TRUE;
        }
        case WM_DPICHANGED:
            changeDpi(LOWORD(wParam), HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(hwnd(), focus)) savedFocus_ = focus;
                form_.reportActivationLost();
                return 0;
            }
            // The focus goes to a control with the activation itself: keys
            // the user types as the window comes to front are queued for the
            // focus of that moment, and the frame would swallow them.
            if (HIWORD(wParam) || !focusFirstControl()) defaultHandling(message, wParam, lParam);
            // lParam is the window that was active before: one of the
            // program's, or none when the user came from another program.
            if (!showing_) form_.reportActivated(ownWindow(reinterpret_cast<HWND>(lParam)));
            return 0;
        case WM_ACTIVATEAPP:
            // Sent to every top-level window of the thread, shown or hidden,
            // when the activation goes to (or comes from) another thread's
            // window; a move among the program's own windows sends none.
            if (!wParam) form_.reportDeactivated();
            return 0;
        case WM_SYSCOMMAND:
            // The close box, Alt+F4 and the window menu's "Schließen" are the
            // user's; closing may unload the form, which destroys this window:
            // nothing here may touch the peer afterwards.
            if ((wParam & 0xFFF0) == SC_CLOSE) {
                form_.requestClose(ui::CloseReason::User);
                return 0;
            }
            return defaultHandling(message, wParam, lParam);
        case WM_CLOSE:
            // A plain close message comes from another program (the task
            // manager, taskkill): the user's own ways arrive as SC_CLOSE.
            form_.requestClose(ui::CloseReason::TaskManager);
            return 0;
        case WM_QUERYENDSESSION:
            // Only a question: another program may still refuse, so the form
            // unloads when the session really ends.
            return form_.queryEndSession() ? TRUE : FALSE;
        case WM_ENDSESSION:
            if (wParam && !form_.unloaded()) form_.requestClose(ui::CloseReason::SystemShutdown);
            return 0;
        case WM_MOUSEMOVE:
            mouseMoved(lParam);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            mousePressed(ui::MouseButton::Left, lParam);
            return 0;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            mousePressed(ui::MouseButton::Right, lParam);
            return 0;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            mousePressed(ui::MouseButton::Middle, lParam);
            return 0;
        case WM_INITMENUPOPUP:
            if (!HIWORD(lParam))
                if (auto* menu = Win32MenuPeer::fromHandle(reinterpret_cast<HMENU>(wParam))) menu->opening();
            return 0;
        case WM_TIMER: {
            auto* timer = reinterpret_cast<Win32TimerPeer*>(wParam);
            if (timers_.count(timer)) timer->timer().tick();
            return 0;
        }
        default:
            return defaultHandling(message, wParam, lParam);
    }
}

}  // namespace scrivlet
