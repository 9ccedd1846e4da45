#include "popup/popup_menu.h"

#include <algorithm>

#include "platform/text.h"
#include "store/number_text.h"

namespace scrivlet {

namespace {
constexpr char FieldSeparator = '\x03';  // below every character of a name
constexpr std::size_t GroupItems = 27;   // "&0-9", "&A" .. "&Z"; then the separator
}  // namespace

void sortStrings(std::vector<std::string>& list, int mode) {
    if (mode == 0) {
        // std::string compares as unsigned char: by character code.
        std::stable_sort(list.begin(), list.end());
        return;
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const std::string& a, const std::string& b) { return toUpper(a) < toUpper(b); });
}

int tagValue(const std::string& tag) { return leadingInt16(tag); }

PopupMenus::PopupMenus() {
    for (std::size_t g = 0; g < GroupItems; ++g) {
        const std::string caption = g == 0 ? "&0-9" : std::string("&") + static_cast<char>('A' + g - 1);
        groups_[g] = std::make_unique<ui::Menu>(caption);
        ui::MenuItem& item = pumc_.add(caption);
        item.setSubmenu(groups_[g].get());
        item.setVisible(false);
    }
    pumc_.add("-").tag = "-1";
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
        const int n = tagValue(item.tag);
        if (entryItem && n > 0) {
            if (onEntry) onEntry(static_cast<EntryNumber>(n));
        } else if (n <= 0 && onFixed) {
            onFixed(n);
        }
    };
}

void PopupMenus::add(bool cascade, const std::string& caption, const std::string& tag) {
    ui::MenuItem* item = nullptr;
    const int n = tagValue(tag);
    if (!cascade) {
        item = &pum_.add(caption);
        wire(*item, true);
    } else if (n > 0) {
        const char first = caption.empty() ? '\0' : caption[0];
        int g = static_cast<unsigned char>(upperCp1252(first)) - 63;
        if (g < 2 || g > 27) g = 1;
        pumc_.item(static_cast<std::size_t>(g - 1)).setVisible(true);
        const char lower = lowerCp1252(first);
        const std::size_t submenu = (lower >= 'a' && lower <= 'z') ? static_cast<std::size_t>(lower - 'a' + 1) : 0;
        item = &groups_[submenu]->add(caption);
        wire(*item, true);
    } else if (n == fixed_item::Separator) {
        // The permanent separator stands for the first fixed item.
        item = &pumc_.item(GroupItems);
    } else {
        item = &pumc_.add(caption);
        wire(*item, false);
    }
    item->setCaption(caption);
    item->tag = tag;
    item->setVisible(true);
    item->setDefault(tag == std::to_string(fixed_item::Open));
}

ui::Menu& PopupMenus::build(SnippetFile& file, bool cascade) {
    clear(cascade);
    std::vector<std::string> keys;
    for (const NamedEntry& entry : file.readNames())
        keys.push_back(entry.name + FieldSeparator + std::to_string(entry.number));
    sortStrings(keys, 0);
    for (const std::string& key : keys) {
        const auto split = key.find(FieldSeparator);
        add(cascade, key.substr(0, split), key.substr(split + 1));
    }
    add(cascade, "-", "-1");
    add(cascade, "&Öffnen", "-2");
    add(cascade, "&Beenden", "-3");
    add(cascade, "&Abbrechen", "-4");
    return cascade ? pumc_ : pum_;
}

}  // namespace scrivlet
