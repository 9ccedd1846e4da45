#include "popup/popup_menu.h"

#include <algorithm>

#include "platform/text.h"
#include "platform/unicode.h"
#include "popup/menu_order.h"

namespace scrivlet {

namespace {
constexpr std::size_t GroupItems = 27;  // "&0-9", "&A" .. "&Z"; then the separator

std::intptr_t tagOf(FixedItem item) { return static_cast<std::intptr_t>(item); }

// The first character of a name as a byte of Windows-1252; 0 for one it lacks.
char firstByte(const std::string& name) {
    if (name.empty()) return '\0';
    const auto byte = toCp1252(decodeUtf8(name, 0));
    return byte ? static_cast<char>(*byte) : '\0';
}
}  // namespace

PopupMenus::PopupMenus(FileSystem& files) : files_(files) {
    for (std::size_t g = 0; g < GroupItems; ++g) {
        const std::string caption = g == 0 ? "&0-9" : std::string("&") + static_cast<char>('A' + g - 1);
        groups_[g] = std::make_unique<ui::Menu>(caption);
        ui::MenuItem& item = pumc_.add(caption);
        item.setSubmenu(groups_[g].get());
        item.setVisible(false);
    }
    // The permanent separator stands for the first fixed item.
    pumc_.add("-").tag = tagOf(FixedItem::Separator);
}

void PopupMenus::wire(ui::MenuItem& item, bool entryItem) {
    item.onClick = [this, &item, entryItem] {
        const std::intptr_t n = item.tag;
        if (entryItem && n > 0) {
            if (onEntry) onEntry(static_cast<EntryNumber>(n));
        } else if (n <= 0 && onFixed) {
            onFixed(static_cast<FixedItem>(n));
        }
    };
}

void PopupMenus::show(ui::Menu& menu, std::size_t from, const std::vector<Row>& rows, bool entryItems) {
    const std::size_t had = menu.size() - from;
    const auto same = [&](std::size_t i, std::size_t r) {
        const ui::MenuItem& item = menu.item(from + i);
        return item.tag == rows[r].tag && item.caption() == rows[r].caption;
    };
    std::size_t head = 0;
    while (head < had && head < rows.size() && same(head, head)) ++head;
    std::size_t tail = 0;
    while (tail < had - head && tail < rows.size() - head && same(had - 1 - tail, rows.size() - 1 - tail)) ++tail;
    menu.remove(from + head, from + had - tail);
    for (std::size_t r = head; r < rows.size() - tail; ++r) {
        ui::MenuItem& item = menu.insert(from + r, rows[r].caption);
        item.tag = rows[r].tag;
        if (rows[r].tag == tagOf(FixedItem::Open)) item.setDefault(true);
        wire(item, entryItems);
    }
}

void PopupMenus::fillFlat(const std::vector<Row>& entries) {
    std::vector<Row> rows = entries;
    rows.push_back({"-", tagOf(FixedItem::Separator)});
    rows.push_back({"&Öffnen", tagOf(FixedItem::Open)});
    rows.push_back({"&Beenden", tagOf(FixedItem::Quit)});
    rows.push_back({"&Abbrechen", tagOf(FixedItem::Cancel)});
    show(pum_, 0, rows, true);
}

void PopupMenus::fillCascaded(const std::vector<Row>& entries) {
    std::array<std::vector<Row>, GroupItems> groups;
    std::array<bool, GroupItems> shown{};
    for (const Row& row : entries) {
        const char first = firstByte(row.caption);
        // The group item by the capital's code, the submenu by the small
        // letter; for every character both name the same group.
        int g = static_cast<unsigned char>(upperCp1252(first)) - 63;
        if (g < 2 || g > 27) g = 1;
        shown[static_cast<std::size_t>(g - 1)] = true;
        const char lower = lowerCp1252(first);
        const std::size_t submenu = (lower >= 'a' && lower <= 'z') ? static_cast<std::size_t>(lower - 'a' + 1) : 0;
        groups[submenu].push_back(row);
    }
    for (std::size_t g = 0; g < GroupItems; ++g) {
        show(*groups_[g], 0, groups[g], true);
        pumc_.item(g).setVisible(shown[g]);
    }
    show(pumc_, GroupItems + 1,
         {{"&Öffnen", tagOf(FixedItem::Open)},
          {"&Beenden", tagOf(FixedItem::Quit)},
          {"&Abbrechen", tagOf(FixedItem::Cancel)}},
         false);
}

ui::Menu& PopupMenus::build(SnippetFile& file, bool cascade) {
    ui::Menu& menu = cascade ? pumc_ : pum_;
    const SnippetFileFollower::Reading reading = builtFrom_[cascade ? 1 : 0].follow(file, fileReadable);
    if (reading == SnippetFileFollower::Reading::Unchanged) return menu;

    std::vector<Row> rows;
    std::vector<NamedEntry> names =
        reading == SnippetFileFollower::Reading::Read ? file.readNames() : std::vector<NamedEntry>{};
    for (NamedEntry& entry : inMenuOrder(std::move(names))) rows.push_back({std::move(entry.name), entry.number});

    if (cascade)
        fillCascaded(rows);
    else
        fillFlat(rows);
    return menu;
}

}  // namespace scrivlet
