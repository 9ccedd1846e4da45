#include <gtest/gtest.h>

#include <string>

#include "picker/search_fold.h"

namespace scrivlet {
namespace {

TEST(SearchFold, LettersMeetInOneForm) {
    const struct {
        const char* text;
        const char* spelled;
        const char* base;
    } cases[] = {
        {"Gruß", "gruss", "gruss"},          {"GRÜSSE", "gruesse", "grusse"},
        {"Straße", "strasse", "strasse"},    {"STRAẞE", "strasse", "strasse"},
        {"Ärger Öl Übel", "aerger oel uebel", "arger ol ubel"},
        {"äöü", "aeoeue", "aou"},            {"ae", "ae", "ae"},  // a spelled umlaut stays as written
        // Decomposed: letter and combining diaeresis or accent.
        {"Mu\u0308ller", "mueller", "muller"}, {"Cafe\u0301", "cafe", "cafe"}, {"i\u0308", "i", "i"},
        {"Crème Brûlée", "creme brulee", "creme brulee"}, {"Łódź", "lodz", "lodz"},
        {"ÀÁÂÃÅ Ç ÈÉÊË ÌÍÎÏ Ñ ÒÓÔÕØ ÙÚÛ Ý ÿŸ", "aaaaa c eeee iiii n ooooo uuu y yy", "aaaaa c eeee iiii n ooooo uuu y yy"},
        {"Æsop Œuvre Þór Ðen", "aesop oeuvre thor den", "aesop oeuvre thor den"},
        {"Ĳssel ŠŽČ ſ ı", "ijssel szc s i", "ijssel szc s i"},
        {"Ștefan Țară", "stefan tara", "stefan tara"},
        // Other scripts by the case table alone, their accents kept.
        {"ΣΟΦΙΑ σοφία", "σοφια σοφία", "σοφια σοφία"}, {"МОСКВА", "москва", "москва"},
        // Every kind of white space is a blank; signs stay.
        {"a\tb\r\nc\u00A0d\u3000e", "a b  c d e", "a b  c d e"},
        {"10 × 2 ÷ 5 € µ", "10 × 2 ÷ 5 € µ", "10 × 2 ÷ 5 € µ"},
        {"✓ 😀", "✓ 😀", "✓ 😀"},           {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(foldForSearch(c.text), c.spelled) << c.text;
        EXPECT_EQ(foldForSearch(c.text, Umlauts::Base), c.base) << c.text;
    }
}

TEST(SearchFold, WordsStartAfterBlanksSignsAndAtTheStart) {
    const struct {
        const char* folded;
        std::size_t at;
        bool starts;
    } cases[] = {
        {"brief an mueller", 0, true},  {"brief an mueller", 6, true},  {"brief an mueller", 1, false},
        {"10-uhr", 3, true},            {"e-mail", 2, true},            {"(anrede)", 1, true},
        {"a/b", 2, true},               {"preis€betrag", 8, true},      {"«zitat»", 2, true},
        {"aerger", 1, false},           {"σοφια", 2, false},            {"x1", 1, false},
    };
    for (const auto& c : cases) EXPECT_EQ(startsWord(c.folded, c.at), c.starts) << c.folded << " at " << c.at;
}

}  // namespace
}  // namespace scrivlet
