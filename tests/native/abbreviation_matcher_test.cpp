#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "abbreviations/abbreviation_matcher.h"
#include "platform/unicode.h"

namespace scrivlet {
namespace {

using Kind = TypedKey::Kind;

// Typed as characters: \r Enter, \t Tab, \b Backspace, ← a cursor key.
std::vector<TypedKey> keysOf(std::string_view text) {
    std::vector<TypedKey> keys;
    for (std::size_t i = 0, length = 1; i < text.size(); i += length) {
        const char32_t c = decodeUtf8(text, i, &length);
        keys.push_back(c == U'\r' ? TypedKey{Kind::Enter, 0} : c == U'\t' ? TypedKey{Kind::Tab, 0}
                       : c == U'\b' ? TypedKey{Kind::Backspace, 0} : c == U'←' ? TypedKey{Kind::Movement, 0}
                                                                   : TypedKey{Kind::Character, c});
    }
    return keys;
}

std::string shown(const AbbreviationMatcher::Match& m) {  // entry/erase/delimiter, "-" for none
    std::string delimiter = !m.delimiter ? "-" : m.delimiter->kind == Kind::Enter ? "Enter" : m.delimiter->kind == Kind::Tab ? "Tab" : "";
    if (m.delimiter && delimiter.empty()) appendUtf8(delimiter, m.delimiter->character);
    return std::to_string(m.entry) + "/" + std::to_string(m.erase) + "/" + delimiter;
}

TEST(AbbreviationMatcher, FindsTheseAbbreviations) {
    const AbbreviationMatcher::Settings D{}, AtOnce{.atOnce = true}, AnyCase{.ignoreCase = true};
    const struct { const char* label; AbbreviationMatcher::Settings settings; std::string typed; std::vector<std::string> matches; } cases[] = {
        {"Blank", D, "mfg ", {"1/3/ "}}, {"Enter", D, "adr\r", {"3/3/Enter"}}, {"Tab", D, "adr\t", {"3/3/Tab"}},
        {"AfterPunctuation", D, "(mfg)", {"1/3/)"}}, {"WithPunctuationInside", D, "m.f.g ", {"2/5/ "}},
        {"ExactCase", D, "MFG mFg ", {"6/3/ "}}, {"UmlautExact", D, "Ärger ärger ", {"4/5/ "}}, {"InAWord", D, "xmfg ", {}},
        {"WordGoesOn", D, "mfgs ", {}}, {"NoDelimiterNoMatch", D, "mfg", {}}, {"UnusedNeverMatches", D, "gone ", {}},
        {"OneLetter", D, "a x b", {"5/1/ "}}, {"BackspaceCorrects", D, "mfh\bg ", {"1/3/ "}},
        {"BackspaceOverTheStart", D, "q\bmfg ", {"1/3/ "}}, {"CursorKeyForgets", D, "mf←g ", {}},
        {"CursorKeyStartsAWord", D, "q←mfg ", {"1/3/ "}}, {"AfterAMatchAWordStarts", D, "mfg adr ", {"1/3/ ", "3/3/ "}},
        {"LongWordEndingLikeOne", D, std::string(40, 'q') + "mfg ", {}}, {"AfterALongWord", D, std::string(40, 'q') + " mfg ", {"1/3/ "}},
        {"AtOnceSwallowsTheLastLetter", AtOnce, "mfg", {"1/2/-"}}, {"AtOnceNotInAWord", AtOnce, "qmfg", {}},
        {"AtOnceOneLetterErasesNothing", AtOnce, " x", {"5/0/-"}}, {"AnyCase", AnyCase, "MfG ", {"1/3/ "}},
        {"AnyCaseUmlaut", AnyCase, "äRGER ", {"4/5/ "}}, {"AnyCaseFirstInTheFileCounts", AnyCase, "MFG ", {"1/3/ "}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        AbbreviationMatcher matcher;
        matcher.setAbbreviations({{"mfg", "Gruß", 1, false}, {"m.f.g", "Gruß2", 2, false}, {"adr", "Adresse", 3, false},
                                  {"Ärger", "Ä", 4, false}, {"gone", "weg", 0, false}, {"x", "kurz", 5, false}, {"MFG", "laut", 6, false}});
        matcher.setSettings(c.settings);
        std::vector<std::string> found;
        for (const TypedKey& key : keysOf(c.typed))
            if (const auto match = matcher.key(key)) found.push_back(shown(*match));
        EXPECT_EQ(found, c.matches);
    }
}

}  // namespace
}  // namespace scrivlet
