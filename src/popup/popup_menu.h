#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/ui/menu.h"
#include "store/ini_access.h"
#include "store/snippet_file.h"
#include "store/snippet_file_follower.h"

namespace scrivlet {

// The items that end every pop-up menu, by their tag; the items of entries are
// tagged with their entry number.
enum class FixedItem : int { Separator = -1, Open = -2, Quit = -3, Cancel = -4 };

// The two layouts of the pop-up menu of entries: flat ("PumMain 1"), or
// grouped in 27 submenus by the first character ("PumMain 2 (cascade)").
//
// A layout is kept between openings and built again from the snippet file
// only when the file may hold other names than when it was built: another
// file, another write time or size, or a write the program made itself. So a
// file changed by the user or by another program shows its new names at the
// next opening, and an unchanged one costs no read at all. A rebuild changes
// only the items that differ, so a menu of thousands of entries in which one
// name changed is not made anew.
class PopupMenus {
public:
    explicit PopupMenus(FileSystem& files);

    // The menu to display for the cascade flag, up to date with the file.
    ui::Menu& build(SnippetFile& file, bool cascade);

    ui::Menu& flat() { return pum_; }
    ui::Menu& cascaded() { return pumc_; }
    // The submenu of group g: 0 for "&0-9", 1 to 26 for "&A" to "&Z".
    ui::Menu& group(int g) { return *groups_.at(static_cast<std::size_t>(g)); }

    // What choosing an item of an entry or of a fixed item does.
    std::function<void(EntryNumber)> onEntry;
    std::function<void(FixedItem)> onFixed;
    // Asked before the names of a changed file are read: false when the file
    // cannot be read as the program's own form (another program saved it in
    // UTF-8 and it could not be turned back), and the menu shows no entries.
    std::function<bool()> fileReadable;

private:
    struct Row {
        std::string caption;
        std::intptr_t tag;
    };
    void fillFlat(const std::vector<Row>& entries);
    void fillCascaded(const std::vector<Row>& entries);
    // Makes the items of menu from index `from` on those of rows, keeping the
    // items at the start and at the end that are already right.
    void show(ui::Menu& menu, std::size_t from, const std::vector<Row>& rows, bool entryItems);
    void wire(ui::MenuItem& item, bool entryItem);

    FileSystem& files_;
    ui::Menu pum_{"PumMain 1"};
    ui::Menu pumc_{"PumMain 2 (cascade)"};
    std::array<std::unique_ptr<ui::Menu>, 27> groups_;
    std::array<SnippetFileFollower, 2> builtFrom_{SnippetFileFollower{files_}, SnippetFileFollower{files_}};  // flat, cascaded
};

}  // namespace scrivlet
