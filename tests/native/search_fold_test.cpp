#include <gtest/gtest.h>

#include <string>

#include "picker/search_fold.h"

namespace scrivlet {
namespace {

TEST(SearchFold, LettersMeetInOneForm) {
    const struct { const char* text; const char* spelled; const char* base; } cases[] = {
        {"Gruß", "gruss", "gruss"}, {"STRAẞE", "strasse", "strasse"}, {"GRÜSSE", "gruesse", "grusse"},
        {"Ärger Öl Übel äöü", "aerger oel uebel aeoeue", "arger ol ubel aou"}, {"ae", "ae", "ae"},  // a spelled umlaut stays
        {"Mu\u0308ller Cafe\u0301", "mueller cafe", "muller cafe"},  // letter and combining mark
        {"Crème Łódź Ÿ", "creme lodz y", "creme lodz y"}, {"Æsop Œuvre Þór ſ", "aesop oeuvre thor s", "aesop oeuvre thor s"},
        {"ΣΟΦΙΑ σοφία МОСКВА", "σοφια σοφία москва", "σοφια σοφία москва"},  // other scripts: case only
        {"a\tb\r\nc\u00A0d\u3000e", "a b  c d e", "a b  c d e"}, {"10 × 2 € ✓ 😀", "10 × 2 € ✓ 😀", "10 × 2 € ✓ 😀"}, {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(foldForSearch(c.text), c.spelled) << c.text;
        EXPECT_EQ(foldForSearch(c.text, Umlauts::Base), c.base) << c.text;
    }
}

TEST(SearchFold, WordsStartAfterBlanksSignsAndAtTheStart) {
    const struct { const char* folded; std::size_t at; bool starts; } cases[] = {
        {"brief an mueller", 0, true}, {"brief an mueller", 6, true}, {"brief an mueller", 1, false}, {"10-uhr", 3, true},
        {"(anrede)", 1, true}, {"preis€betrag", 8, true}, {"«zitat»", 2, true}, {"aerger", 1, false},
        {"σοφια", 2, false}, {"x1", 1, false},
    };
    for (const auto& c : cases) EXPECT_EQ(startsWord(c.folded, c.at), c.starts) << c.folded << " at " << c.at;
}

}  // namespace
}  // namespace scrivlet
