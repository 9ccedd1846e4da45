#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "store/snippet_file.h"

namespace scrivlet {

// The entries sent in this run, most recent first, however they were chosen:
// the picker lists them first while its query is empty. Each keeps its name
// beside its number, so an entry that another took the number of (after a
// deletion, or a change of the file by hand) is not listed as the one used.
class RecentEntries {
public:
    static constexpr std::size_t Kept = 8;

    struct Used {
        EntryNumber number = 0;
        std::string name;
        bool operator==(const Used&) const = default;
    };

    // An entry was sent: it goes to the front, once.
    void sent(EntryNumber number, const std::string& name);
    const std::vector<Used>& list() const { return list_; }

private:
    std::vector<Used> list_;
};

}  // namespace scrivlet
