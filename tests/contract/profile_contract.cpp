// What every profile back-end must do alike: the snippet store reads and writes
// its file through these two calls only, and the bytes it leaves behind are read
// by the same calls on Windows. The rules are Wine's, quirks included.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/backend.h"

namespace scrivlet::test {
namespace {

using namespace std::string_literals;

class ProfileContract : public ::testing::Test {
protected:
    std::unique_ptr<ProfileFixture> fixture = makeProfileFixture();
    Profile& profile = fixture->profile();
    const std::string file = fixture->folder() + "\\Scrivlet.ini";
    const std::string missingFolderFile = fixture->folder() + "\\fehlt\\Scrivlet.ini";
};

// A file's initial bytes; Missing for a file that does not exist.
const std::optional<std::string> Missing;

std::string repeated(std::size_t length) {
    std::string s(length, 'x');
    for (std::size_t i = 0; i < length; ++i) s[i] = static_cast<char>('a' + i % 26);
    return s;
}

// ---- reading one value

struct ReadCase {
    const char* label;
    std::optional<std::string> file;
    std::string section, key, fallback;
    std::size_t bufferSize;
    std::string expected;
};

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.label; }

class ProfileRead : public ProfileContract, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ProfileRead, ReturnsWhatTheSystemCopies) {
    const ReadCase& c = GetParam();
    if (c.file) fixture->writeBytes(file, *c.file);
    EXPECT_EQ(profile.readString(c.section, c.key, c.fallback, file, c.bufferSize), c.expected);
    // Reading never changes the file.
    EXPECT_EQ(fixture->readBytes(file), c.file);
}

const std::string Settings = "[Allgemein]\r\nSprache=Deutsch\r\nModus=2\r\n";

INSTANTIATE_TEST_SUITE_P(
    Lookup, ProfileRead,
    ::testing::Values(
        ReadCase{"PlainValue", Settings, "Allgemein", "Sprache", "-", 100, "Deutsch"},
        ReadCase{"AsciiLettersIgnoreCase", Settings, "ALLGEMEIN", "sPRACHE", "-", 100, "Deutsch"},
        ReadCase{"UmlautsMustMatchExactly", "[Ärger]\r\nÖl=1\r\n"s, "ärger", "öl", "-", 100, "-"},
        ReadCase{"UmlautsInTheSameCase", "[Ärger]\r\nÖl=1\r\n"s, "Ärger", "Öl", "-", 100, "1"},
        ReadCase{"BlanksAroundNamesInFileAndCall",
                 " \t[ Allgemein\t]  \r\n\t Sprache \t=  Deutsch \t\r\n"s, " allgemein\t",
                 "\tSprache ", "-", 100, "Deutsch"},
        ReadCase{"InnerBlanksOfValueKept", "[s]\r\nk =  a \t b  \r\n"s, "s", "k", "-", 100,
                 "a \t b"},
        ReadCase{"OnlyTheFirstEqualsSeparates", "[s]\r\nk=a=b\r\n"s, "s", "k", "-", 100, "a=b"},
        ReadCase{"SemicolonLineIsAKey", "[s]\r\n; Notiz = ja\r\n"s, "s", "; Notiz", "-", 100,
                 "ja"},
        ReadCase{"HashLineIsAKey", "[s]\r\n#alt=1\r\n"s, "s", "#alt", "-", 100, "1"},
        ReadCase{"FirstOfDuplicateKeysWins", "[s]\r\nK=1\r\nk=2\r\n"s, "s", "k", "-", 100, "1"},
        ReadCase{"OnlyFirstOfDuplicateSectionsIsSearched",
                 "[s]\r\na=1\r\n[t]\r\n[S]\r\nb=2\r\n"s, "s", "b", "-", 100, "-"},
        ReadCase{"EmptyValueIsNotTheFallback", "[s]\r\nk=\r\n"s, "s", "k", "-", 100, ""},
        ReadCase{"KeyWithoutEqualsGivesTheFallback", "[s]\r\nk\r\n"s, "s", "k", "-", 100, "-"},
        ReadCase{"MissingKey", Settings, "Allgemein", "Farbe", "rot", 100, "rot"},
        ReadCase{"MissingSection", Settings, "Optionen", "Sprache", "rot", 100, "rot"},
        ReadCase{"LinesBeforeTheFirstHeaderHaveNoSectionName", "k=0\r\n[s]\r\nk=1\r\n"s, "",
                 "k", "-", 100, "0"},
        ReadCase{"HeaderEndsAtItsLastBracket", "[s] ; alt ]x\r\nk=1\r\n"s, "s] ; alt", "k", "-",
                 100, "1"},
        ReadCase{"BracketWithoutCloseIsAKey", "[s]\r\n[k=1\r\n"s, "s", "[k", "-", 100, "1"},
        ReadCase{"LineFeedsOnly", "[s]\nk=1\n"s, "s", "k", "-", 100, "1"},
        ReadCase{"LoneCarriageReturnsEndLines", "[s]\rk=1\r[t]\rk=2\r"s, "t", "k", "-", 100,
                 "2"},
        ReadCase{"LastLineWithoutLineEnd", "[s]\r\nk=1"s, "s", "k", "-", 100, "1"},
        ReadCase{"HighBytesComeBackUnchanged", "[s]\r\nk=Grüße – 5 €\x81\x8D\x8F\x90\x9D\xFF\r\n"s,
                 "s", "k", "-", 100, "Grüße – 5 €\x81\x8D\x8F\x90\x9D\xFF"},
        ReadCase{"NulByteEndsAName", "[s]\r\nk\0rest=1\r\n"s, "s", "k", "-", 100, "1"},
        ReadCase{"NulByteEndsAValue", "[s]\r\nk=ab\0cd\r\n"s, "s", "k", "-", 100, "ab"}),
    [](const auto& p) { return std::string(p.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Quotes, ProfileRead,
    ::testing::Values(
        ReadCase{"DoubleQuotesRemoved", "[s]\r\nk=\" a b \"\r\n"s, "s", "k", "-", 100, " a b "},
        ReadCase{"SingleQuotesRemoved", "[s]\r\nk='x'\r\n"s, "s", "k", "-", 100, "x"},
        ReadCase{"OnlyOnePairRemoved", "[s]\r\nk=\"\"x\"\"\r\n"s, "s", "k", "-", 100, "\"x\""},
        ReadCase{"UnpairedQuoteKept", "[s]\r\nk=\"abc\r\n"s, "s", "k", "-", 100, "\"abc"},
        ReadCase{"MixedQuotesKept", "[s]\r\nk=\"abc'\r\n"s, "s", "k", "-", 100, "\"abc'"},
        ReadCase{"LoneQuoteKept", "[s]\r\nk=\"\r\n"s, "s", "k", "-", 100, "\""},
        ReadCase{"TwoQuotesAreEmpty", "[s]\r\nk=''\r\n"s, "s", "k", "-", 100, ""},
        ReadCase{"InnerQuotesKept", "[s]\r\nk=a \"b\" c\r\n"s, "s", "k", "-", 100, "a \"b\" c"}),
    [](const auto& p) { return std::string(p.param.label); });

INSTANTIATE_TEST_SUITE_P(
    BufferSize, ProfileRead,
    ::testing::Values(
        ReadCase{"ZeroCopiesNothing", Settings, "Allgemein", "Sprache", "-", 0, ""},
        ReadCase{"OneHoldsOnlyTheTerminator", Settings, "Allgemein", "Sprache", "-", 1, ""},
        ReadCase{"TooSmallCutsToSizeLessOne", Settings, "Allgemein", "Sprache", "-", 4, "Deu"},
        ReadCase{"ExactFit", Settings, "Allgemein", "Sprache", "-", 8, "Deutsch"},
        ReadCase{"FallbackIsCutToo", Settings, "Allgemein", "fehlt", "Vorgabe", 3, "Vo"},
        // The closing quote is counted before it is dropped: a buffer exactly as
        // long as the value without its opening quote loses one more character.
        ReadCase{"QuotedShortByTwo", "[s]\r\nk=\"abc\"\r\n"s, "s", "k", "-", 3, "ab"},
        ReadCase{"QuotedShortByOne", "[s]\r\nk=\"abc\"\r\n"s, "s", "k", "-", 4, "ab"},
        ReadCase{"QuotedFits", "[s]\r\nk=\"abc\"\r\n"s, "s", "k", "-", 5, "abc"},
        ReadCase{"LongValueFromFileHasNoLimit", "[s]\r\nk=" + repeated(40000) + "\r\n", "s",
                 "k", "-", 50000, repeated(40000)}),
    [](const auto& p) { return std::string(p.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Fallback, ProfileRead,
    ::testing::Values(
        ReadCase{"MissingFile", Missing, "s", "k", "Vorgabe", 100, "Vorgabe"},
        ReadCase{"EmptyFile", ""s, "s", "k", "Vorgabe", 100, "Vorgabe"},
        ReadCase{"TrailingSpacesRemoved", Missing, "s", "k", "Vorgabe   ", 100, "Vorgabe"},
        ReadCase{"LeadingSpacesKept", Missing, "s", "k", "  Vorgabe", 100, "  Vorgabe"},
        ReadCase{"TrailingTabKept", Missing, "s", "k", "Vorgabe\t", 100, "Vorgabe\t"},
        ReadCase{"SpacesAloneLeaveOne", Missing, "s", "k", "   ", 100, " "},
        ReadCase{"QuotesRemovedLikeAValue", Settings, "s", "k", "\"Vorgabe\"  ", 100,
                 "Vorgabe"},
        ReadCase{"NulEndsTheFallback", Missing, "s", "k", "ab\0cd"s, 100, "ab"}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(ProfileContract, MissingFolderGivesTheFallbackWithItsQuotes) {
    EXPECT_EQ(profile.readString("s", "k", "\"Vorgabe\"  ", missingFolderFile, 100),
              "\"Vorgabe\"");
}

TEST_F(ProfileContract, ManyKeysReadOneAtATime) {
    std::string bytes;
    for (int s = 0; s < 50; ++s) {
        bytes += "[Liste" + std::to_string(s) + "]\r\n";
        for (int k = 0; k < 40; ++k)
            bytes += "Eintrag" + std::to_string(k) + "=" + std::to_string(s * 1000 + k) + "\r\n";
    }
    fixture->writeBytes(file, bytes);
    for (int s = 0; s < 50; s += 7)
        for (int k = 0; k < 40; k += 3)
            ASSERT_EQ(profile.readString("liste" + std::to_string(s), "EINTRAG" + std::to_string(k),
                                         "-", file, 100),
                      std::to_string(s * 1000 + k))
                << s << "/" << k;
}

// ---- writing one value: the whole file is written anew from what was parsed

struct WriteCase {
    const char* label;
    std::optional<std::string> file;
    std::string section, key, value;
    bool succeeds;
    std::optional<std::string> after;
};

void PrintTo(const WriteCase& c, std::ostream* out) { *out << c.label; }

class ProfileWrite : public ProfileContract, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(ProfileWrite, LeavesTheseBytes) {
    const WriteCase& c = GetParam();
    if (c.file) fixture->writeBytes(file, *c.file);
    EXPECT_EQ(profile.writeString(c.section, c.key, c.value, file), c.succeeds);
    EXPECT_EQ(fixture->readBytes(file), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Placement, ProfileWrite,
    ::testing::Values(
        WriteCase{"MissingFileIsCreated", Missing, "Allgemein", "Sprache", "Deutsch", true,
                  "[Allgemein]\r\nSprache=Deutsch\r\n"s},
        WriteCase{"EmptyFileGetsTheSection", ""s, "s", "k", "v", true, "[s]\r\nk=v\r\n"s},
        WriteCase{"NewKeyAtTheEndOfItsSection", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"s, "A", "z", "3",
                  true, "[a]\r\nx=1\r\nz=3\r\n[b]\r\ny=2\r\n"s},
        WriteCase{"NewSectionAtTheEndOfTheFile", "[a]\r\nx=1\r\n"s, "b", "y", "2", true,
                  "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"s},
        WriteCase{"ValueReplacedInPlaceKeyKeepsItsSpelling", "[A]\r\nKey=1\r\nb=2\r\n"s, "a",
                  "KEY", "9", true, "[A]\r\nKey=9\r\nb=2\r\n"s},
        WriteCase{"OnlyTheFirstOfDuplicateKeysChanges", "[s]\r\nk=1\r\nk=2\r\n"s, "s", "k", "3",
                  true, "[s]\r\nk=3\r\nk=2\r\n"s},
        WriteCase{"NewKeyGoesToTheFirstOfDuplicateSections", "[s]\r\na=1\r\n[t]\r\n[s]\r\nb=2\r\n"s,
                  "s", "b", "3", true, "[s]\r\na=1\r\nb=3\r\n[t]\r\n[s]\r\nb=2\r\n"s},
        WriteCase{"KeyWithoutEqualsGetsItsValue", "[s]\r\nk\r\n"s, "s", "k", "1", true,
                  "[s]\r\nk=1\r\n"s},
        WriteCase{"EmptySectionNameMeansTheLinesBeforeTheFirstHeader", "[s]\r\nk=1\r\n"s, "",
                  "g", "0", true, "g=0\r\n[s]\r\nk=1\r\n"s}),
    [](const auto& p) { return std::string(p.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Values, ProfileWrite,
    ::testing::Values(
        WriteCase{"EmptyValueWritesKeyEquals", "[s]\r\nk=1\r\n"s, "s", "k", "", true,
                  "[s]\r\nk=\r\n"s},
        WriteCase{"LeadingBlanksCutTrailingKept", Missing, "s", "k", " \t v  ", true,
                  "[s]\r\nk=v  \r\n"s},
        WriteCase{"QuotesWrittenAsGiven", Missing, "s", "k", "\" a \"", true,
                  "[s]\r\nk=\" a \"\r\n"s},
        WriteCase{"HighBytesWrittenUnchanged", Missing, "s", "Grüße", "€ \x81\x8D\x90 ÿ", true,
                  "[s]\r\nGrüße=€ \x81\x8D\x90 ÿ\r\n"s},
        WriteCase{"LineBreakInTheValueIsWrittenAsIs", Missing, "s", "k", "a\r\nb=c", true,
                  "[s]\r\nk=a\r\nb=c\r\n"s},
        WriteCase{"NulEndsTheValue", Missing, "s", "k", "ab\0cd"s, true, "[s]\r\nk=ab\r\n"s},
        // A new section or key keeps the blanks after its name.
        WriteCase{"NewNamesLoseLeadingBlanksOnly", Missing, "  S  ", "\tk ", "v", true,
                  "[S  ]\r\nk =v\r\n"s},
        WriteCase{"LongestValue", Missing, "s", "k", repeated(32766), true,
                  "[s]\r\nk=" + repeated(32766) + "\r\n"},
        WriteCase{"LongerValueIsRefused", "[s]\r\nk=1\r\n"s, "s", "k", repeated(32767), false,
                  "[s]\r\nk=1\r\n"s}),
    [](const auto& p) { return std::string(p.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Layout, ProfileWrite,
    ::testing::Values(
        WriteCase{"BlanksBlankLinesAndLineEndsNormalised",
                  "  [ a ]  \n\n\t x \t=  1 \n; Notiz = ja\ny\r\r\n"s, "a", "z", "2", true,
                  "[a]\r\nx=1\r\n; Notiz=ja\r\ny\r\nz=2\r\n"s},
        WriteCase{"TextAfterAHeaderIsDropped", "[a] alt\r\nx=1\r\n"s, "a", "x", "2", true,
                  "[a]\r\nx=2\r\n"s},
        WriteCase{"EmptyHeaderDisappears", "[a]\r\nx=1\r\n[]\r\ny=2\r\n"s, "a", "x", "3", true,
                  "[a]\r\nx=3\r\ny=2\r\n"s},
        WriteCase{"SecondEmptyNameInARowIsDropped", "[a]\r\n=1\r\n=2\r\nx=1\r\n=3\r\n"s, "a",
                  "x", "4", true, "[a]\r\n=1\r\nx=4\r\n=3\r\n"s},
        WriteCase{"NulCutsTheRestOfItsLine", "[a]\r\nx\0y=1\r\nz=2\0\r\n"s, "a", "n", "3", true,
                  "[a]\r\nx=1\r\nz=2\r\nn=3\r\n"s},
        WriteCase{"SameValueLeavesTheFileUntouched", "  [a]\n x = 1 \n\n"s, "A", "X", "  1",
                  true, "  [a]\n x = 1 \n\n"s},
        WriteCase{"SameValueButOtherCaseIsAChange", "[a]\nx=abc\n"s, "a", "x", "ABC", true,
                  "[a]\r\nx=ABC\r\n"s}),
    [](const auto& p) { return std::string(p.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Failure, ProfileWrite,
    ::testing::Values(WriteCase{"LongSectionNameIsRefused", Missing, repeated(32767), "k", "v",
                                false, Missing},
                      WriteCase{"LongKeyIsRefused", Missing, "s", repeated(40000), "v", false,
                                Missing}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(ProfileContract, WriteIntoAMissingFolderFails) {
    EXPECT_FALSE(profile.writeString("s", "k", "v", missingFolderFile));
    EXPECT_EQ(fixture->readBytes(missingFolderFile), Missing);
}

TEST_F(ProfileContract, ReadOnlyFileRefusesEvenAnUnchangedValue) {
    fixture->writeBytes(file, "[s]\nk=1\n");
    fixture->makeReadOnly(file);
    EXPECT_FALSE(profile.writeString("s", "k", "2", file));
    EXPECT_FALSE(profile.writeString("s", "k", "1", file));
    EXPECT_EQ(fixture->readBytes(file), "[s]\nk=1\n");
    EXPECT_EQ(profile.readString("s", "k", "-", file, 100), "1");
}

// ---- removing a key or a section: a write without a value, or without a key

struct RemoveCase {
    const char* label;
    std::optional<std::string> file;
    std::string section;
    std::optional<std::string> key;  // none: the whole section goes
    bool succeeds;
    std::optional<std::string> after;
};

void PrintTo(const RemoveCase& c, std::ostream* out) { *out << c.label; }

class ProfileRemove : public ProfileContract, public ::testing::WithParamInterface<RemoveCase> {};

TEST_P(ProfileRemove, LeavesTheseBytes) {
    const RemoveCase& c = GetParam();
    if (c.file) fixture->writeBytes(file, *c.file);
    const bool succeeded = c.key ? profile.removeKey(c.section, *c.key, file)
                                 : profile.removeSection(c.section, file);
    EXPECT_EQ(succeeded, c.succeeds);
    EXPECT_EQ(fixture->readBytes(file), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ProfileRemove,
    ::testing::Values(
        RemoveCase{"KeyGoesTheRestStays", "[a]\r\nx=1\r\ny=2\r\n[b]\r\nx=3\r\n"s, "A", "X"s, true,
                   "[a]\r\ny=2\r\n[b]\r\nx=3\r\n"s},
        RemoveCase{"LastKeyLeavesTheHeader", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"s, "a", "x"s, true,
                   "[a]\r\n[b]\r\ny=2\r\n"s},
        RemoveCase{"OnlyTheFirstOfDuplicateKeysGoes", "[s]\r\nk=1\r\nk=2\r\n"s, "s", "k"s, true,
                   "[s]\r\nk=2\r\n"s},
        RemoveCase{"KeyOfALaterSectionOfTheSameNameGoes", "[s]\r\na=1\r\n[t]\r\n[s]\r\nb=2\r\n"s, "s",
                   "b"s, true, "[s]\r\na=1\r\n[t]\r\n[s]\r\n"s},
        RemoveCase{"KeyWithoutValueGoes", "[s]\r\nk\r\nm=1\r\n"s, "s", "k"s, true, "[s]\r\nm=1\r\n"s},
        RemoveCase{"LayoutNormalisedByTheRewrite", "  [a]  \n\n\t x \t=  1 \n; Notiz = ja\ny\r\r\n"s, "a",
                   "y"s, true, "[a]\r\nx=1\r\n; Notiz=ja\r\n"s},
        RemoveCase{"MissingKeyLeavesTheFileUntouched", "  [a]\n x = 1 \n"s, "a", "y"s, true,
                   "  [a]\n x = 1 \n"s},
        // Unlike a write, a removal does not trim the names it is given.
        RemoveCase{"NamesAreNotTrimmed", "[a]\r\nx=1\r\n"s, "a", " x"s, true, "[a]\r\nx=1\r\n"s},
        RemoveCase{"UmlautsAreNotFolded", "[s]\r\nÄ=1\r\n"s, "s", "ä"s, true, "[s]\r\nÄ=1\r\n"s},
        RemoveCase{"MissingFileIsNotCreated", Missing, "s", "k"s, true, Missing}),
    [](const auto& p) { return std::string(p.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Sections, ProfileRemove,
    ::testing::Values(
        RemoveCase{"SectionGoesWithItsHeader", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"s, "A", std::nullopt, true,
                   "[b]\r\ny=2\r\n"s},
        RemoveCase{"OnlyTheFirstOfDuplicateSectionsGoes", "[s]\r\na=1\r\n[t]\r\n[s]\r\nb=2\r\n"s, "s",
                   std::nullopt, true, "[t]\r\n[s]\r\nb=2\r\n"s},
        RemoveCase{"EmptySectionGoes", "[a]\r\n[b]\r\ny=2\r\n"s, "a", std::nullopt, true,
                   "[b]\r\ny=2\r\n"s},
        RemoveCase{"SectionNameIsNotTrimmed", "[a]\r\nx=1\r\n"s, "a ", std::nullopt, true, "[a]\r\nx=1\r\n"s},
        RemoveCase{"MissingSectionLeavesTheFileUntouched", "[a]\nx=1\n"s, "b", std::nullopt, true,
                   "[a]\nx=1\n"s}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(ProfileContract, RemovalsFromAReadOnlyFileOrAMissingFolderFail) {
    EXPECT_FALSE(profile.removeKey("s", "k", missingFolderFile));
    EXPECT_FALSE(profile.removeSection("s", missingFolderFile));
    fixture->writeBytes(file, "[s]\nk=1\n");
    fixture->makeReadOnly(file);
    EXPECT_FALSE(profile.removeKey("s", "k", file));
    EXPECT_FALSE(profile.removeSection("s", file));
    EXPECT_EQ(fixture->readBytes(file), "[s]\nk=1\n");
}

TEST_F(ProfileContract, ReadsSeeEachRemoval) {
    fixture->writeBytes(file, "[s]\r\nk=1\r\nm=2\r\n[t]\r\nn=3\r\n");
    ASSERT_EQ(profile.readString("s", "k", "-", file, 100), "1");
    ASSERT_TRUE(profile.removeKey("s", "k", file));
    EXPECT_EQ(profile.readString("s", "k", "-", file, 100), "-");
    EXPECT_EQ(profile.readSection("s", file), "m=2\0"s);
    ASSERT_TRUE(profile.removeSection("t", file));
    EXPECT_EQ(profile.readString("t", "n", "-", file, 100), "-");
}

// ---- reads see the writes before them

TEST_F(ProfileContract, ReadsSeeEachWrite) {
    const struct {
        const char* section;
        const char* key;
        const char* value;
        const char* readBack;
    } steps[] = {
        {"Allgemein", "Sprache", "Deutsch", "Deutsch"},
        {"Allgemein", "Sprache", "Englisch", "Englisch"},
        {"allgemein", "Modus", "", ""},
        {"Liste", "Eintrag1", "\"Hallo, Welt\"", "Hallo, Welt"},
        {"Liste", "Eintrag2", "Grüße ~{ENTER}", "Grüße ~{ENTER}"},
        {"LISTE", "eintrag1", "neu", "neu"},
    };
    for (const auto& step : steps) {
        ASSERT_TRUE(profile.writeString(step.section, step.key, step.value, file)) << step.key;
        EXPECT_EQ(profile.readString(step.section, step.key, "-", file, 256), step.readBack)
            << step.key;
    }
    EXPECT_EQ(fixture->readBytes(file),
              "[Allgemein]\r\nSprache=Englisch\r\nModus=\r\n"
              "[Liste]\r\nEintrag1=neu\r\nEintrag2=Grüße ~{ENTER}\r\n"s);
}

// A file in a folder of any name (a user's "C:\Users\Łukasz"): the path is the
// program's text, with characters the ANSI code page lacks, and the values are
// the file's bytes all the same.
TEST_F(ProfileContract, AFileOfAnyNameKeepsTheBytesOfItsValues) {
    const std::string named = fixture->folder() + "\\Texte Łódź ✓ 😀.ini";
    const std::string value = "Gr\xFC\xDF" "e \x80\x81\x8D\x8F\x90\x9D\xFF";
    ASSERT_TRUE(profile.writeString("Name", "1", value, named));
    ASSERT_TRUE(profile.writeString("Name", "2", "Brief", named));
    EXPECT_EQ(fixture->readBytes(named), "[Name]\r\n1=" + value + "\r\n2=Brief\r\n");
    EXPECT_EQ(profile.readString("Name", "1", "-", named, 100), value);
    EXPECT_EQ(profile.readString("Name", "3", "-", named, 100), "-");
    EXPECT_EQ(profile.readSection("Name", named), "1=" + value + '\0' + "2=Brief" + '\0');
    EXPECT_EQ(profile.readSection("Name", fixture->folder() + "\\fehlt Łódź\\x.ini"), std::nullopt);
}

TEST_F(ProfileContract, ReadsSeeTheFileChangedAroundTheProfileFunctions) {
    fixture->writeBytes(file, "[s]\r\nk=alt\r\n");
    ASSERT_EQ(profile.readString("s", "k", "-", file, 100), "alt");
    fixture->writeBytes(file, "[s]\r\nk=neu\r\n");
    EXPECT_EQ(profile.readString("s", "k", "-", file, 100), "neu");
}

// ---- reading a whole section: one call for what many key reads would find

struct SectionCase {
    const char* label;
    std::optional<std::string> file;
    std::string section;
    std::optional<std::string> expected;  // Unreadable: the call cannot read it
};

const std::optional<std::string> Unreadable;

void PrintTo(const SectionCase& c, std::ostream* out) { *out << c.label; }

class ProfileSection : public ProfileContract, public ::testing::WithParamInterface<SectionCase> {};

TEST_P(ProfileSection, GivesTheEntriesAsTheSystemCopiesThem) {
    const SectionCase& c = GetParam();
    if (c.file) fixture->writeBytes(file, *c.file);
    EXPECT_EQ(profile.readSection(c.section, file), c.expected);
    EXPECT_EQ(fixture->readBytes(file), c.file);
}

const std::string Snippets =
    "[Name]\r\n1=Brief\r\n2=Grüße – 5 €\r\n3=\"Zitat\"\r\n"
    "[Text]\r\n1=Sehr geehrte Damen und Herren,\\N\r\n2=~{ENTER}\r\n3=x\r\n"
    "[Title]\r\n1=Editor\r\n2=\r\n3= Word \r\n"
    "[Crypt]\r\n1=0\r\n2=0\r\n3=0\r\n"
    "[Ignore]\r\n1=DFÜ-Netzwerkmonitor\r\n"s;

INSTANTIATE_TEST_SUITE_P(
    SnippetFiles, ProfileSection,
    ::testing::Values(
        SectionCase{"Names", Snippets, "Name",
                    "1=Brief\0" "2=Grüße – 5 €\0" "3=\"Zitat\"\0"s},
        SectionCase{"TitlesEmptyOnesIncluded", Snippets, "Title",
                    "1=Editor\0" "2=\0" "3=Word\0"s},
        SectionCase{"AsciiLettersInEitherCase", Snippets, "IGNORE", "1=DFÜ-Netzwerkmonitor\0"s},
        SectionCase{"MissingSection", Snippets, "Common", ""s},
        SectionCase{"MissingFile", Missing, "Name", ""s},
        SectionCase{"EmptyFile", ""s, "Name", ""s},
        SectionCase{"EmptySection", "[Name]\r\n[Text]\r\n1=x\r\n"s, "Name", ""s}),
    [](const auto& p) { return std::string(p.param.label); });

INSTANTIATE_TEST_SUITE_P(
    Entries, ProfileSection,
    ::testing::Values(
        SectionCase{"BlanksAroundNamesAndValuesGone", " [ s ] \r\n\t k \t=  a \t b  \r\n"s, "s",
                    "k=a \t b\0"s},
        SectionCase{"QuotesKept", "[s]\r\nk=\"a\"\r\nl='b'\r\n"s, "s", "k=\"a\"\0l='b'\0"s},
        SectionCase{"SemicolonLinesLeftOut", "[s]\r\n; Notiz = ja\r\n;x\r\nk=1\r\n"s, "s",
                    "k=1\0"s},
        SectionCase{"HashLinesKept", "[s]\r\n#alt=1\r\n# Notiz\r\n"s, "s", "#alt=1\0# Notiz\0"s},
        SectionCase{"KeyWithoutEqualsIsItsName", "[s]\r\nk\r\nl=\r\n"s, "s", "k\0l=\0"s},
        SectionCase{"NamelessValueKept", "[s]\r\n=x\r\nk=1\r\n"s, "s", "=x\0k=1\0"s},
        SectionCase{"EqualNamesAllKept", "[s]\r\nk=1\r\nK=2\r\n"s, "s", "k=1\0K=2\0"s},
        SectionCase{"OnlyTheFirstOfEqualSections", "[s]\r\na=1\r\n[t]\r\n[S]\r\nb=2\r\n"s, "S",
                    "a=1\0"s},
        SectionCase{"UmlautsMustMatchExactly", "[Ärger]\r\nk=1\r\n"s, "ärger", ""s},
        SectionCase{"UmlautsInTheSameCase", "[Ärger]\r\nk=1\r\n"s, "Ärger", "k=1\0"s},
        SectionCase{"TheNameIsNotTrimmed", "[s]\r\nk=1\r\n"s, " s", ""s},
        SectionCase{"EmptyNameIsTheLinesBeforeTheFirstHeader", "k=0\r\n[s]\r\nk=1\r\n"s, "",
                    "k=0\0"s},
        SectionCase{"HeaderEndsAtItsLastBracket", "[s] ; alt ]x\r\nk=1\r\n"s, "s] ; alt",
                    "k=1\0"s},
        SectionCase{"LineEndsOfEveryKind", "[s]\nk=1\rl=2\n\rm=3\r\r\n"s, "s",
                    "k=1\0l=2\0m=3\0"s},
        SectionCase{"HighBytesComeBackUnchanged", "[s]\r\nÖl=Grüße\x81\x8D\x8F\x90\x9D\xFF\r\n"s,
                    "s", "Öl=Grüße\x81\x8D\x8F\x90\x9D\xFF\0"s},
        SectionCase{"NulByteEndsNamesAndValues", "[s]\r\na\0b=1\r\nc=2\0d\r\n"s, "s",
                    "a=1\0c=2\0"s},
        SectionCase{"LineThatANulBeginsIsLeftOutWithoutValue", "[s]\r\n\0x\r\n\0y=1\r\n"s, "s",
                    "=1\0"s},
        SectionCase{"LongSectionNameCannotBeRead", "[s]\r\nk=1\r\n"s, repeated(32767),
                    Unreadable}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(ProfileContract, SectionOfAMissingFolderOrAFolderCannotBeRead) {
    EXPECT_EQ(profile.readSection("s", missingFolderFile), Unreadable);
    EXPECT_EQ(profile.readSection("s", fixture->folder()), Unreadable);
}

// However long the section, it comes whole: lengths around the sizes a buffer
// may start with or grow to, where a call reports a buffer too small.
TEST_F(ProfileContract, SectionsOfEveryLengthComeWhole) {
    const std::size_t powers[] = {std::size_t{1} << 16, std::size_t{1} << 18, std::size_t{1} << 20};
    for (const std::size_t power : powers) {
        for (std::size_t length = power - 4; length <= power + 1; ++length) {
            // "k=" and the NUL around the value.
            const std::string value = repeated(length - 3);
            fixture->writeBytes(file, "[s]\r\nk=" + value + "\r\n");
            const auto section = profile.readSection("s", file);
            ASSERT_TRUE(section) << length;
            EXPECT_EQ(section->size(), length);
            EXPECT_TRUE(*section == "k=" + value + '\0') << length;
        }
    }
}

TEST_F(ProfileContract, SectionOfManyEntriesComesWholeInFileOrder) {
    std::string bytes = "[Name]\r\n";
    std::string expected;
    for (int n = 1; n <= 12000; ++n) {
        const std::string entry = std::to_string(n) + "=Baustein " + std::to_string(n);
        bytes += entry + "\r\n";
        expected += entry + '\0';
    }
    fixture->writeBytes(file, bytes + "[Text]\r\n1=x\r\n");
    EXPECT_TRUE(profile.readSection("Name", file) == expected);
}

TEST_F(ProfileContract, SectionReadsSeeEachWrite) {
    const struct {
        const char* key;
        const char* value;
        std::string section;
    } steps[] = {
        {"1", "Brief", "1=Brief\0"s},
        {"2", "\"Gruß\"", "1=Brief\0" "2=\"Gruß\"\0"s},
        {"1", "", "1=\0" "2=\"Gruß\"\0"s},
    };
    for (const auto& step : steps) {
        ASSERT_TRUE(profile.writeString("Name", step.key, step.value, file)) << step.key;
        EXPECT_EQ(profile.readSection("Name", file), step.section) << step.key;
    }
}

}  // namespace
}  // namespace scrivlet::test
