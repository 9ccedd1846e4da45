#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/lifetime.h"
#include "platform/ui/menu.h"
#include "platform/win32/unique_handle.h"

namespace scrivlet {

// The command ids of the menu items of one user interface. An item keeps its
// id as long as it exists, so that an accelerator and the open menu agree; a
// freed id goes to the next new item.
class CommandIds {
public:
    static constexpr UINT First = 0x8000;  // above the ids of controls and IDOK/IDCANCEL
    UINT acquire();
    void release(UINT id) { free_.push_back(id); }

private:
    std::vector<UINT> free_;
    UINT next_ = First;
};

// The HMENU of a menu: a pop-up menu that serves in the menu bar, as a
// submenu and for TrackPopupMenu alike. It follows the items lazily, when it
// is about to be shown: the program fills long menus item by item. Only the
// rows that changed are replaced; the rows before and after them stay, so a
// long menu in which one item changed is not made anew.
class Win32MenuPeer : public ui::ControlPeer {
public:
    Win32MenuPeer(ui::Menu& menu, std::shared_ptr<CommandIds> ids);
    ~Win32MenuPeer() override;
    void update(ui::Change) override { dirty_ = true; }

    // The peer of a menu, made on first use.
    static Win32MenuPeer& of(ui::Menu& menu, const std::shared_ptr<CommandIds>& ids);
    // The peer whose HMENU this is, if any.
    static Win32MenuPeer* fromHandle(HMENU menu);

    ui::Menu& menu() { return menu_; }
    // The HMENU, brought up to date with the items.
    HMENU handle();
    // The menu is about to open: the program's handler runs first, then the
    // HMENU follows what it changed.
    void opening();
    // The item of a command id, in this menu or its submenus.
    ui::MenuItem* find(UINT id, int depth = 0);
    // The accelerators of the items with a shortcut, submenus included.
    void collectShortcuts(std::vector<ACCEL>& accelerators, int depth = 0);

private:
    // One row of the HMENU as it was inserted.
    struct Row {
        const ui::MenuItem* item = nullptr;
        UINT id = 0;
        bool separator = false;
        std::wstring text;
        UINT state = 0;
        HMENU submenu = nullptr;
        bool operator==(const Row&) const = default;
    };

    void rebuild();
    void removeAll();
    void insert(UINT position, Row& row);

    ui::Menu& menu_;
    std::shared_ptr<CommandIds> ids_;
    UniqueHmenu handle_;
    std::map<const ui::MenuItem*, UINT> itemIds_;
    std::vector<Row> shown_;
    bool dirty_ = true;
    bool building_ = false;
    Lifetime lifetime_;
};

// What a menu item shows after its caption for its shortcut ("Strg+F").
const char* shortcutText(ui::Shortcut shortcut);

}  // namespace scrivlet
