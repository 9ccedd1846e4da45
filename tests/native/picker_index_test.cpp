// What the picker finds and previews: the index over the entries, and the folding and word search it rests on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "native/main_window_story.h"
#include "picker/picker_index.h"
#include "picker/preview_text.h"
#include "picker/recent_entries.h"
#include "picker/search_fold.h"
#include "picker/search_word.h"

namespace scrivlet {
namespace {

using Names = std::vector<std::string>;

struct PickerIndexTest : ::testing::Test, test::SimDesktop {
    PickerIndexTest() {  // numbered 1, 2, ... in this order; the menu's order is by character code
        writeFile(StandardFile, test::snippetFile({{"Abrechnung Mai", ""}, {"Rechnung Müller", "Anbei die Rechnung."},
            {"Brief Rechnung", ""}, {"rechnung klein", ""}, {"Angebot", "Ihre Rechnung vom\\N%datum%"}, {"Geheim", ""},
            {"Gruß an Straße", ""}, {"Mahnung", "Sehr geehrter Herr Müller,\\N\\N\\Tbitte zahlen Sie."}, {"Ärger", ""},
            {"Michael", "Gruß\\TMichael"}}));
        file.setPath(StandardFile);
        EXPECT_EQ(file.writeEntry(6, Entry{"Geheim", "Rechnung an Meier", "", 1, 0, false}), WriteResult::Ok);  // enciphered
        index.refresh(file);
    }
    Names found(const std::string& query, const RecentEntries& r = {}) {
        Names names;
        for (EntryNumber n : index.search(query, r)) names.push_back(index.entry(n) ? index.entry(n)->name : "<?>");
        return names;
    }

    IniAccess ini{sim.profile};
    SnippetFile file{ini, sim.random};
    PickerIndex index{sim.files};
};

TEST_F(PickerIndexTest, RanksNameStartsThenWordStartsThenOtherNamesThenTexts) {
    const Names rechnung = {"Rechnung Müller", "rechnung klein", "Brief Rechnung", "Abrechnung Mai", "Angebot"};
    const Names mueller = {"Rechnung Müller", "Mahnung"}, gruss = {"Gruß an Straße", "Michael"}, aerger = {"Ärger", "Michael"};
    const std::string cipher = sim.profile.readString("Text", "6", "", StandardFile, 32767);  // "Geheim"
    ASSERT_GE(cipher.size(), 8u);
    const struct { std::string query; Names found; } cases[] = {
        {"rechnung", rechnung}, {"RECH", rechnung}, {"mül", mueller}, {"mueller", mueller}, {"mull", mueller},
        {"gruss", gruss}, {"GRUẞ", gruss}, {"strasse", {"Gruß an Straße"}}, {"ae", aerger}, {"ä", aerger}, {"arg", {"Ärger"}},
        // the first word ranks; each must be in the name, or for the last rank in the name or the text
        {"rechnung m", {"Rechnung Müller", "Abrechnung Mai", "Angebot"}}, {"m rechnung", {"Abrechnung Mai", "Rechnung Müller", "Angebot"}},
        {"  an   str ", {"Gruß an Straße"}}, {"angebot rechnung", {"Angebot"}}, {"herr zahlen", {"Mahnung"}}, {"sie, mahnung", {}},
        {"mahnung sie,", {}}, {"mahnung sie.", {"Mahnung"}}, {"%datum%", {"Angebot"}}, {"xyz", {}},
        // an enciphered text is never searched, plain or as stored; its name is
        {"meier", {}}, {"rechnung an", {"Angebot", "Rechnung Müller"}}, {"geheim", {"Geheim"}},
        {cipher.substr(0, 4), {}}, {cipher.substr(cipher.size() - 6), {}}};
    for (const auto& c : cases) EXPECT_EQ(found(c.query), c.found) << c.query;
}

// The last eight sent, once each, the latest first, then the others in the menu's order; left out when the
// number is gone or now names another entry ("Früher": number 6 is "Geheim" now).
TEST_F(PickerIndexTest, AnEmptyQueryListsTheEntriesSentLastFirst) {
    RecentEntries r;
    for (EntryNumber n = 1; n <= 10; ++n) r.sent(n, index.entry(n)->name);
    r.sent(5, "Angebot");
    r.sent(6, "Früher");
    r.sent(99, "Weg");
    const Names expected = {"Angebot", "Michael", "Ärger", "Mahnung", "Gruß an Straße", "rechnung klein",
                            "Abrechnung Mai", "Brief Rechnung", "Geheim", "Rechnung Müller"};
    EXPECT_EQ(found("", r), expected);
    EXPECT_EQ(found(" \t ", r), expected);
}

// The first three lines, Enter and Tab as symbols, a line cut after 160 characters; nothing of an enciphered text.
TEST_F(PickerIndexTest, PreviewsTheFirstLinesOfPlainTextsOnly) {
    const auto times = [](const std::string& s, int n) { std::string out; while (n--) out += s; return out; };
    const std::string x160(160, 'x'), ae160 = times("ä", 160);
    const struct { const char* label; std::string text; Names lines; } cases[] = {
        {"Enter ends a line", "Hallo\rWelt", {"Hallo¶", "Welt"}}, {"LF after Enter belongs to it", "a\r\nb", {"a¶", "b"}},
        {"a line feed of its own", "x\ny", {"x", "y"}}, {"Tab", "Nr.\t%datum%", {"Nr.→%datum%"}},
        {"three lines at most", "1\r2\r3\r4", {"1¶", "2¶", "3¶"}}, {"a final Enter starts no line", "a\r", {"a¶"}},
        {"empty lines show their Enter", "a\r\r\rb", {"a¶", "¶", "¶"}}, {"empty text", "", {}}, {"just long enough", x160, {x160}},
        {"a longer line is cut", x160 + "yyy\rzwei", {x160 + "…¶", "zwei"}}, {"cut by characters", ae160 + "ö", {ae160 + "…"}},
        {"a Tab counts as one character", times("\t", 161), {times("→", 160) + "…"}},
    };
    for (const auto& c : cases) EXPECT_EQ(previewLines(c.text), c.lines) << c.label;
    EXPECT_EQ(index.preview(5), (Names{"Ihre Rechnung vom¶", "%datum%"}));  // as the file holds it
    for (const EntryNumber n : {EntryNumber{6}, EntryNumber{99}}) EXPECT_EQ(index.preview(n), Names{}) << n;  // enciphered, gone
}

// Typing narrows the last result; it must list what a fresh search lists, also after a change of the file.
TEST_F(PickerIndexTest, NarrowingFindsWhatAFreshSearchFinds) {
    for (const char* query : {"r", "re", "rec", "rech", "rec", "rech", "rech m", "rech mu", "rech mül", "rech mu", "rech",
                              "+Rechnung neu", "rechn", "a", "an", "an r", "an re", "n an re", "", "m", "mi"}) {
        if (query[0] == '+') {  // a new entry in the file before a query that narrows the last one
            ASSERT_EQ(file.writeEntry(11, Entry{query + 1, "", "", 0, 0, false}), WriteResult::Ok);
            ASSERT_TRUE(index.refresh(file));
            continue;
        }
        PickerIndex fresh(sim.files);
        fresh.refresh(file);
        EXPECT_EQ(index.search(query, {}), fresh.search(query, {})) << query;
    }
}

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

// The search starts from the word's least frequent letter, wherever it stands: from any byte on it must find
// what a plain search finds.
TEST(SearchWord, FindsWhereAPlainSearchFinds) {
    const char* const texts[] = {"sehr geehrte damen", "quiz quiz", "aaaxq", "eeeeeeq", "zahl 10 %", "", "a\xC3\xA9z"};
    const char* const words[] = {"geehrt", "s", "n", "e", "ee", "damenx", "quiz", "axq", "eeq", "10 %", "a", "z", "\xC3\xA9", ""};
    for (const std::string text : texts)
        for (const char* word : words)
            for (std::size_t from = 0; from <= text.size() + 1; ++from)
                EXPECT_EQ(SearchWord(word).findIn(text, from), text.find(word, from)) << word << " in " << text << " at " << from;
}

}  // namespace
}  // namespace scrivlet
