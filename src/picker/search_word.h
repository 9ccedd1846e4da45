#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace scrivlet {

// A word of a query, folded (search_fold.h), found in folded texts by its
// least frequent letter: the search runs through a text for that letter alone
// (which memchr does many bytes at a time) and compares the whole word only
// where it stands, where a search for the first letter would stop at nearly
// every "e" of a German text.
class SearchWord {
public:
    explicit SearchWord(std::string folded);

    const std::string& text() const { return text_; }

    // Where the word starts in the text at byte `from` or later; npos when not.
    std::size_t findIn(std::string_view folded, std::size_t from = 0) const;

    // Whether the word can lie in the form of a text with umlauts as base
    // letters and not in its spelled form: only when it has an a, o or u
    // before its last letter, since the two forms differ by the "e" after
    // those letters alone.
    bool mayNeedBase() const { return mayNeedBase_; }

private:
    std::string text_;
    std::size_t anchor_ = 0;  // the byte the search runs for
    bool mayNeedBase_ = false;
};

}  // namespace scrivlet
