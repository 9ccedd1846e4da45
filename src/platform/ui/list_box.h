#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/control.h"

namespace scrivlet::ui {

struct ListItem {
    std::string text;
    std::intptr_t data = 0;  // the item data: entry numbers, window handles
};

// The items of a list box or of a combo box's drop-down list. A sorted list
// keeps its items in the order of the platform's case-insensitive comparison;
// an item equal to others goes after them.
class ItemList {
public:
    explicit ItemList(bool sorted) : sorted_(sorted) {}
    bool sorted() const { return sorted_; }
    int count() const { return static_cast<int>(items_.size()); }
    const ListItem& at(int i) const { return items_.at(static_cast<std::size_t>(i)); }
    const std::vector<ListItem>& items() const { return items_; }
    // Returns the index the item went to.
    int add(Control& owner, const std::string& text, std::intptr_t data);
    // All items at once, in the order add() would give them one by one.
    void assign(Control& owner, std::vector<ListItem> items);
    void remove(int index) { items_.erase(items_.begin() + index); }
    void clear() { items_.clear(); }
    void setData(int index, std::intptr_t data) { items_.at(static_cast<std::size_t>(index)).data = data; }

private:
    bool sorted_;
    std::vector<ListItem> items_;
};

// A list box with item data. Setting the selected index from code raises
// onClick exactly as the user's selection does.
class ListBox : public Control {
public:
    ListBox(Container* parent, std::string name, Rect geometry, bool sorted)
        : Control(parent, std::move(name), geometry), list_(sorted) {}
    bool focusable() const override { return true; }

    int count() const { return list_.count(); }
    const std::string& text(int i) const { return list_.at(i).text; }
    std::intptr_t itemData(int i) const { return list_.at(i).data; }
    void setItemData(int i, std::intptr_t data) { list_.setData(i, data); }
    const std::vector<ListItem>& items() const { return list_.items(); }

    int addItem(const std::string& text, std::intptr_t data = 0);
    void removeItem(int index);
    void clear();
    // Replaces every item at once, as clear() and addItem() for each would,
    // with one change for the peer: a long list, or one refilled twice a
    // second, is drawn once, not row by row. None is selected afterwards.
    void setItems(std::vector<ListItem> items);
    void setItems(const std::vector<std::string>& texts);

    // -1 when no row is selected.
    int listIndex() const { return listIndex_; }
    void setListIndex(int index);
    void doubleClick() {
        if (enabled() && onDoubleClick) onDoubleClick();
    }

    std::function<void()> onClick;
    std::function<void()> onDoubleClick;

    // The face of the rows' font, in the program's size; "" for the program's
    // own font. With fixedPitch, a system without that face shows another one
    // whose characters are all of one width, so columns stay aligned. Set
    // before the form is realized.
    std::string fontName;
    bool fixedPitch = false;

    // The user's selection, as the peer reports it.
    void reportSelection(int index);

private:
    ItemList list_;
    int listIndex_ = -1;
};

// A combo box with an editable text and a drop-down list.
class ComboBox : public Control {
public:
    ComboBox(Container* parent, std::string name, Rect geometry, bool sorted)
        : Control(parent, std::move(name), geometry), list_(sorted) {}
    bool focusable() const override { return true; }

    const std::string& text() const { return text_; }
    void setText(const std::string& t);
    int count() const { return list_.count(); }
    const std::string& itemText(int i) const { return list_.at(i).text; }
    const std::vector<ListItem>& items() const { return list_.items(); }
    int addItem(const std::string& text);
    void clear();
    // Replaces every item at once (see ListBox::setItems).
    void setItems(const std::vector<std::string>& texts);

    // The user opens the drop-down list.
    void dropDown() {
        if (enabled() && onDropDown) onDropDown();
    }
    std::function<void()> onDropDown;
    std::function<void()> onChange;

    // The user's typing or choice from the list, as the peer reports it.
    void reportText(const std::string& t);

private:
    ItemList list_;
    std::string text_;
};

}  // namespace scrivlet::ui
