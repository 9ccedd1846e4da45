#include "picker/search_word.h"

#include <cstring>

namespace scrivlet {

namespace {

// How often a byte stands in folded German text, higher for more often: the
// blank, then the letters by their frequency; digits, signs and the bytes of
// other scripts are rare.
int frequency(unsigned char c) {
    constexpr std::string_view ByFrequency = "qxyjvpzkfwbomgcluhdtarsine ";
    const std::size_t at = ByFrequency.find(static_cast<char>(c));
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

}  // namespace

SearchWord::SearchWord(std::string folded) : text_(std::move(folded)) {
    for (std::size_t i = 1; i < text_.size(); ++i)
        if (frequency(static_cast<unsigned char>(text_[i])) <
            frequency(static_cast<unsigned char>(text_[anchor_])))
            anchor_ = i;
    mayNeedBase_ = !text_.empty() && text_.find_first_of("aou") < text_.size() - 1;
}

std::size_t SearchWord::findIn(std::string_view folded, std::size_t from) const {
    const std::size_t n = text_.size();
    if (n == 0) return from <= folded.size() ? from : std::string_view::npos;
    if (folded.size() < n || from > folded.size() - n) return std::string_view::npos;
    const char* const text = folded.data();
    const char wanted = text_[anchor_];
    // The anchor byte of a match starting at from .. folded.size() - n.
    std::size_t at = from + anchor_;
    const std::size_t last = folded.size() - n + anchor_;
    while (at <= last) {
        const void* hit = std::memchr(text + at, wanted, last - at + 1);
        if (!hit) break;
        at = static_cast<std::size_t>(static_cast<const char*>(hit) - text);
        const std::size_t start = at - anchor_;
        // The last letter first: it differs at most candidates, which then
        // cost no call.
        if (text[start + n - 1] == text_[n - 1] && std::memcmp(text + start, text_.data(), n) == 0) return start;
        ++at;
    }
    return std::string_view::npos;
}

}  // namespace scrivlet
