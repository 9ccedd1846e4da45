#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/menu.h"
#include "store/ini_access.h"
#include "store/snippet_file.h"

namespace scrivlet {

// The items that end every pop-up menu, by their tag; the items of entries are
// tagged with their entry number.
enum class FixedItem : int { Separator = -1, Open = -2, Quit = -3, Cancel = -4 };

// The two layouts of the pop-up menu of entries: flat ("PumMain 1"), or
// grouped in 27 submenus by the first character ("PumMain 2 (cascade)"). Both
// are rebuilt from the snippet file before every display, so the menu always
// shows what the file holds.
class PopupMenus {
public:
    PopupMenus();

    // The menu to display for the cascade flag, rebuilt from the file.
    ui::Menu& build(SnippetFile& file, bool cascade);

    ui::Menu& flat() { return pum_; }
    ui::Menu& cascaded() { return pumc_; }
    // The submenu of group g: 0 for "&0-9", 1 to 26 for "&A" to "&Z".
    ui::Menu& group(int g) { return *groups_.at(static_cast<std::size_t>(g)); }

    // What choosing an item of an entry or of a fixed item does.
    std::function<void(EntryNumber)> onEntry;
    std::function<void(FixedItem)> onFixed;

private:
    void clear(bool cascade);
    void add(bool cascade, const std::string& caption, std::intptr_t tag);
    void wire(ui::MenuItem& item, bool entryItem);

    ui::Menu pum_{"PumMain 1"};
    ui::Menu pumc_{"PumMain 2 (cascade)"};
    std::array<std::unique_ptr<ui::Menu>, 27> groups_;
};

}  // namespace scrivlet
