#pragma once
#include <cstdint>

#include "platform/ui/list_box.h"
#include "store/snippet_file.h"

namespace scrivlet {

// The entry in the editor, as the main window and its entry commands both
// see it.
struct EditorState {
    // The row of the entry list whose entry the editor shows; -1 for none.
    std::int16_t currEntryListIndex = -1;
    // Set while an entry is being shown: the controls then show what was
    // read, and their change handlers must not write it back.
    bool entryLoading = false;
    // The current entry could not be read whole: nothing writes it.
    bool entryCut = false;

    // The entry number of the current entry, 0 when there is none.
    EntryNumber currentEntry(const ui::ListBox& list) const {
        if (list.count() == 0 || currEntryListIndex < 0 || currEntryListIndex >= list.count()) return 0;
        return static_cast<EntryNumber>(list.itemData(currEntryListIndex));
    }
};

}  // namespace scrivlet
