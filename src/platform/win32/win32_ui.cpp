#include "platform/win32/win32_ui.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <string_view>

#include "platform/ui/form.h"
#include "platform/ui/menu.h"
#include "platform/win32/win32_activation_reports.h"
#include "platform/win32/win32_child_windows.h"
#include "platform/win32/win32_container_peer.h"
#include "platform/win32/win32_form_peer.h"
#include "platform/win32/win32_host_window.h"
#include "platform/win32/win32_input_box.h"
#include "platform/win32/win32_menu_peer.h"
#include "platform/win32/win32_pictures.h"
#include "platform/win32/win32_system_library.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window.h"

namespace scrivlet {

namespace {

// Tab without Ctrl and Alt, in a control that does not take it itself.
bool isTabForTheForm(MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    const LRESULT code = SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
    return !(code & (DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE));
}

}  // namespace

// Disables the program's other windows while a modal window runs, and gives
// them back before the modal window goes, with the activation where it was.
// The order matters: a modal window hidden while the program's other windows
// are still disabled leaves the system nothing of the program to activate,
// and it activates another program's window instead.
class Win32Ui::ModalScope {
public:
    ModalScope(Win32Ui& ui, HWND modal) : ui_(ui), modal_(modal), previous_(GetActiveWindow()) {
        disableOthers();
        ui_.modalScopes_.push_back(this);
    }
    ~ModalScope() {
        release();
        ui_.modalScopes_.erase(std::remove(ui_.modalScopes_.begin(), ui_.modalScopes_.end(), this),
                               ui_.modalScopes_.end());
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

    HWND modal() const { return modal_; }

    // Before the modal window is hidden or destroyed: the program's windows
    // are enabled again, so that the system can activate one of them (the
    // owner first) when the modal window goes.
    void release() {
        if (released_) return;
        released_ = true;
        // The user may have gone to another program meanwhile: only a modal
        // window that is still active hands the activation back.
        handBack_ = GetActiveWindow() == modal_;
        for (HWND window : disabled_)
            if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    // The modal window is shown again while it still runs (it stepped aside
    // for a moment): the program's other windows are disabled again.
    void reacquire() {
        if (!released_) return;
        released_ = false;
        handBack_ = false;
        disabled_.clear();
        disableOthers();
    }
    // After the modal window is hidden: the window that was active before is
    // active again (the system may have picked another of the program's).
    void reactivate() {
        if (!handBack_) return;
        handBack_ = false;
        if (previous_ && previous_ != modal_ && IsWindow(previous_) && IsWindowVisible(previous_) &&
            IsWindowEnabled(previous_))
            SetForegroundWindow(previous_);
    }

private:
    void disableOthers() {
        for (Win32FormPeer* form : ui_.forms_) {
            HWND window = form->hwnd();
            if (window && window != modal_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
                EnableWindow(window, FALSE);
                disabled_.push_back(window);
            }
        }
    }

    Win32Ui& ui_;
    HWND modal_;
    HWND previous_;
    std::vector<HWND> disabled_;
    bool released_ = false;
    bool handBack_ = false;
};

Win32Ui::Win32Ui()
    // The process is made aware of the monitors' resolutions (dpi_) before
    // the screen's is asked.
    : units_(ScreenUnits::ofScreen()),
      commandIds_(std::make_shared<CommandIds>()) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    // RichEdit 2.0 or later, its Unicode class: every character the text
    // holds reaches the window and comes back. From the system folder only:
    // a riched20.dll beside the program must never be loaded.
    richEditLibrary_.reset(loadSystemLibrary(L"riched20.dll"));
    if (richEditLibrary_) {
        richEditClass_ = L"RichEdit20W";
    } else {
        richEditLibrary_.reset(loadSystemLibrary(L"msftedit.dll"));
        richEditClass_ = L"RICHEDIT50W";
    }
    Window::registerClass(Win32FormPeer::ClassName, nullptr);
    Window::registerClass(Win32InputBox::ClassName, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    // The frames' windows only draw and hold children; their peers subclass
    // them like the system's classes.
    registerWindowClass(Win32ContainerPeer::ClassName, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, DefWindowProcW);
    host_ = std::make_unique<Win32HostWindow>();
}

Win32Ui::~Win32Ui() = default;

HWND Win32Ui::hostWindow() const { return host_ ? host_->hwnd() : nullptr; }

HICON Win32Ui::picture(ui::Picture picture, int width, int height, bool greyed) {
    if (picture == ui::Picture::None || width <= 0 || height <= 0) return nullptr;
    const auto key = std::make_tuple(picture, width, height, greyed);
    auto found = pictures_.find(key);
    if (found == pictures_.end())
        found = pictures_.emplace(key, drawPicture(picture, width, height, greyed)).first;
    return found->second.get();
}

HFONT Win32Ui::font(const std::string& face, bool fixedPitch, bool bold, int dpi) {
    UniqueHfont& made = fonts_[{face, fixedPitch, bold, dpi}];
    if (!made) {
        LOGFONTW font = dpi_.dialogFont(dpi);
        if (bold) font.lfWeight = FW_BOLD;
        if (!face.empty()) {
            const std::wstring name = wide(face);
            const std::size_t length = std::min(name.size(), std::size(font.lfFaceName) - 1);
            std::copy_n(name.data(), length, font.lfFaceName);
            font.lfFaceName[length] = L'\0';
        }
        if (fixedPitch) font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        made.reset(CreateFontIndirectW(&font));
    }
    if (made || face.empty()) return made.get();
    return font(bold, dpi);
}

ScreenUnits Win32Ui::unitsOf(ui::Control& control) const {
    const ui::Form* form = control.form();
    for (const Win32FormPeer* peer : forms_)
        if (&peer->form() == form) return peer->units();
    return units_;
}

int Win32Ui::dpiAt(const ui::Rect& place) const {
    const POINT corner{units_.xToPixels(place.left), units_.yToPixels(place.top)};
    return dpi_.ofMonitor(MonitorFromPoint(corner, MONITOR_DEFAULTTOPRIMARY));
}

Win32FormPeer* Win32Ui::peerOf(const ui::Form& form) const {
    auto* peer = dynamic_cast<Win32FormPeer*>(form.peer());
    return peer && peer->hwnd() ? peer : nullptr;
}

HWND Win32Ui::hwndOf(const ui::Form& form) const {
    Win32FormPeer* peer = peerOf(form);
    return peer ? peer->hwnd() : nullptr;
}

WindowId Win32Ui::windowOf(const ui::Form& form) { return reinterpret_cast<WindowId>(hwndOf(form)); }

void Win32Ui::formDestroyed(Win32FormPeer& form) { forms_.erase(std::remove(forms_.begin(), forms_.end(), &form), forms_.end()); }

void Win32Ui::dialogDestroyed(HWND dialog) {
    dialogs_.erase(std::remove(dialogs_.begin(), dialogs_.end(), dialog), dialogs_.end());
}

void Win32Ui::realize(ui::Form& form) {
    if (form.peer()) return;
    form.setPeer(std::make_unique<Win32FormPeer>(*this, form));
}

void Win32Ui::hideWindow(HWND window) {
    // A modal window gives the program's windows back before it goes, and
    // the activation back after: in the other order the system has no window
    // of the program to activate and activates another program's.
    std::vector<ModalScope*> scopes;
    for (ModalScope* scope : modalScopes_)
        if (scope->modal() == window) scopes.push_back(scope);
    for (ModalScope* scope : scopes) scope->release();
    ShowWindow(window, SW_HIDE);
    for (ModalScope* scope : scopes) scope->reactivate();
}

void Win32Ui::destroy(ui::Form& form) {
    // Out of sight first, so that the controls do not vanish one by one.
    if (HWND window = hwndOf(form)) hideWindow(window);
    dropChildPeers(form);
    form.setPeer(nullptr);
}

void Win32Ui::show(ui::Form& form) {
    Win32FormPeer* peer = peerOf(form);
    if (!peer) return;
    peer->show();
    for (ModalScope* scope : modalScopes_)
        if (scope->modal() == peer->hwnd()) scope->reacquire();
}

void Win32Ui::hide(ui::Form& form) {
    if (Win32FormPeer* peer = peerOf(form)) hideWindow(peer->hwnd());
}

void Win32Ui::runModal(ui::Form& form) {
    Win32FormPeer* peer = peerOf(form);
    if (!peer) return;
    ModalScope modal(*this, peer->hwnd());
    pumpUntil([&form] { return form.unloaded() || !form.visible(); });
}

namespace {
// A shown system dialog of the thread: a message box, a chooser.
BOOL CALLBACK findSystemDialog(HWND window, LPARAM found) {
    wchar_t name[8] = {};
    if (!IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
    if (GetClassNameW(window, name, 8) == 6 && std::wstring_view(name) == L"#32770") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

WindowId Win32Ui::modalWindow() {
    // A system dialog lies over the modal form it was opened from.
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findSystemDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog) return reinterpret_cast<WindowId>(dialog);
    if (!modalScopes_.empty()) return reinterpret_cast<WindowId>(modalScopes_.back()->modal());
    return 0;
}

void Win32Ui::focus(ui::Form& form, ui::Control* control) {
    if (Win32FormPeer* peer = peerOf(form))
        peer->focus(control);
    else
        form.reportFocus(control);
}

void Win32Ui::popupMenu(ui::Form& owner, ui::Menu& menu) {
    HWND window = hwndOf(owner);
    if (!window) window = hostWindow();
    Win32MenuPeer& popup = Win32MenuPeer::of(menu, commandIds_);
    HMENU handle = popup.handle();
    if (!handle || !window) return;
    POINT at{};
    GetCursorPos(&at);
    // A menu of a window in the background would not close when the user
    // clicks elsewhere; the message afterwards lets the next one open at once.
    // Earlier changes of the activation are taken first: a late report of one
    // would take the activation from the window again and close the menu.
    takeActivationReports();
    SetForegroundWindow(window);
    // The system's default alignment and buttons: only the left button picks
    // an item (the right one may have opened the menu from the editor).
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(handle, TPM_RETURNCMD, at.x, at.y, 0, window, nullptr));
    PostMessageW(window, WM_NULL, 0, 0);
    if (!chosen) return;
    // The menu is closed: what the item does may open the next one.
    if (auto* peer = dynamic_cast<Win32MenuPeer*>(menu.peer()))
        if (ui::MenuItem* item = peer->find(chosen)) item->click();
}

void Win32Ui::prepareMenu(ui::Menu& menu) { Win32MenuPeer::of(menu, commandIds_).handle(); }

std::string Win32Ui::inputBox(const std::string& caption, const std::string& prompt, const std::string& preset) {
    HWND owner = GetActiveWindow();
    Win32InputBox box(*this, caption, prompt, preset, owner);
    if (!box.hwnd()) return {};
    {
        ModalScope modal(*this, box.hwnd());
        box.show();
        pumpUntil([&box] { return box.done(); });
        if (box.hwnd()) hideWindow(box.hwnd());
    }
    return box.answer();
}

ui::Rect Win32Ui::frameAround(const ui::Form& form) {
    const auto [style, extended] = Win32FormPeer::styles(form.style());
    // At the form's resolution, or the one its window will be made at.
    const Win32FormPeer* peer = peerOf(form);
    const ScreenUnits own = peer ? peer->units() : ScreenUnits(dpiAt(form.geometry()), dpiAt(form.geometry()));
    const RECT frame = dpi_.frame(style, !form.menuBar().empty(), extended, own.dpiY());
    return {own.xToTwips(-frame.left), own.yToTwips(-frame.top), own.xToTwips(frame.right - frame.left),
            own.yToTwips(frame.bottom - frame.top)};
}

ui::ScreenInfo Win32Ui::screen() {
    ui::ScreenInfo info;
    info.widthPixels = GetSystemMetrics(SM_CXSCREEN);
    info.heightPixels = GetSystemMetrics(SM_CYSCREEN);
    info.dpiX = units_.dpiX();
    info.dpiY = units_.dpiY();
    return info;
}

int Win32Ui::compareText(std::string_view a, std::string_view b) {
    const std::wstring left = wide(a), right = wide(b);
    const int result = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, left.c_str(),
                                      static_cast<int>(left.size()), right.c_str(), static_cast<int>(right.size()));
    if (result == 0) return a.compare(b) < 0 ? -1 : a.compare(b) > 0 ? 1 : 0;  // the locale refused: bytes
    return result - CSTR_EQUAL;
}

void Win32Ui::quit() { PostQuitMessage(0); }

bool Win32Ui::preTranslate(MSG& message) {
    if (!message.hwnd) return false;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (!root) return false;
    for (Win32FormPeer* form : forms_) {
        if (form->hwnd() != root) continue;
        // Either call may run the program's code, which may destroy the form:
        // nothing touches it afterwards.
        if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) && form->translateAccelerator(message))
            return true;
        if (isTabForTheForm(message)) {
            // The dialog manager would follow the windows' stacking; Tab goes
            // by the controls' tab order instead.
            SendMessageW(root, WM_NEXTDLGCTL, GetKeyState(VK_SHIFT) < 0, 0);
            return true;
        }
        return IsDialogMessageW(root, &message) != FALSE;
    }
    if (std::find(dialogs_.begin(), dialogs_.end(), root) != dialogs_.end())
        return IsDialogMessageW(root, &message) != FALSE;
    return false;
}

void Win32Ui::dispatch(MSG& message) {
    if (preTranslate(message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void Win32Ui::pumpUntil(const std::function<bool()>& done) {
    MSG message;
    while (!done()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == -1) return;
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
}

void Win32Ui::doEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // For the loop that runs the program.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        dispatch(message);
    }
}

int Win32Ui::run() {
    MSG message;
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) return -1;
        dispatch(message);
    }
}

void Win32Ui::syncFromNative(ui::Form& form) {
    if (peerOf(form)) syncChildPeers(form);
}

void Win32Ui::syncFromNative() {
    // A copy: what the controls report may realize or destroy forms.
    const std::vector<Win32FormPeer*> forms = forms_;
    for (Win32FormPeer* peer : forms)
        if (std::find(forms_.begin(), forms_.end(), peer) != forms_.end()) syncChildPeers(peer->form());
}

}  // namespace scrivlet
