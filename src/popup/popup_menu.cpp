#include "popup/popup_menu.h"

#include <algorithm>

#include "platform/text.h"

namespace scrivlet {

namespace {
constexpr char FieldSeparator = '\x03';  // below every character of a name
constexpr std::size_t GroupItems = 27;   // "&0-9", "&A" .. "&Z"; then the separator
}  // namespace

PopupMenus::PopupMenus() {
    for (std::size_t g = 0; g < GroupItems; ++g) {
        const std::string caption = g == 0 ? "&0-9" : std::string("&") + static_cast<char>('A' + g - 1);
        groups_[g] = std::make_unique<ui::Menu>(caption);
        ui::MenuItem& item = pumc_.add(caption);
        item.setSubmenu(groups_[g].get());
        item.setVisible(false);
    }
    pumc_.add("-").tag = static_cast<std::intptr_t>(FixedItem::Separator);
}

void PopupMenus::clear(bool cascade) {
    if (!cascade) {
        pum_.clear();
        return;
    }
    for (auto& g : groups_) g->clear();
    for (std::size_t i = 0; i < GroupItems; ++i) pumc_.item(i).setVisible(false);
    pumc_.removeFrom(GroupItems + 1);
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

void PopupMenus::add(bool cascade, const std::string& caption, std::intptr_t tag) {
    ui::MenuItem* item = nullptr;
    if (!cascade) {
        item = &pum_.add(caption);
        wire(*item, true);
    } else if (tag > 0) {
        const char first = caption.empty() ? '\0' : caption[0];
        int g = static_cast<unsigned char>(upperCp1252(first)) - 63;
        if (g < 2 || g > 27) g = 1;
        pumc_.item(static_cast<std::size_t>(g - 1)).setVisible(true);
        const char lower = lowerCp1252(first);
        const std::size_t submenu = (lower >= 'a' && lower <= 'z') ? static_cast<std::size_t>(lower - 'a' + 1) : 0;
        item = &groups_[submenu]->add(caption);
        wire(*item, true);
    } else if (tag == static_cast<std::intptr_t>(FixedItem::Separator)) {
        // The permanent separator stands for the first fixed item.
        item = &pumc_.item(GroupItems);
    } else {
        item = &pumc_.add(caption);
        wire(*item, false);
    }
    item->setCaption(caption);
    item->tag = tag;
    item->setVisible(true);
    item->setDefault(tag == static_cast<std::intptr_t>(FixedItem::Open));
}

ui::Menu& PopupMenus::build(SnippetFile& file, bool cascade) {
    clear(cascade);
    // By name, then by the entry number as text; byte order, so "Zeta" comes
    // before "alpha" and "Gruß" 10 before "Gruß" 2.
    struct Row {
        std::string key;
        const NamedEntry* entry;
    };
    const std::vector<NamedEntry> entries = file.readNames();
    std::vector<Row> rows;
    rows.reserve(entries.size());
    for (const NamedEntry& entry : entries)
        rows.push_back({entry.name + FieldSeparator + std::to_string(entry.number), &entry});
    // std::string compares as unsigned char: by character code.
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.key < b.key; });
    for (const Row& row : rows) add(cascade, row.entry->name, row.entry->number);
    const auto fixed = [&](const char* caption, FixedItem item) {
        add(cascade, caption, static_cast<std::intptr_t>(item));
    };
    fixed("-", FixedItem::Separator);
    fixed("&Öffnen", FixedItem::Open);
    fixed("&Beenden", FixedItem::Quit);
    fixed("&Abbrechen", FixedItem::Cancel);
    return cascade ? pumc_ : pum_;
}

}  // namespace scrivlet
