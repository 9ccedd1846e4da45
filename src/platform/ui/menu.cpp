#include "platform/ui/menu.h"

#include <algorithm>

namespace scrivlet::ui {

MenuItem::MenuItem(Menu& owner, std::string caption, Shortcut shortcut)
    : owner_(owner), caption_(std::move(caption)), shortcut_(shortcut) {}

void MenuItem::setCaption(const std::string& c) {
    caption_ = c;
    owner_.changed();
}

void MenuItem::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    owner_.changed();
}

void MenuItem::setVisible(bool on) {
    if (on == visible_) return;
    visible_ = on;
    owner_.changed();
}

void MenuItem::setDefault(bool on) {
    default_ = on;
    owner_.changed();
}

void MenuItem::setSubmenu(Menu* m) {
    submenu_ = m;
    owner_.changed();
}

MenuItem& Menu::add(const std::string& caption, Shortcut shortcut) {
    items_.push_back(std::make_unique<MenuItem>(*this, caption, shortcut));
    changed();
    return *items_.back();
}

MenuItem& Menu::insert(std::size_t index, const std::string& caption) {
    index = std::min(index, items_.size());
    const auto at = items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(index),
                                  std::make_unique<MenuItem>(*this, caption, Shortcut::None));
    changed();
    return **at;
}

void Menu::remove(std::size_t from, std::size_t to) {
    to = std::min(to, items_.size());
    if (from >= to) return;
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(from), items_.begin() + static_cast<std::ptrdiff_t>(to));
    changed();
}

void Menu::removeAt(std::size_t index) {
    if (index >= items_.size()) return;
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    changed();
}

}  // namespace scrivlet::ui
