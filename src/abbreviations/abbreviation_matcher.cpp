#include "abbreviations/abbreviation_matcher.h"

#include "platform/text.h"
#include "platform/unicode.h"

namespace scrivlet {

namespace {

// The characters kept: the longest abbreviation and the one that must
// precede it.
constexpr std::size_t BufferLength = LongestAbbreviation + 1;

std::u32string codePoints(std::string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 1;
        out.push_back(decodeUtf8(text, i, &length));
        i += length;
    }
    return out;
}

std::u32string upper(std::u32string text) {
    for (char32_t& c : text) c = upperOf(c);
    return text;
}

}  // namespace

bool isDelimiter(char32_t c) {
    if (isWhiteSpace(c)) return true;
    switch (c) {
        case U'.': case U',': case U';': case U':': case U'!': case U'?': case U'"': case U'\'':
        case U'(': case U')': case U'[': case U']': case U'{': case U'}': case U'<': case U'>':
        case U'/': case U'\\': case U'|': case U'-': case U'+': case U'*': case U'=': case U'&':
        case U'%': case U'$': case U'#': case U'@': case U'~': case U'^': case U'`':
        case U'«': case U'»': case U'„': case U'“': case U'”': case U'‚': case U'‘': case U'’':
        case U'–': case U'—': case U'…': case U'¿': case U'¡': case U'·':
            return true;
        default:
            return false;
    }
}

void AbbreviationMatcher::setAbbreviations(const std::vector<Abbreviation>& abbreviations) {
    exact_.clear();
    folded_.clear();
    for (const Abbreviation& a : abbreviations) {
        if (a.entry == 0) continue;
        std::u32string typed = codePoints(a.abbreviation);
        folded_.try_emplace(upper(typed), a.entry);
        exact_.try_emplace(std::move(typed), a.entry);
    }
    reset();
}

void AbbreviationMatcher::setSettings(Settings settings) {
    settings_ = settings;
    reset();
}

void AbbreviationMatcher::reset() {
    buffer_.clear();
    complete_ = true;
}

void AbbreviationMatcher::append(char32_t character) {
    if (buffer_.size() == BufferLength) {
        buffer_.erase(buffer_.begin());
        complete_ = false;
    }
    buffer_.push_back(character);
}

std::optional<AbbreviationMatcher::Match> AbbreviationMatcher::find(std::size_t erase,
                                                                    const std::optional<TypedKey>& delimiter) const {
    const auto& table = settings_.ignoreCase ? folded_ : exact_;
    if (table.empty()) return std::nullopt;
    // Each place where a word may begin: the buffer's start, if nothing was
    // dropped before it, and every place after a delimiter.
    for (std::size_t start = 0; start < buffer_.size(); ++start) {
        if (start == 0 ? !complete_ : !isDelimiter(buffer_[start - 1])) continue;
        candidate_.assign(buffer_, start);
        if (settings_.ignoreCase)
            for (char32_t& c : candidate_) c = upperOf(c);
        if (const auto found = table.find(candidate_); found != table.end())
            return Match{found->second, candidate_.size() - erase, delimiter};
    }
    return std::nullopt;
}

std::optional<AbbreviationMatcher::Match> AbbreviationMatcher::key(const TypedKey& key) {
    char32_t typed = 0;
    switch (key.kind) {
        case TypedKey::Kind::Character: typed = key.character; break;
        case TypedKey::Kind::Enter: typed = U'\r'; break;
        case TypedKey::Kind::Tab: typed = U'\t'; break;
        case TypedKey::Kind::Backspace:
            if (!buffer_.empty()) buffer_.pop_back();
            return std::nullopt;
        case TypedKey::Kind::Movement:
        case TypedKey::Kind::Other: reset(); return std::nullopt;
    }
    std::optional<Match> match;
    if (!settings_.atOnce && isDelimiter(typed)) {
        match = find(0, key);
    } else if (settings_.atOnce && !isDelimiter(typed)) {
        // The last letter is swallowed: it is not in the window to be erased.
        append(typed);
        match = find(1, std::nullopt);
        if (!match) return std::nullopt;
    }
    if (match)
        reset();
    else
        append(typed);
    return match;
}

}  // namespace scrivlet
