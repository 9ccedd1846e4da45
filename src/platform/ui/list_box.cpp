#include "platform/ui/list_box.h"

#include <algorithm>

#include "platform/ui/form.h"
#include "platform/ui/ui_backend.h"

namespace scrivlet::ui {

int ItemList::add(Control& owner, const std::string& text, std::intptr_t data) {
    auto at = items_.end();
    if (sorted_) {
        UiBackend& ui = owner.form()->ui();
        at = std::upper_bound(items_.begin(), items_.end(), text,
                              [&ui](const std::string& t, const ListItem& item) {
                                  return ui.compareText(t, item.text) < 0;
                              });
    }
    const auto index = at - items_.begin();
    items_.insert(at, {text, data});
    return static_cast<int>(index);
}

void ItemList::assign(Control& owner, std::vector<ListItem> items) {
    if (sorted_) {
        UiBackend& ui = owner.form()->ui();
        // Stable: equal items keep their order, as each went after those before it.
        std::stable_sort(items.begin(), items.end(),
                         [&ui](const ListItem& a, const ListItem& b) { return ui.compareText(a.text, b.text) < 0; });
    }
    items_ = std::move(items);
}

int ListBox::addItem(const std::string& text, std::intptr_t data) {
    const int index = list_.add(*this, text, data);
    if (listIndex_ >= index) ++listIndex_;
    changed(Change::Items);
    return index;
}

void ListBox::removeItem(int index) {
    if (index < 0 || index >= count()) return;
    list_.remove(index);
    if (listIndex_ == index)
        listIndex_ = -1;
    else if (listIndex_ > index)
        --listIndex_;
    changed(Change::Items);
}

void ListBox::clear() {
    list_.clear();
    listIndex_ = -1;
    changed(Change::Items);
}

void ListBox::setItems(const std::vector<std::string>& texts) {
    std::vector<ListItem> items;
    items.reserve(texts.size());
    for (const std::string& text : texts) items.push_back({text, 0});
    setItems(std::move(items));
}

void ListBox::setItems(std::vector<ListItem> items) {
    list_.assign(*this, std::move(items));
    listIndex_ = -1;
    changed(Change::Items);
}

void ListBox::setListIndex(int index) {
    if (index < -1 || index >= count()) return;
    const bool moved = index != listIndex_;
    listIndex_ = index;
    if (moved) changed(Change::Selection);
    if (moved && index >= 0 && onClick) onClick();
}

void ListBox::reportSelection(int index) {
    if (index == listIndex_) return;
    listIndex_ = index;
    if (index >= 0 && onClick) onClick();
}

void ComboBox::setText(const std::string& t) {
    if (t == text_) return;
    text_ = t;
    changed(Change::Text);
    if (onChange) onChange();
}

void ComboBox::reportText(const std::string& t) {
    if (t == text_) return;
    text_ = t;
    if (onChange) onChange();
}

int ComboBox::addItem(const std::string& text) {
    const int index = list_.add(*this, text, 0);
    changed(Change::Items);
    return index;
}

void ComboBox::clear() {
    list_.clear();
    changed(Change::Items);
}

void ComboBox::setItems(const std::vector<std::string>& texts) {
    std::vector<ListItem> items;
    items.reserve(texts.size());
    for (const std::string& text : texts) items.push_back({text, 0});
    list_.assign(*this, std::move(items));
    changed(Change::Items);
}

}  // namespace scrivlet::ui
