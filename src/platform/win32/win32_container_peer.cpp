#include "platform/win32/win32_container_peer.h"

#include "platform/win32/win32_child_windows.h"
#include "platform/win32/win32_ui.h"
#include "platform/win32/win32_units.h"

namespace scrivlet {

Win32ContainerPeer::Win32ContainerPeer(Win32Ui& ui, ui::Container& container, HWND parent, int id)
    : Win32ControlPeer(ui, container, parent, id), container_(container) {
    const auto* frame = dynamic_cast<ui::Frame*>(&container);
    // WS_EX_CONTROLPARENT: Tab goes on into the controls inside.
    createWindow(ClassName, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, frame ? frame->caption() : std::string());
}

void Win32ContainerPeer::updateOwn(ui::Change change) {
    if (change == ui::Change::Caption) InvalidateRect(hwnd(), nullptr, TRUE);
}

std::optional<LRESULT> Win32ContainerPeer::subclassMessage(HWND window, UINT message, WPARAM wParam,
                                                           LPARAM lParam) {
    if (auto routed = routeToChildPeer(message, wParam, lParam)) return routed;
    switch (message) {
        case WM_ERASEBKGND: {
            RECT area;
            GetClientRect(window, &area);
            UniqueHbrush back(CreateSolidBrush(toColorRef(control_.backColour())));
            FillRect(reinterpret_cast<HDC>(wParam), &area, back.get());
            return 1;
        }
        case WM_PAINT: {
            const UniquePainting painting = beginPaint(window);
            paint(painting.get().dc);
            return 0;
        }
        default:
            return Win32ControlPeer::subclassMessage(window, message, wParam, lParam);
    }
}

void Win32ContainerPeer::paint(HDC dc) {
    if (const auto* frame = dynamic_cast<ui::Frame*>(&container_)) {
        RECT area;
        GetClientRect(hwnd(), &area);
        const UniqueSelection font = selectInto(dc, currentFont());
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        RECT border = area;
        border.top += metrics.tmHeight / 2;
        DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
        const std::wstring caption = wide(frame->caption());
        if (!caption.empty()) {
            const int inset = units().scale(8);
            RECT text{area.left + inset, area.top, area.right - inset, area.top + metrics.tmHeight};
            DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                      DT_CALCRECT | DT_SINGLELINE);
            text.left -= 2;
            text.right += 2;
            SetBkColor(dc, toColorRef(control_.backColour()));
            SetTextColor(dc, control_.enabled() ? toColorRef(control_.foreColour()) : GetSysColor(COLOR_GRAYTEXT));
            SetBkMode(dc, OPAQUE);
            DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                      DT_CENTER | DT_SINGLELINE);
        }
    }
    paintWindowlessChildren(container_, dc);
}

}  // namespace scrivlet
