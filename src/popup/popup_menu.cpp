#include "popup/popup_menu.h"

#include <algorithm>

#include "platform/text.h"
#include "platform/unicode.h"

namespace scrivlet {

namespace {
constexpr char32_t FieldSeparator = 3;  // below every character of a name
constexpr std::size_t GroupItems = 27;  // "&0-9", "&A" .. "&Z"; then the separator

std::intptr_t tagOf(FixedItem item) { return static_cast<std::intptr_t>(item); }

// The order of the menu: by character code of Windows-1252, as ever, and the
// characters it lacks after all of those, by their code point.
std::u32string sortKey(const NamedEntry& entry) {
    std::u32string key;
    const std::string& name = entry.name;
    for (std::size_t i = 0; i < name.size();) {
        std::size_t n = 0;
        const char32_t c = decodeUtf8(name, i, &n);
        i += n;
        const auto byte = toCp1252(c);
        key += byte ? static_cast<char32_t>(*byte) : 0x100 + c;
    }
    key += FieldSeparator;
    for (char digit : std::to_string(entry.number)) key += static_cast<char32_t>(digit);
    return key;
}

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
    // Taken before the names are read: a change while they are read shows
    // at the next opening.
    const Source source{file.path(), files_.stamp(file.path()), file.writes()};
    std::optional<Source>& built = builtFrom_[cascade ? 1 : 0];
    if (built == source) return menu;
    // A turn of the file into the program's form rewrites it: the menu is
    // built from the file as it is afterwards.
    const bool readable = !fileReadable || fileReadable();
    built = readable ? Source{file.path(), files_.stamp(file.path()), file.writes()} : source;

    // By name, then by the entry number as text; by character code, so "Zeta"
    // comes before "alpha" and "Gruß" 10 before "Gruß" 2.
    std::vector<NamedEntry> names = readable ? file.readNames() : std::vector<NamedEntry>{};
    std::vector<std::u32string> keys;
    keys.reserve(names.size());
    for (const NamedEntry& entry : names) keys.push_back(sortKey(entry));
    std::vector<std::size_t> order(names.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    std::vector<Row> rows;
    rows.reserve(names.size());
    for (std::size_t i : order) rows.push_back({std::move(names[i].name), names[i].number});

    if (cascade)
        fillCascaded(rows);
    else
        fillFlat(rows);
    return menu;
}

}  // namespace scrivlet
