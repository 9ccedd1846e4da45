#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "abbreviations/abbreviation_matcher.h"
#include "platform/unicode.h"

namespace scrivlet {
namespace {

using Kind = TypedKey::Kind;

// Enter, Tab, Backspace and a cursor key (←) typed as characters.
std::vector<TypedKey> keysOf(std::string_view text) {
    std::vector<TypedKey> keys;
    for (std::size_t i = 0, length = 1; i < text.size(); i += length) {
        const char32_t c = decodeUtf8(text, i, &length);
        keys.push_back(c == U'\r'   ? TypedKey{Kind::Enter, 0}
                       : c == U'\t' ? TypedKey{Kind::Tab, 0}
                       : c == U'\b' ? TypedKey{Kind::Backspace, 0}
                       : c == U'←'  ? TypedKey{Kind::Movement, 0}
                                    : TypedKey{Kind::Character, c});
    }
    return keys;
}

// A match as entry/erase/delimiter ("-" none, else the key).
std::string shown(const AbbreviationMatcher::Match& m) {
    std::string delimiter = "-";
    if (m.delimiter) {
        delimiter = m.delimiter->kind == Kind::Enter ? "Enter" : m.delimiter->kind == Kind::Tab ? "Tab" : "";
        if (delimiter.empty()) appendUtf8(delimiter, m.delimiter->character);
    }
    return std::to_string(m.entry) + "/" + std::to_string(m.erase) + "/" + delimiter;
}

TEST(AbbreviationMatcher, FindsTheseAbbreviations) {
    const AbbreviationMatcher::Settings Delimited{}, AtOnce{.atOnce = true}, AnyCase{.ignoreCase = true};
    const struct {
        const char* label;
        AbbreviationMatcher::Settings settings;
        std::string typed;
        std::vector<std::string> matches;
    } cases[] = {
        {"Blank", Delimited, "mfg ", {"1/3/ "}}, {"Enter", Delimited, "adr\r", {"3/3/Enter"}},
        {"Tab", Delimited, "adr\t", {"3/3/Tab"}}, {"Punctuation", Delimited, "mfg!", {"1/3/!"}},
        {"AfterPunctuation", Delimited, "(mfg)", {"1/3/)"}},
        {"WithPunctuationInside", Delimited, "m.f.g ", {"2/5/ "}}, {"ExactCase", Delimited, "MFG mFg ", {"6/3/ "}},
        {"UmlautExact", Delimited, "Ärger ärger ", {"4/5/ "}}, {"InAWord", Delimited, "xmfg ", {}},
        {"WordGoesOn", Delimited, "mfgs ", {}}, {"NoDelimiterNoMatch", Delimited, "mfg", {}},
        {"UnusedNeverMatches", Delimited, "gone ", {}}, {"OneLetter", Delimited, "a x b", {"5/1/ "}},
        {"BackspaceCorrects", Delimited, "mfh\bg ", {"1/3/ "}},
        {"BackspaceOverTheStart", Delimited, "q\bmfg ", {"1/3/ "}}, {"CursorKeyForgets", Delimited, "mf←g ", {}},
        {"CursorKeyStartsAWord", Delimited, "q←mfg ", {"1/3/ "}},
        {"AfterAMatchAWordStarts", Delimited, "mfg adr ", {"1/3/ ", "3/3/ "}},
        {"LongWordEndingLikeOne", Delimited, std::string(40, 'q') + "mfg ", {}},
        {"AfterALongWord", Delimited, std::string(40, 'q') + " mfg ", {"1/3/ "}},
        {"AtOnceSwallowsTheLastLetter", AtOnce, "mfg", {"1/2/-"}}, {"AtOnceNotInAWord", AtOnce, "qmfg", {}},
        {"AtOnceAfterABlank", AtOnce, "a adr", {"3/2/-"}}, {"AtOnceOneLetterErasesNothing", AtOnce, " x", {"5/0/-"}},
        {"AnyCase", AnyCase, "MfG ", {"1/3/ "}}, {"AnyCaseUmlaut", AnyCase, "äRGER ", {"4/5/ "}},
        {"AnyCaseFirstInTheFileCounts", AnyCase, "MFG ", {"1/3/ "}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        AbbreviationMatcher matcher;
        matcher.setAbbreviations({{"mfg", "Gruß", 1, false}, {"m.f.g", "Gruß2", 2, false}, {"adr", "Adresse", 3, false},
                                  {"Ärger", "Ä", 4, false}, {"gone", "weg", 0, false}, {"x", "kurz", 5, false},
                                  {"MFG", "laut", 6, false}});
        matcher.setSettings(c.settings);
        std::vector<std::string> found;
        for (const TypedKey& key : keysOf(c.typed))
            if (const auto match = matcher.key(key)) found.push_back(shown(*match));
        EXPECT_EQ(found, c.matches);
    }
}

}  // namespace
}  // namespace scrivlet
