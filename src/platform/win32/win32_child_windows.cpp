#include "platform/win32/win32_child_windows.h"

#include <algorithm>
#include <vector>

#include "platform/ui/list_box.h"
#include "platform/ui/rich_edit.h"
#include "platform/ui/simple_controls.h"
#include "platform/win32/win32_button_peer.h"
#include "platform/win32/win32_check_box_peer.h"
#include "platform/win32/win32_combo_box_peer.h"
#include "platform/win32/win32_container_peer.h"
#include "platform/win32/win32_drawn_peers.h"
#include "platform/win32/win32_label_peer.h"
#include "platform/win32/win32_list_box_peer.h"
#include "platform/win32/win32_option_button_peer.h"
#include "platform/win32/win32_rich_edit_peer.h"
#include "platform/win32/win32_text_box_peer.h"

namespace scrivlet {

namespace {

std::unique_ptr<ui::ControlPeer> createPeer(Win32Ui& ui, ui::Control& control, HWND parent, int id) {
    if (auto* c = dynamic_cast<ui::Container*>(&control)) return std::make_unique<Win32ContainerPeer>(ui, *c, parent, id);
    if (auto* c = dynamic_cast<ui::Label*>(&control)) return std::make_unique<Win32LabelPeer>(ui, *c, parent, id);
    if (auto* c = dynamic_cast<ui::Button*>(&control)) return std::make_unique<Win32ButtonPeer>(ui, *c, parent, id);
    if (auto* c = dynamic_cast<ui::CheckBox*>(&control)) return std::make_unique<Win32CheckBoxPeer>(ui, *c, parent, id);
    if (auto* c = dynamic_cast<ui::OptionButton*>(&control))
        return std::make_unique<Win32OptionButtonPeer>(ui, *c, parent, id);
    if (auto* c = dynamic_cast<ui::TextBox*>(&control)) return std::make_unique<Win32TextBoxPeer>(ui, *c, parent, id);
    if (auto* c = dynamic_cast<ui::ListBox*>(&control)) return std::make_unique<Win32ListBoxPeer>(ui, *c, parent, id);
    if (auto* c = dynamic_cast<ui::ComboBox*>(&control)) return std::make_unique<Win32ComboBoxPeer>(ui, *c, parent, id);
    if (auto* c = dynamic_cast<ui::RichEdit*>(&control)) return std::make_unique<Win32RichEditPeer>(ui, *c, parent, id);
    if (dynamic_cast<ui::Line*>(&control) || dynamic_cast<ui::Shape*>(&control) || dynamic_cast<ui::Image*>(&control))
        return std::make_unique<Win32WindowlessPeer>(ui, control, parent);
    return nullptr;
}

HWND windowOf(ui::Control& control) {
    auto* peer = dynamic_cast<Win32ControlPeer*>(control.peer());
    return peer ? peer->hwnd() : nullptr;
}

void addStyle(HWND window, LONG_PTR bits) {
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | bits);
}

// The windows lie in the order of creation, the first on top, so that a
// control declared before another one that overlaps it stays in sight (Tab
// does not follow this order: see tabStops). The dialog manager moves the
// arrow keys through a group in this order; groups end at every control but
// an option button, so that the option buttons created together form one.
void orderWindows(ui::Container& container) {
    bool previousWasOption = false;
    for (ui::Control* control : container.children()) {
        HWND window = windowOf(*control);
        if (!window) continue;
        SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        const bool option = dynamic_cast<ui::OptionButton*>(control) != nullptr;
        if (!option || !previousWasOption) addStyle(window, WS_GROUP);
        previousWasOption = option;
    }
}

}  // namespace

void createChildPeers(Win32Ui& ui, ui::Container& container, HWND parent, int& nextId) {
    for (ui::Control* child : container.children()) {
        child->setPeer(createPeer(ui, *child, parent, nextId++));
        if (auto* inner = dynamic_cast<ui::Container*>(child))
            if (HWND window = windowOf(*inner)) createChildPeers(ui, *inner, window, nextId);
    }
    orderWindows(container);
}

void refreshChildPeersForDpi(ui::Container& container) {
    for (ui::Control* child : container.children()) {
        if (auto* peer = dynamic_cast<Win32ControlPeer*>(child->peer()))
            peer->refreshForDpi();
        else if (child->peer())
            child->peer()->update(ui::Change::Geometry);  // drawn by the container
        if (auto* inner = dynamic_cast<ui::Container*>(child)) refreshChildPeersForDpi(*inner);
    }
}

void dropChildPeers(ui::Container& container) {
    for (ui::Control* child : container.children()) {
        if (auto* inner = dynamic_cast<ui::Container*>(child)) dropChildPeers(*inner);
        child->setPeer(nullptr);
    }
}

void syncChildPeers(ui::Container& container) {
    for (ui::Control* child : container.children()) {
        if (auto* peer = dynamic_cast<Win32ControlPeer*>(child->peer())) peer->syncFromNative();
        if (auto* inner = dynamic_cast<ui::Container*>(child)) syncChildPeers(*inner);
    }
}

void paintWindowlessChildren(ui::Container& container, HDC dc) {
    for (ui::Control* child : container.children())
        if (auto* peer = dynamic_cast<Win32WindowlessPeer*>(child->peer())) peer->paint(dc);
}

std::optional<LRESULT> routeToChildPeer(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (auto* peer = Win32ControlPeer::fromHwnd(reinterpret_cast<HWND>(lParam))) {
                peer->command(HIWORD(wParam));
                return 0;
            }
            break;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (auto* peer = header ? Win32ControlPeer::fromHwnd(header->hwndFrom) : nullptr)
                return peer->notify(*header);
            break;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item && item->CtlType != ODT_MENU)
                if (auto* peer = Win32ControlPeer::fromHwnd(item->hwndItem); peer && peer->drawItem(*item))
                    return TRUE;
            break;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            if (auto* peer = Win32ControlPeer::fromHwnd(reinterpret_cast<HWND>(lParam)))
                if (HBRUSH brush = peer->controlColour(reinterpret_cast<HDC>(wParam)))
                    return reinterpret_cast<LRESULT>(brush);
            break;
        default: break;
    }
    return std::nullopt;
}

void focusLikeDialog(HWND window) {
    if (!window) return;
    if (SendMessageW(window, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(window, EM_SETSEL, 0, -1);
    SetFocus(window);
}

void moveDialogFocus(HWND dialog, WPARAM wParam, LPARAM lParam) {
    focusLikeDialog(LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                   : GetNextDlgTabItem(dialog, GetFocus(), wParam != 0));
}

namespace {
void collectTabStops(ui::Container& container, std::vector<HWND>& stops) {
    std::vector<ui::Control*> order(container.children().begin(), container.children().end());
    std::stable_sort(order.begin(), order.end(),
                     [](const ui::Control* a, const ui::Control* b) { return a->tabIndex() < b->tabIndex(); });
    for (ui::Control* control : order) {
        HWND window = windowOf(*control);
        if (!window || !IsWindowVisible(window) || !IsWindowEnabled(window)) continue;
        if (auto* inner = dynamic_cast<ui::Container*>(control))
            collectTabStops(*inner, stops);
        else if (GetWindowLongPtrW(window, GWL_STYLE) & WS_TABSTOP)
            stops.push_back(window);
    }
}
}  // namespace

std::vector<HWND> tabStops(ui::Container& form) {
    std::vector<HWND> stops;
    collectTabStops(form, stops);
    return stops;
}

HWND nextTabStop(ui::Container& form, HWND from, bool backwards) {
    const std::vector<HWND> stops = tabStops(form);
    if (stops.empty()) return nullptr;
    const std::size_t n = stops.size();
    for (std::size_t i = 0; i < n; ++i)
        if (from && (stops[i] == from || IsChild(stops[i], from)))  // the edit field of a combo box
            return stops[backwards ? (i + n - 1) % n : (i + 1) % n];
    return backwards ? stops.back() : stops.front();
}

}  // namespace scrivlet
