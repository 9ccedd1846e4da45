#include "picker/picker_index.h"

#include <algorithm>
#include <array>

#include "picker/preview_text.h"
#include "picker/search_fold.h"
#include "popup/menu_order.h"
#include "store/storage_escape.h"

namespace scrivlet {

namespace {

constexpr int TextRank = 3;
constexpr int NoMatch = 4;

std::vector<std::string> wordsOf(std::string_view folded) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < folded.size()) {
        while (i < folded.size() && folded[i] == ' ') ++i;
        const std::size_t start = i;
        while (i < folded.size() && folded[i] != ' ') ++i;
        if (i > start) words.emplace_back(folded.substr(start, i - start));
    }
    return words;
}

// Whether everything the query of `words` finds, the one of `before` found
// too: each earlier word lies within one of the new ones.
bool narrows(const std::vector<std::string>& before, const std::vector<std::string>& words) {
    for (const std::string& old : before) {
        bool within = false;
        for (const std::string& word : words)
            if (word.find(old) != std::string::npos) within = true;
        if (!within) return false;
    }
    return true;
}

// Whether the base form of the umlauts can differ from the spelled one: the
// text holds ä, ö, ü (in either case) or a combining diaeresis.
bool mayHoldUmlauts(std::string_view text) {
    return text.find('\xC3') != std::string_view::npos || text.find("\xCC\x88") != std::string_view::npos;
}

}  // namespace

PickerIndex::Folded PickerIndex::fold(std::string_view text) {
    Folded folded{foldForSearch(text, Umlauts::Spelled), {}};
    if (mayHoldUmlauts(text)) {
        std::string base = foldForSearch(text, Umlauts::Base);
        if (base != folded.spelled) folded.base = std::move(base);
    }
    return folded;
}

bool PickerIndex::contains(const Folded& folded, const SearchWord& word) {
    return word.findIn(folded.spelled) != std::string::npos ||
           (word.mayNeedBase() && word.findIn(folded.base) != std::string::npos);
}

int PickerIndex::nameRank(const Folded& name, const SearchWord& word) {
    int best = TextRank;
    for (const std::string* form : {&name.spelled, &name.base}) {
        if (form == &name.base && !word.mayNeedBase()) break;
        for (std::size_t at = word.findIn(*form); at != std::string::npos; at = word.findIn(*form, at + 1)) {
            if (at == 0) return 0;
            if (startsWord(*form, at)) {
                best = 1;
                break;
            }
            best = std::min(best, 2);
        }
    }
    return best;
}

int PickerIndex::rankOf(const Searchable& entry, const std::vector<SearchWord>& words) {
    const int rank = nameRank(entry.name, words.front());
    bool allInName = rank < TextRank;
    for (std::size_t w = 1; allInName && w < words.size(); ++w) allInName = contains(entry.name, words[w]);
    if (allInName) return rank;
    for (std::size_t w = 0; w < words.size(); ++w) {
        const bool inName = w == 0 ? rank < TextRank : contains(entry.name, words[w]);
        if (!inName && !contains(entry.text, words[w])) return NoMatch;
    }
    return TextRank;
}

bool PickerIndex::refresh(SnippetFile& file, const std::function<bool()>& readable) {
    // Taken before the file is read: a change while it is read shows at the
    // next refresh.
    const SnippetFileFollower::Reading reading = follower_.follow(file, readable);
    if (reading == SnippetFileFollower::Reading::Unchanged) return false;
    std::vector<NamedEntry> names =
        reading == SnippetFileFollower::Reading::Read ? inMenuOrder(file.readNames()) : std::vector<NamedEntry>{};
    const std::vector<std::optional<std::string>> texts = file.readOpenTexts(names);
    entries_.clear();
    searchable_.clear();
    previews_.clear();
    positionOf_.clear();
    entries_.reserve(names.size());
    searchable_.reserve(names.size());
    previews_.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        Searchable searchable{fold(names[i].name), {}};
        std::vector<std::string> preview;
        if (texts[i]) {
            const std::string plain = textFromFile(*texts[i]);
            searchable.text = fold(plain);
            preview = previewLines(plain);
        }
        const auto number = names[i].number;
        if (number >= 0) {
            if (positionOf_.size() <= static_cast<std::size_t>(number))
                positionOf_.resize(static_cast<std::size_t>(number) + 1, -1);
            positionOf_[static_cast<std::size_t>(number)] = static_cast<std::int32_t>(i);
        }
        entries_.push_back({number, std::move(names[i].name)});
        searchable_.push_back(std::move(searchable));
        previews_.push_back(std::move(preview));
    }
    lastWords_.clear();
    lastFound_.clear();
    return true;
}

const PickerEntry* PickerIndex::entry(EntryNumber number) const {
    if (number < 0 || static_cast<std::size_t>(number) >= positionOf_.size()) return nullptr;
    const std::int32_t at = positionOf_[static_cast<std::size_t>(number)];
    return at < 0 ? nullptr : &entries_[static_cast<std::size_t>(at)];
}

const std::vector<std::string>& PickerIndex::preview(EntryNumber number) const {
    static const std::vector<std::string> none;
    const PickerEntry* found = entry(number);
    return found ? previews_[static_cast<std::size_t>(found - entries_.data())] : none;
}

std::vector<EntryNumber> PickerIndex::recentFirst(const RecentEntries& recent) const {
    std::vector<EntryNumber> order;
    order.reserve(entries_.size());
    std::vector<bool> listed(positionOf_.size(), false);
    for (const RecentEntries::Used& used : recent.list()) {
        const PickerEntry* found = entry(used.number);
        if (!found || found->name != used.name) continue;
        order.push_back(used.number);
        listed[static_cast<std::size_t>(used.number)] = true;
    }
    for (const PickerEntry& e : entries_)
        if (!listed[static_cast<std::size_t>(e.number)]) order.push_back(e.number);
    return order;
}

std::vector<EntryNumber> PickerIndex::search(std::string_view query, const RecentEntries& recent) {
    std::vector<std::string> texts = wordsOf(foldForSearch(query));
    if (texts.empty()) {
        lastWords_.clear();
        lastFound_.clear();
        return recentFirst(recent);
    }
    const bool narrowing = !lastWords_.empty() && narrows(lastWords_, texts);
    std::vector<SearchWord> words(texts.begin(), texts.end());
    std::array<std::vector<EntryNumber>, TextRank + 1> ranked;
    std::vector<std::uint32_t> found;
    const auto consider = [&](std::uint32_t i) {
        const int rank = rankOf(searchable_[i], words);
        if (rank == NoMatch) return;
        ranked[static_cast<std::size_t>(rank)].push_back(entries_[i].number);
        found.push_back(i);
    };
    if (narrowing) {
        for (const std::uint32_t i : lastFound_) consider(i);
    } else {
        for (std::uint32_t i = 0; i < searchable_.size(); ++i) consider(i);
    }
    lastWords_ = std::move(texts);
    lastFound_ = std::move(found);

    std::vector<EntryNumber> hits;
    hits.reserve(lastFound_.size());
    for (const auto& rank : ranked) hits.insert(hits.end(), rank.begin(), rank.end());
    return hits;
}

}  // namespace scrivlet
