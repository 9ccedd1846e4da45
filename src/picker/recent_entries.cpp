#include "picker/recent_entries.h"

#include <algorithm>

namespace scrivlet {

void RecentEntries::sent(EntryNumber number, const std::string& name) {
    // The number now means this entry: what it meant before is gone.
    std::erase_if(list_, [&](const Used& used) { return used.number == number; });
    list_.insert(list_.begin(), Used{number, name});
    if (list_.size() > Kept) list_.resize(Kept);
}

}  // namespace scrivlet
