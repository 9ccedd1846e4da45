#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "abbreviations/abbreviation_matcher.h"
#include "platform/unicode.h"

namespace scrivlet {
namespace {

using Kind = TypedKey::Kind;

// Typed as characters: \r Enter, \t Tab, \b Backspace, ← a cursor key, ⌃ a shortcut.
std::vector<TypedKey> keysOf(std::string_view text) {
    std::vector<TypedKey> keys;
    for (std::size_t i = 0, length = 1; i < text.size(); i += length) {
        const char32_t c = decodeUtf8(text, i, &length);
        const Kind kind = c == U'\r' ? Kind::Enter : c == U'\t' ? Kind::Tab : c == U'\b' ? Kind::Backspace
                          : c == U'←' ? Kind::Movement : c == U'⌃' ? Kind::Other : Kind::Character;
        keys.push_back({kind, kind == Kind::Character ? c : 0});
    }
    return keys;
}

std::string shown(const AbbreviationMatcher::Match& m) {  // entry/erase/delimiter as keysOf writes it, "-" for none
    std::string text = std::to_string(m.entry) + "/" + std::to_string(m.erase) + "/" + (m.delimiter ? "" : "-");
    if (m.delimiter)
        appendUtf8(text, m.delimiter->kind == Kind::Enter ? U'\r' : m.delimiter->kind == Kind::Tab ? U'\t' : m.delimiter->character);
    return text;
}

TEST(AbbreviationMatcher, FindsTheseAbbreviations) {
    const AbbreviationMatcher::Settings D{}, AtOnce{.atOnce = true}, AnyCase{.ignoreCase = true};
    const struct { const char* label; AbbreviationMatcher::Settings settings; std::string typed; std::vector<std::string> matches; } cases[] = {
        {"EnterTabPunctuation", D, "adr\radr\t(mfg)", {"3/3/\r", "3/3/\t", "1/3/)"}}, {"InAWord", D, "xmfg ", {}},
        {"WithPunctuationInside", D, "m.f.g ", {"2/5/ "}}, {"ExactCase", D, "MFG mFg Ärger ärger ", {"6/3/ ", "4/5/ "}},
        {"WordGoesOn", D, "mfgs ", {}}, {"NoDelimiterNoMatch", D, "mfg", {}},
        {"UnusedNeverMatches", D, "gone ", {}}, {"OneLetter", D, "a x b", {"5/1/ "}}, {"BackspaceCorrects", D, "mfh\bg ", {"1/3/ "}},
        {"BackspaceOverTheStart", D, "q\bmfg ", {"1/3/ "}}, {"CursorKeyOrShortcutForgets", D, "mf←g m⌃fg ", {}},
        {"CursorKeyStartsAWord", D, "q←mfg ", {"1/3/ "}}, {"AfterAMatchAWordStarts", D, "mfg adr ", {"1/3/ ", "3/3/ "}},
        {"LongWordEndingLikeOne", D, std::string(40, 'q') + "mfg ", {}}, {"AfterALongWord", D, std::string(40, 'q') + " mfg ", {"1/3/ "}},
        {"AtOnceSwallowsTheLastLetter", AtOnce, "mfg", {"1/2/-"}}, {"AtOnceNotInAWord", AtOnce, "qmfg", {}},
        {"AtOnceOneLetterErasesNothing", AtOnce, " x", {"5/0/-"}}, {"AnyCaseFirstCounts", AnyCase, "MfG MFG äRGER ", {"1/3/ ", "1/3/ ", "4/5/ "}},
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
