#include "platform/win32/win32_menu_peer.h"

#include "platform/win32/win32_text.h"

namespace scrivlet {

namespace {
// Menus nest only a few levels; a deeper search is a menu that contains itself.
constexpr int MaxDepth = 16;
}  // namespace

UINT CommandIds::acquire() {
    if (!free_.empty()) {
        const UINT id = free_.back();
        free_.pop_back();
        return id;
    }
    return next_ < 0xFFFF ? next_++ : 0;  // 0: no command, the item stays inert
}

const char* shortcutText(ui::Shortcut shortcut) {
    switch (shortcut) {
        case ui::Shortcut::CtrlF: return "Strg+F";
        case ui::Shortcut::F3: return "F3";
        case ui::Shortcut::None: break;
    }
    return "";
}

Win32MenuPeer::Win32MenuPeer(ui::Menu& menu, std::shared_ptr<CommandIds> ids)
    : menu_(menu), ids_(std::move(ids)), handle_(CreatePopupMenu()) {
    if (!handle_) return;
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_MENUDATA;
    info.dwMenuData = reinterpret_cast<ULONG_PTR>(this);
    SetMenuInfo(handle_.get(), &info);
}

Win32MenuPeer::~Win32MenuPeer() {
    lifetime_.end();
    removeAll();
    for (const auto& [item, id] : itemIds_)
        if (id) ids_->release(id);
}

Win32MenuPeer& Win32MenuPeer::of(ui::Menu& menu, const std::shared_ptr<CommandIds>& ids) {
    if (auto* existing = dynamic_cast<Win32MenuPeer*>(menu.peer())) return *existing;
    auto peer = std::make_unique<Win32MenuPeer>(menu, ids);
    Win32MenuPeer& result = *peer;
    menu.setPeer(std::move(peer));
    return result;
}

Win32MenuPeer* Win32MenuPeer::fromHandle(HMENU menu) {
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_MENUDATA;
    if (!menu || !GetMenuInfo(menu, &info)) return nullptr;
    return reinterpret_cast<Win32MenuPeer*>(info.dwMenuData);
}

void Win32MenuPeer::removeAll() {
    // RemoveMenu, not DeleteMenu: a submenu belongs to its own peer. From the
    // end, so that no row moves.
    if (!handle_) return;
    for (int count = GetMenuItemCount(handle_.get()); count > 0; --count)
        if (!RemoveMenu(handle_.get(), static_cast<UINT>(count - 1), MF_BYPOSITION)) break;
    shown_.clear();
}

HMENU Win32MenuPeer::handle() {
    if (dirty_ && !building_) rebuild();
    return handle_.get();
}

void Win32MenuPeer::opening() {
    const Lifetime::Watch alive = lifetime_.watch();
    menu_.open();
    if (alive.alive()) handle();
}

void Win32MenuPeer::insert(UINT position, Row& row) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    if (row.separator) {
        info.fMask = MIIM_FTYPE;
        info.fType = MFT_SEPARATOR;
    } else {
        info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID | MIIM_STATE;
        info.fType = MFT_STRING;
        info.dwTypeData = row.text.data();
        info.wID = row.id;
        info.fState = row.state;
        if (row.submenu) {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = row.submenu;
        }
    }
    InsertMenuItemW(handle_.get(), position, TRUE, &info);
}

void Win32MenuPeer::rebuild() {
    if (!handle_) return;
    building_ = true;
    std::map<const ui::MenuItem*, UINT> kept;
    std::vector<Row> rows;
    rows.reserve(menu_.items().size());
    for (const auto& owned : menu_.items()) {
        ui::MenuItem& item = *owned;
        const auto known = itemIds_.find(&item);
        UINT id = 0;
        if (known != itemIds_.end()) {
            id = known->second;
            itemIds_.erase(known);
        } else {
            id = ids_->acquire();
        }
        kept.emplace(&item, id);
        // An invisible item is left out of the menu altogether.
        if (!item.visible()) continue;
        Row row;
        row.item = &item;
        row.separator = item.isSeparator();
        if (!row.separator) {
            row.id = id;
            std::string text = item.caption();
            if (item.shortcut() != ui::Shortcut::None) text += std::string("\t") + shortcutText(item.shortcut());
            row.text = wide(text);
            row.state = (item.enabled() ? MFS_ENABLED : MFS_GRAYED) | (item.isDefault() ? MFS_DEFAULT : 0);
            if (ui::Menu* sub = item.submenu(); sub && sub != &menu_) {
                Win32MenuPeer& subPeer = of(*sub, ids_);
                if (!subPeer.building_) row.submenu = subPeer.handle();
            }
        }
        rows.push_back(std::move(row));
    }
    // The rows both lists begin and end with stay in the menu; those between
    // are replaced, removed from the last so that no row moves in vain.
    std::size_t head = 0;
    while (head < shown_.size() && head < rows.size() && shown_[head] == rows[head]) ++head;
    std::size_t tail = 0;
    while (tail < shown_.size() - head && tail < rows.size() - head &&
           shown_[shown_.size() - 1 - tail] == rows[rows.size() - 1 - tail])
        ++tail;
    for (std::size_t i = shown_.size() - tail; i > head; --i)
        RemoveMenu(handle_.get(), static_cast<UINT>(i - 1), MF_BYPOSITION);
    for (std::size_t i = head; i < rows.size() - tail; ++i) insert(static_cast<UINT>(i), rows[i]);
    shown_ = std::move(rows);
    for (const auto& [gone, id] : itemIds_)
        if (id) ids_->release(id);
    itemIds_ = std::move(kept);
    dirty_ = false;
    building_ = false;
}

ui::MenuItem* Win32MenuPeer::find(UINT id, int depth) {
    if (id == 0 || depth > MaxDepth) return nullptr;
    // Only items that still exist are searched, so an id from before a change
    // can never reach an item that is gone.
    for (const auto& owned : menu_.items()) {
        const auto known = itemIds_.find(owned.get());
        if (known != itemIds_.end() && known->second == id) return owned.get();
        if (ui::Menu* sub = owned->submenu(); sub && sub != &menu_)
            if (auto* subPeer = dynamic_cast<Win32MenuPeer*>(sub->peer()))
                if (ui::MenuItem* found = subPeer->find(id, depth + 1)) return found;
    }
    return nullptr;
}

void Win32MenuPeer::collectShortcuts(std::vector<ACCEL>& accelerators, int depth) {
    if (depth > MaxDepth) return;
    handle();  // every item has its id
    for (const auto& owned : menu_.items()) {
        const auto known = itemIds_.find(owned.get());
        if (known != itemIds_.end() && known->second) {
            const auto command = static_cast<WORD>(known->second);
            if (owned->shortcut() == ui::Shortcut::CtrlF)
                accelerators.push_back({FVIRTKEY | FCONTROL, 'F', command});
            else if (owned->shortcut() == ui::Shortcut::F3)
                accelerators.push_back({FVIRTKEY, VK_F3, command});
        }
        if (ui::Menu* sub = owned->submenu(); sub && sub != &menu_)
            of(*sub, ids_).collectShortcuts(accelerators, depth + 1);
    }
}

}  // namespace scrivlet
