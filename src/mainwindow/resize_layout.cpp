#include "mainwindow/resize_layout.h"

namespace scrivlet {

namespace {

// Which parts of a control's geometry follow the window: the left edge and the
// width move with the growth in width, the top edge and the height with the
// growth in height.
enum Follows : unsigned { Left = 1, Top = 2, Width = 4, Height = 8 };

const struct {
    const char* name;
    unsigned follows;
} LaidOut[] = {{"ListenFrame", Height},  {"TextFrame", Width | Height}, {"SteuerungsFrame", Left | Height},
               {"Container1", Top},      {"Container2", Top},           {"lbEntryList", Height},
               {"GhostTextTB", Width | Height}, {"KuerzelHinweis", Top | Width}};

ui::Control* findIn(ui::Container& container, const std::string& name) {
    for (ui::Control* child : container.children()) {
        if (child->name() == name) return child;
        if (auto* inner = dynamic_cast<ui::Container*>(child))
            if (ui::Control* found = findIn(*inner, name)) return found;
    }
    return nullptr;
}

ui::Control* find(ui::Form& window, const std::string& name) {
    return name == window.name() ? &window : findIn(window, name);
}

}  // namespace

void ResizeLayout::record(ui::Control& control) { atLoad_.emplace_back(control.name(), control.geometry()); }

ui::Rect ResizeLayout::atLoad(const std::string& name) const {
    for (const auto& [control, geometry] : atLoad_)
        if (control == name) return geometry;
    return {};
}

void ResizeLayout::relayout(ui::Form& window, bool initial) {
    if (initial) {
        atLoad_.clear();
        clientAtLoad_ = {window.clientWidth(), window.clientHeight()};
        for (const auto& rule : LaidOut)
            if (ui::Control* c = find(window, rule.name)) record(*c);
        return;
    }
    if (atLoad_.empty()) return;

    // From the client area, not the outer size: on a monitor of another
    // scale the frame and the menu bar take other twips.
    int dW = window.clientWidth() - clientAtLoad_.first;
    int dH = window.clientHeight() - clientAtLoad_.second;
    // The size at load is the minimum: setting it back raises another resize,
    // whose pass then finds nothing negative.
    if (dW < 0 || dH < 0) {
        ui::Rect r = window.geometry();
        if (dW < 0) r.width -= dW;
        if (dH < 0) r.height -= dH;
        window.setGeometry(r);
        return;
    }

    for (const auto& rule : LaidOut) {
        ui::Control* c = find(window, rule.name);
        if (!c) continue;
        const ui::Rect from = atLoad(rule.name);
        ui::Rect r = c->geometry();
        if (rule.follows & Left) r.left = from.left + dW;
        if (rule.follows & Top) r.top = from.top + dH;
        if (rule.follows & Width) r.width = from.width + dW;
        if (rule.follows & Height) r.height = from.height + dH;
        c->setGeometry(r);
    }
}

}  // namespace scrivlet
