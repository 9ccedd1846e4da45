// The index over one section's entries must answer every key exactly as the key
// read of the profile functions would, with its buffer of 32767 characters.
#include <gtest/gtest.h>

#include "store/file_text.h"

#include <string>

#include "native/sim_desktop.h"
#include "platform/text.h"
#include "store/section_index.h"
#include "store/snippet_file.h"

namespace scrivlet {
namespace {

using namespace std::string_literals;

std::string letters(std::size_t length) {
    std::string s(length, 'x');
    for (std::size_t i = 0; i < length; ++i) s[i] = static_cast<char>('a' + i % 26);
    return s;
}

struct LookupCase {
    const char* label;
    std::string section;  // as the section read gives it
    std::string key, fallback;
    std::string expected;
};

void PrintTo(const LookupCase& c, std::ostream* out) { *out << c.label; }

class SectionIndexLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(SectionIndexLookup, AnswersAsTheKeyRead) {
    const LookupCase& c = GetParam();
    const SectionIndex index(c.section);
    ASSERT_TRUE(index.covers(c.key));
    EXPECT_EQ(index.value(c.key, c.fallback), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SectionIndexLookup,
    ::testing::Values(
        LookupCase{"PlainValue", "1=Eins\0"s "2=Zwei\0"s, "2", "-", "Zwei"},
        LookupCase{"AsciiLettersInEitherCase", "Sprache=Deutsch\0"s, "sPRACHE", "-", "Deutsch"},
        LookupCase{"UmlautsOnlyInTheSameCase", "Öl=1\0"s, "öl", "-", "-"},
        LookupCase{"UmlautInTheSameCase", "Öl=1\0"s, "Öl", "-", "1"},
        LookupCase{"BlanksAroundTheKeyIgnored", "1=Eins\0"s, " \t1\v\f\r\n\x1a ", "-", "Eins"},
        LookupCase{"InnerBlanksOfTheKeyCount", "a b=1\0"s, "a  b", "-", "-"},
        LookupCase{"FirstOfEqualNamesWins", "K=1\0k=2\0"s, "k", "-", "1"},
        LookupCase{"FirstWithoutValueHidesALaterValue", "k\0k=2\0"s, "k", "-", "-"},
        LookupCase{"KeyWithoutEqualsGivesTheFallback", "k\0"s, "k", "-", "-"},
        LookupCase{"EmptyValueIsNotTheFallback", "k=\0"s, "k", "-", ""},
        LookupCase{"TheFirstEqualsSeparates", "k=a=b\0"s, "k", "-", "a=b"},
        LookupCase{"HashNameIsAKey", "#alt=1\0"s, "#alt", "-", "1"},
        LookupCase{"NameIsNotAPrefix", "10=Zehn\0"s, "1", "-", "-"},
        LookupCase{"MissingKey", "1=Eins\0"s, "2", "-", "-"},
        LookupCase{"EmptySection", ""s, "1", "-", "-"},
        LookupCase{"NulEndsTheKeyArgument", "1=Eins\0"s, "1\0x"s, "-", "Eins"},
        LookupCase{"LastEntryWithoutItsNul", "1=Eins\0" "2=Zwei"s, "2", "-", "Zwei"},
        LookupCase{"HighBytesUnchanged", "Grüße=€ \x81\x8D\x8F\x90\x9D\xFF\0"s, "GRüßE", "-",
                   "€ \x81\x8D\x8F\x90\x9D\xFF"},
        LookupCase{"BlanksOfTheValueKept", "k= a \t\0"s, "k", "-", " a \t"}),
    [](const auto& p) { return std::string(p.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Quotes, SectionIndexLookup,
    ::testing::Values(
        LookupCase{"DoubleQuotesRemoved", "k=\" a b \"\0"s, "k", "-", " a b "},
        LookupCase{"SingleQuotesRemoved", "k='x'\0"s, "k", "-", "x"},
        LookupCase{"OnlyOnePairRemoved", "k=\"\"x\"\"\0"s, "k", "-", "\"x\""},
        LookupCase{"UnpairedQuoteKept", "k=\"abc\0"s, "k", "-", "\"abc"},
        LookupCase{"ClosingQuoteAloneKept", "k=abc'\0"s, "k", "-", "abc'"},
        LookupCase{"MixedQuotesKept", "k=\"abc'\0"s, "k", "-", "\"abc'"},
        LookupCase{"LoneQuoteKept", "k=\"\0"s, "k", "-", "\""},
        LookupCase{"TwoQuotesAreEmpty", "k=''\0"s, "k", "-", ""},
        LookupCase{"InnerQuotesKept", "k=a \"b\" c\0"s, "k", "-", "a \"b\" c"}),
    [](const auto& p) { return std::string(p.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Fallback, SectionIndexLookup,
    ::testing::Values(
        LookupCase{"TrailingSpacesRemoved", ""s, "k", "Vorgabe   ", "Vorgabe"},
        LookupCase{"LeadingSpacesKept", ""s, "k", "  Vorgabe", "  Vorgabe"},
        LookupCase{"TrailingTabKept", ""s, "k", "Vorgabe\t", "Vorgabe\t"},
        LookupCase{"SpacesAloneLeaveOne", ""s, "k", "   ", " "},
        LookupCase{"QuotesRemovedLikeAValue", ""s, "k", "\"Vorgabe\"  ", "Vorgabe"},
        LookupCase{"QuotesOfAKeyWithoutValue", "k\0"s, "k", "'x'", "x"},
        LookupCase{"NulEndsTheFallback", ""s, "k", "ab\0cd"s, "ab"}),
    [](const auto& p) { return std::string(p.param.label); });

// The key read copies at most 32766 characters, and checks the room for a
// closing quote before it drops it.
INSTANTIATE_TEST_SUITE_P(
    Length, SectionIndexLookup,
    ::testing::Values(
        LookupCase{"LongestValueWhole", "k=" + letters(32766) + '\0', "k", "-", letters(32766)},
        LookupCase{"LongerValueCut", "k=" + letters(40000) + '\0', "k", "-", letters(32766)},
        LookupCase{"QuotedLongestFits", "k=\"" + letters(32765) + "\"\0"s, "k", "-",
                   letters(32765)},
        LookupCase{"QuotedOneLongerLosesOneMore", "k=\"" + letters(32766) + "\"\0"s, "k", "-",
                   letters(32765)},
        LookupCase{"QuotedTwoLongerIsCutWithItsQuote", "k=\"" + letters(32767) + "\"\0"s, "k",
                   "-", letters(32766)},
        // Arguments the profile functions could not take give the fallback as it
        // is, without a look at the section.
        LookupCase{"LongKeyGivesTheFallbackAsItIs", "k=1\0"s, "k" + std::string(32766, ' '),
                   "'x'  ", "'x'  "},
        LookupCase{"LongFallbackIsCutAndKeepsItsQuotes", "k\0"s, "k",
                   "\"" + letters(32767) + "\"", "\"" + letters(32765)}),
    [](const auto& p) { return std::string(p.param.label); });

TEST(SectionIndex, CoversEveryKeyTheSectionReadCanShow) {
    const struct {
        std::string key;
        bool covered;
    } cases[] = {
        {"1", true},
        {" 32767 ", true},
        {"#alt", true},
        {"a;b", true},
        // The section read leaves out comment lines, and nameless lines that a
        // NUL byte begins, which a read of "" finds.
        {";alt", false},
        {" \t;alt", false},
        {"", false},
        {" \t ", false},
        {"\0x"s, false},
        {std::string(40000, ';'), true},
    };
    const SectionIndex index(";alt=1\0"s "=2\0"s);
    for (const auto& c : cases) EXPECT_EQ(index.covers(c.key), c.covered) << c.key.substr(0, 20);
}

TEST(SectionIndex, KeepsOneEntryPerName) {
    const struct {
        std::string section;
        std::size_t names;
    } cases[] = {
        {""s, 0},
        {"1=a\0"s, 1},
        {"1=a\0" "2=b\0" "3\0"s, 3},
        {"k=1\0K=2\0k\0"s, 1},
        {"=1\0=2\0"s, 1},
    };
    for (const auto& c : cases) EXPECT_EQ(SectionIndex(c.section).size(), c.names) << c.names;
}

TEST(SectionIndex, ManyEntriesAllFound) {
    std::string section;
    for (int n = 1; n <= 20000; ++n)
        section += std::to_string(n) + "=Baustein " + std::to_string(n) + '\0';
    const SectionIndex index(section);
    EXPECT_EQ(index.size(), 20000u);
    for (int n = 1; n <= 20000; n += 997)
        EXPECT_EQ(index.value(std::to_string(n), ""), "Baustein " + std::to_string(n)) << n;
    EXPECT_EQ(index.value("20001", ""), "");
}

// The store reads names and titles through the index; its lists must be those
// the key reads give, one key at a time, whatever the file holds.
TEST(SectionIndexInTheStore, NamesAndTitlesAreThoseOfTheKeyReads) {
    const std::string files[] = {
        "[Name]\r\n1=Brief\r\n;2=alt\r\n2=\"Gruß\"\r\n3='x\r\n"
        "[Title]\r\n1= Editor \r\n2='Word'\r\n3=\"\"\r\n"s,
        "[name]\r\n 1 = a \r\n1=b\r\n2\r\n3=c\r\n[TITLE]\r\n1=x\r\n"s,
        "[Name]\r\n1=a\r\n[Title]\r\n1=t\r\n[Name]\r\n2=b\r\n"s,
        "[Name]\r\n01=a\r\n1=b\r\n2=c\r\n+3=d\r\n3=e\r\n"s,
        "[Name]\r\n1=a\0b\r\n\0x\r\n2=\"\r\n3=''\r\n"s,
        "[Name]\n1=a\r2=b\n\r[Title]\r1=\t\r\n2=  B  \n"s,
        "[Title]\r\n1=x\r\n"s,
        ""s,
    };
    constexpr const char* Path = "C:\\Daten\\Scrivlet.ini";
    for (const std::string& bytes : files) {
        test::SimDesktop desk;
        desk.writeFile(Path, bytes);
        IniAccess ini(desk.sim.profile);
        std::vector<std::string> names, titles;
        for (int n = 1;; ++n) {
            std::string name = ini.read("Name", std::to_string(n), "", Path);
            if (name.empty()) break;
            names.push_back(fromFileText(name));
            std::string title = trimBlanks(fromFileText(ini.read("Title", std::to_string(n), "", Path)));
            if (!title.empty()) titles.push_back(title);
        }

        SnippetFile file(ini, desk.sim.random);
        file.setPath(Path);
        std::vector<std::string> read;
        for (const NamedEntry& entry : file.readNames()) read.push_back(entry.name);
        EXPECT_EQ(read, names) << bytes;
        const SnippetList list = file.load();
        ASSERT_EQ(list.entries.size(), names.size()) << bytes;
        for (std::size_t i = 0; i < names.size(); ++i) {
            EXPECT_EQ(list.entries[i].name, names[i]) << bytes;
            EXPECT_EQ(list.entries[i].number, static_cast<EntryNumber>(i + 1)) << bytes;
        }
        EXPECT_EQ(list.titleChoices, titles) << bytes;
    }
}

}  // namespace
}  // namespace scrivlet
