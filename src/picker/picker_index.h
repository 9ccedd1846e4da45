#pragma once
#include <functional>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "picker/recent_entries.h"
#include "picker/search_word.h"
#include "platform/files.h"
#include "store/snippet_file.h"
#include "store/snippet_file_follower.h"

namespace scrivlet {

struct PickerEntry {
    EntryNumber number = 0;
    std::string name;
};

// What the picker searches: every entry's name and, unless it is enciphered,
// its text, in the menu's order and folded for the search (search_fold.h),
// with the first lines of each text for the preview. It is read from the
// snippet file only when the file may hold other entries than when it was
// read last, as the pop-up menu keeps its menu; a keystroke reads nothing.
//
// A query is split into words at blanks, and the entries found are ranked:
//   1. every word lies in the name, which starts with the query's first word,
//   2. ... a word of the name starts with the first word,
//   3. ... the first word lies elsewhere in the name;
//   4. then the entries found with their text: every word of the query lies
//      in the name or in the text, at least one only in the text.
// Within a rank, the menu's order. The first word decides the rank because it
// is the one the user types first and refines with the others; a word may
// match within a word of the name ("rechnung" finds "Abrechnung").
class PickerIndex {
public:
    explicit PickerIndex(FileSystem& files) : files_(files) {}

    // Up to date with the snippet file: read again (the names, and the texts
    // of the entries that are not enciphered) only after a change of the file,
    // its write time or size, or a write the program made itself. True when it
    // was read. readable, when given, is asked before a changed file is read,
    // as the menu asks it: false leaves the index empty until the next change.
    bool refresh(SnippetFile& file, const std::function<bool()>& readable = {});

    // Every entry, in the menu's order.
    const std::vector<PickerEntry>& entries() const { return entries_; }
    // The entry of that number; null when the index holds none.
    const PickerEntry* entry(EntryNumber number) const;

    // The entries the query finds, best first (the one the picker selects).
    // A query without words lists the recent entries that still exist (most
    // recent first), then all others in the menu's order. A query that only
    // adds to the last one (a letter typed, a word added) looks only at what
    // the last one found.
    std::vector<EntryNumber> search(std::string_view query, const RecentEntries& recent);

    // The first lines of the entry's text (previewLines); none for an
    // enciphered entry, an empty text or a number the index does not hold.
    const std::vector<std::string>& preview(EntryNumber number) const;

private:
    // A folded text, and its form with umlauts as base letters when that
    // differs (otherwise empty).
    struct Folded {
        std::string spelled;
        std::string base;
    };
    struct Searchable {
        Folded name;
        Folded text;
    };
    static Folded fold(std::string_view text);
    static bool contains(const Folded& folded, const SearchWord& word);
    static int nameRank(const Folded& name, const SearchWord& word);
    static int rankOf(const Searchable& entry, const std::vector<SearchWord>& words);
    std::vector<EntryNumber> recentFirst(const RecentEntries& recent) const;

    FileSystem& files_;
    SnippetFileFollower follower_{files_};
    std::vector<PickerEntry> entries_;
    std::vector<Searchable> searchable_;
    std::vector<std::vector<std::string>> previews_;
    // Where each entry number stands in entries_, -1 for none.
    std::vector<std::int32_t> positionOf_;
    // The last query's words and the positions of every entry it found.
    std::vector<std::string> lastWords_;
    std::vector<std::uint32_t> lastFound_;
};

}  // namespace scrivlet
