#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "abbreviations/abbreviation_matcher.h"
#include "platform/unicode.h"

namespace scrivlet {
namespace {

using Kind = TypedKey::Kind;

std::vector<TypedKey> keysOf(std::string_view text) {
    std::vector<TypedKey> keys;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 1;
        const char32_t c = decodeUtf8(text, i, &length);
        i += length;
        keys.push_back(c == U'\r'   ? TypedKey{Kind::Enter, 0}
                       : c == U'\t' ? TypedKey{Kind::Tab, 0}
                       : c == U'\b' ? TypedKey{Kind::Backspace, 0}
                       : c == U'←'  ? TypedKey{Kind::Movement, 0}
                                    : TypedKey{Kind::Character, c});
    }
    return keys;
}

struct MatchCase {
    const char* label;
    AbbreviationMatcher::Settings settings;
    std::string typed;
    // The matches in order, as entry/erase/delimiter ("" none, else the key).
    std::vector<std::string> matches;
};

void PrintTo(const MatchCase& c, std::ostream* out) { *out << c.label; }

class Matcher : public ::testing::TestWithParam<MatchCase> {};

std::string shown(const AbbreviationMatcher::Match& m) {
    std::string delimiter = "-";
    if (m.delimiter) {
        delimiter = m.delimiter->kind == Kind::Enter ? "Enter" : m.delimiter->kind == Kind::Tab ? "Tab" : "";
        if (delimiter.empty()) appendUtf8(delimiter, m.delimiter->character);
    }
    return std::to_string(m.entry) + "/" + std::to_string(m.erase) + "/" + delimiter;
}

TEST_P(Matcher, FindsTheseAbbreviations) {
    const MatchCase& c = GetParam();
    AbbreviationMatcher matcher;
    matcher.setAbbreviations({{"mfg", "Gruß", 1, false},
                              {"m.f.g", "Gruß2", 2, false},
                              {"adr", "Adresse", 3, false},
                              {"Ärger", "Ä", 4, false},
                              {"gone", "weg", 0, false},
                              {"x", "kurz", 5, false},
                              {"MFG", "laut", 6, false}});
    matcher.setSettings(c.settings);
    std::vector<std::string> found;
    for (const TypedKey& key : keysOf(c.typed))
        if (const auto match = matcher.key(key)) found.push_back(shown(*match));
    EXPECT_EQ(found, c.matches);
}

const AbbreviationMatcher::Settings Delimited{}, AtOnce{.atOnce = true}, AnyCase{.ignoreCase = true};

INSTANTIATE_TEST_SUITE_P(
    AfterADelimiter, Matcher,
    ::testing::Values(
        MatchCase{"Blank", Delimited, "mfg ", {"1/3/ "}},
        MatchCase{"Enter", Delimited, "adr\r", {"3/3/Enter"}},
        MatchCase{"Tab", Delimited, "adr\t", {"3/3/Tab"}},
        MatchCase{"Punctuation", Delimited, "mfg!", {"1/3/!"}},
        MatchCase{"AfterPunctuation", Delimited, "(mfg)", {"1/3/)"}},
        MatchCase{"WithPunctuationInside", Delimited, "m.f.g ", {"2/5/ "}},
        MatchCase{"ExactCase", Delimited, "MFG mFg ", {"6/3/ "}},
        MatchCase{"UmlautExact", Delimited, "Ärger ärger ", {"4/5/ "}},
        MatchCase{"InAWord", Delimited, "xmfg ", {}},
        MatchCase{"WordGoesOn", Delimited, "mfgs ", {}},
        MatchCase{"NoDelimiterNoMatch", Delimited, "mfg", {}},
        MatchCase{"UnusedNeverMatches", Delimited, "gone ", {}},
        MatchCase{"OneLetter", Delimited, "a x b", {"5/1/ "}},
        MatchCase{"BackspaceCorrects", Delimited, "mfh\bg ", {"1/3/ "}},
        MatchCase{"BackspaceOverTheStart", Delimited, "q\bmfg ", {"1/3/ "}},
        MatchCase{"CursorKeyForgets", Delimited, "mf←g ", {}},
        MatchCase{"CursorKeyStartsAWord", Delimited, "q←mfg ", {"1/3/ "}},
        MatchCase{"AfterAMatchAWordStarts", Delimited, "mfg adr ", {"1/3/ ", "3/3/ "}},
        MatchCase{"LongWordEndingLikeOne", Delimited, std::string(40, 'q') + "mfg ", {}},
        MatchCase{"AfterALongWord", Delimited, std::string(40, 'q') + " mfg ", {"1/3/ "}}),
    [](const auto& p) { return std::string(p.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Options, Matcher,
    ::testing::Values(
        MatchCase{"AtOnceSwallowsTheLastLetter", AtOnce, "mfg", {"1/2/-"}},
        MatchCase{"AtOnceNotInAWord", AtOnce, "qmfg", {}},
        MatchCase{"AtOnceAfterABlank", AtOnce, "a adr", {"3/2/-"}},
        MatchCase{"AtOnceOneLetterErasesNothing", AtOnce, " x", {"5/0/-"}},
        MatchCase{"AnyCase", AnyCase, "MfG ", {"1/3/ "}},
        MatchCase{"AnyCaseUmlaut", AnyCase, "äRGER ", {"4/5/ "}},
        MatchCase{"AnyCaseFirstInTheFileCounts", AnyCase, "MFG ", {"1/3/ "}}),
    [](const auto& p) { return std::string(p.param.label); });

}  // namespace
}  // namespace scrivlet
