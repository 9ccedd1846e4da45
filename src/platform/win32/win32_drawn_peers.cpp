#include "platform/win32/win32_drawn_peers.h"

#include <algorithm>

#include "platform/win32/win32_ui.h"
#include "platform/win32/win32_units.h"

namespace scrivlet {

Win32WindowlessPeer::Win32WindowlessPeer(Win32Ui& ui, ui::Control& control, HWND container)
    : ui_(ui), control_(control), container_(container), painted_(area()) {
    InvalidateRect(container_, &painted_, TRUE);
}

Win32WindowlessPeer::~Win32WindowlessPeer() {
    if (IsWindow(container_)) InvalidateRect(container_, &painted_, TRUE);
}

RECT Win32WindowlessPeer::area() {
    // A line's width and height may be negative (it runs up or left), and the
    // pen covers the last pixel too.
    const ui::Rect g = control_.geometry();
    const ScreenUnits units = ui_.unitsOf(control_);
    const int x1 = units.xToPixels(g.left), y1 = units.yToPixels(g.top);
    const int x2 = units.xToPixels(g.left + g.width), y2 = units.yToPixels(g.top + g.height);
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1};
}

void Win32WindowlessPeer::update(ui::Change) {
    InvalidateRect(container_, &painted_, TRUE);
    painted_ = area();
    InvalidateRect(container_, &painted_, TRUE);
}

void Win32WindowlessPeer::paint(HDC dc) {
    if (!control_.visible()) return;
    const ui::Rect g = control_.geometry();
    const ScreenUnits units = ui_.unitsOf(control_);
    if (dynamic_cast<ui::Line*>(&control_)) {
        const COLORREF colour = toColorRef(control_.foreColour());
        const UniqueHpen pen(CreatePen(PS_SOLID, 1, colour));
        const UniqueSelection selected = selectInto(dc, pen.get());
        const int x1 = units.xToPixels(g.left), y1 = units.yToPixels(g.top);
        const int x2 = units.xToPixels(g.left + g.width), y2 = units.yToPixels(g.top + g.height);
        MoveToEx(dc, x1, y1, nullptr);
        LineTo(dc, x2, y2);
        SetPixel(dc, x2, y2, colour);  // LineTo leaves out the end point
        return;
    }
    if (const auto* image = dynamic_cast<ui::Image*>(&control_)) {
        // The picture stretched to the image's rectangle, without the pixel
        // a pen would add.
        const int left = units.xToPixels(g.left), top = units.yToPixels(g.top);
        const int width = units.xToPixels(g.left + g.width) - left, height = units.yToPixels(g.top + g.height) - top;
        if (HICON picture = ui_.picture(image->picture(), width, height, !image->enabled()))
            DrawIconEx(dc, left, top, picture, width, height, 0, nullptr, DI_NORMAL);
        return;
    }
    const auto* shape = dynamic_cast<ui::Shape*>(&control_);
    if (!shape) return;
    const COLORREF colour = toColorRef(shape->borderColour());
    const UniqueHpen pen(CreatePen(PS_INSIDEFRAME, std::max(1, units.scale(shape->borderWidth)), colour));
    const UniqueHbrush fill(shape->filled() ? CreateSolidBrush(colour) : nullptr);
    const UniqueSelection penSelected = selectInto(dc, pen.get());
    const UniqueSelection brushSelected =
        selectInto(dc, fill ? static_cast<HGDIOBJ>(fill.get()) : GetStockObject(NULL_BRUSH));
    RECT r = area();
    if (shape->kind() == ui::ShapeKind::Circle) {
        // A circle in the middle of the shape's rectangle, as large as fits.
        const int side = std::min(r.right - r.left, r.bottom - r.top);
        const int left = r.left + (r.right - r.left - side) / 2;
        const int top = r.top + (r.bottom - r.top - side) / 2;
        Ellipse(dc, left, top, left + side, top + side);
    } else {
        Rectangle(dc, r.left, r.top, r.right, r.bottom);
    }
}

}  // namespace scrivlet
