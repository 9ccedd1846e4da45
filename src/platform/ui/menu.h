#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/control.h"

namespace scrivlet::ui {

class Menu;

enum class Shortcut { None, CtrlF, F3 };

// One item of a menu: a caption ("-" makes it a separator, "&" marks the
// access key), a state, and what choosing it does.
class MenuItem {
public:
    MenuItem(Menu& owner, std::string caption, Shortcut shortcut);

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& c);
    bool isSeparator() const { return caption_ == "-"; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    bool visible() const { return visible_; }
    void setVisible(bool on);
    bool isDefault() const { return default_; }  // shown in bold
    void setDefault(bool on);
    Shortcut shortcut() const { return shortcut_; }
    Menu* submenu() const { return submenu_; }
    void setSubmenu(Menu* m);

    // What the program keeps with the item, like a list box's item data.
    std::intptr_t tag = 0;
    std::function<void()> onClick;

    // The user chooses the item.
    void click() {
        if (enabled_ && visible_ && !isSeparator() && onClick) onClick();
    }

private:
    Menu& owner_;
    std::string caption_;
    Shortcut shortcut_;
    bool enabled_ = true;
    bool visible_ = true;
    bool default_ = false;
    Menu* submenu_ = nullptr;
};

// A menu of the menu bar, a submenu, or a pop-up menu; its items are numbered
// from 1 in the program's terms, from 0 here.
class Menu {
public:
    explicit Menu(std::string caption) : caption_(std::move(caption)) {}
    const std::string& caption() const { return caption_; }

    MenuItem& add(const std::string& caption, Shortcut shortcut = Shortcut::None);
    // A new item before the one at index (at the end for index size()).
    MenuItem& insert(std::size_t index, const std::string& caption);
    void remove(std::size_t from, std::size_t to);  // removes items from..to-1
    void removeFrom(std::size_t index) { remove(index, items_.size()); }
    void removeAt(std::size_t index);
    void clear() { removeFrom(0); }
    std::size_t size() const { return items_.size(); }
    MenuItem& item(std::size_t index) { return *items_.at(index); }
    const std::vector<std::unique_ptr<MenuItem>>& items() const { return items_; }

    // The menu is about to open (the user clicks its title in the menu bar).
    std::function<void()> onOpen;
    void open() {
        if (onOpen) onOpen();
    }

    ControlPeer* peer() const { return peer_.get(); }
    void setPeer(std::unique_ptr<ControlPeer> peer) { peer_ = std::move(peer); }
    void changed() {
        if (peer_) peer_->update(Change::Items);
    }

private:
    std::string caption_;
    std::vector<std::unique_ptr<MenuItem>> items_;
    std::unique_ptr<ControlPeer> peer_;
};

}  // namespace scrivlet::ui
