#include "mainwindow/resize_layout.h"

#include <cstdlib>
#include <functional>

namespace scrivlet {

namespace {

const char* const LaidOut[] = {"ListenFrame", "TextFrame", "SteuerungsFrame", "Container1",
                               "Container2",  "lbEntryList", "GhostTextTB"};

ui::Control* findIn(ui::Container& container, const std::string& name) {
    for (ui::Control* child : container.children()) {
        if (child->name() == name) return child;
        if (auto* inner = dynamic_cast<ui::Container*>(child))
            if (ui::Control* found = findIn(*inner, name)) return found;
    }
    return nullptr;
}

}  // namespace

std::string ResizeLayout::tagField(const std::string& text, int n, std::string separator) {
    if (separator.empty()) separator.push_back(' ');
    std::vector<std::string> pieces;
    std::size_t from = 0;
    while (static_cast<int>(pieces.size()) < n) {
        const std::size_t at = text.find(separator, from);
        if (at == std::string::npos) break;
        pieces.push_back(text.substr(from, at - from));
        from = at + separator.size();
    }
    pieces.push_back(text.substr(from));
    return static_cast<int>(pieces.size()) < n ? "" : pieces[static_cast<std::size_t>(n - 1)];
}

ui::Control* ResizeLayout::find(ui::Form& window, const std::string& name) {
    return name == window.name() ? &window : findIn(window, name);
}

void ResizeLayout::record(ui::Control& control) {
    const ui::Rect r = control.geometry();
    tags_.emplace_back(control.name(), std::to_string(r.left) + ":" + std::to_string(r.top) + ":" +
                                           std::to_string(r.width) + ":" + std::to_string(r.height));
}

int ResizeLayout::stored(const std::string& name, int field) const {
    for (const auto& [control, tag] : tags_)
        if (control == name) return std::atoi(tagField(tag, field, ":").c_str());
    return 0;
}

void ResizeLayout::relayout(ui::Form& window, bool initial) {
    if (initial) {
        tags_.clear();
        record(window);
        for (const char* name : LaidOut)
            if (ui::Control* c = find(window, name)) record(*c);
        return;
    }
    if (tags_.empty()) return;

    const std::string self = window.name();
    int dW = window.geometry().width - stored(self, 3);
    int dH = window.geometry().height - stored(self, 4);
    // The size at load is the minimum: setting it back raises another resize,
    // whose pass then finds nothing negative.
    if (dW < 0 || dH < 0) {
        ui::Rect r = window.geometry();
        if (dW < 0) r.width = stored(self, 3), dW = 0;
        if (dH < 0) r.height = stored(self, 4), dH = 0;
        window.setGeometry(r);
        return;
    }

    auto apply = [&](const char* name, std::initializer_list<std::pair<int, int>> changes) {
        ui::Control* c = find(window, name);
        if (!c) return;
        ui::Rect r = c->geometry();
        for (auto [field, grow] : changes) {
            const int value = stored(name, field) + grow;
            (field == 1 ? r.left : field == 2 ? r.top : field == 3 ? r.width : r.height) = value;
        }
        c->setGeometry(r);
    };
    apply("ListenFrame", {{4, dH}});
    apply("TextFrame", {{3, dW}, {4, dH}});
    apply("SteuerungsFrame", {{4, dH}, {1, dW}});
    apply("Container1", {{2, dH}});
    apply("Container2", {{2, dH}});
    apply("lbEntryList", {{4, dH}});
    apply("GhostTextTB", {{3, dW}, {4, dH}});
}

}  // namespace scrivlet
