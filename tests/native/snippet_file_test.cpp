#include <gtest/gtest.h>

#include "native/sim_desktop.h"
#include "store/entry_cipher.h"
#include "store/snippet_file.h"

namespace scrivlet {
namespace {

struct SnippetFileTest : ::testing::Test {
    SnippetFileTest() { file.setPath(Path); }
    void given(const std::string& bytes) { desk.writeFile(Path, bytes); }
    std::string value(const std::string& section, const std::string& key) {
        return desk.sim.profile.readString(section, key, "<none>", Path, 32767);
    }

    static constexpr const char* Path = "C:\\Daten\\Scrivlet.ini";
    test::SimDesktop desk;
    IniAccess ini{desk.sim.profile};
    SnippetFile file{ini, desk.sim.random};
};

TEST_F(SnippetFileTest, AGapInNamesHidesTheEntriesAfterIt) {
    given("[Name]\r\n1=Eins\r\n2=Zwei\r\n4=Vier\r\n[Title]\r\n1= Editor \r\n2=\r\n4=Versteckt\r\n");
    const SnippetList list = file.load();
    ASSERT_EQ(list.entries.size(), 2u);
    EXPECT_EQ(list.entries[0].name, "Eins");
    EXPECT_EQ(list.entries[1].number, 2);
    EXPECT_EQ(list.titleChoices, std::vector<std::string>{"Editor"});
    EXPECT_EQ(value("Name", "4"), "Vier");
}

TEST_F(SnippetFileTest, LoadingTwiceGivesEachTitleOncePerEntry) {
    given("[Name]\r\n1=a\r\n2=b\r\n[Title]\r\n1=Editor\r\n2=Editor\r\n");
    file.load();
    const SnippetList list = file.load();
    EXPECT_EQ(list.titleChoices, (std::vector<std::string>{"Editor", "Editor"}));
}

TEST_F(SnippetFileTest, AnEmptyFileGetsTheTwoDefaultIgnoreTitles) {
    desk.sim.files.createFolder("C:\\Daten");
    const SnippetList list = file.load();
    EXPECT_TRUE(list.entries.empty());
    EXPECT_EQ(list.ignoreDefaults, WriteResult::Ok);
    EXPECT_EQ(file.ignoreList(), (std::vector<std::string>{"", "DFÜ-Netzwerkmonitor",
                                                            "Microsoft Office Shortcut-Leiste"}));
    EXPECT_EQ(desk.fileText(Path),
              "[Ignore]\r\n1=DFÜ-Netzwerkmonitor\r\n2=Microsoft Office Shortcut-Leiste\r\n");
}

TEST_F(SnippetFileTest, AGapInIgnoreIsFilledByTheNextTitle) {
    given("[Ignore]\r\n1=Eins\r\n2=Zwei\r\n4=Vier\r\n");
    file.load();
    EXPECT_EQ(file.ignoreList().size(), 3u);
    EXPECT_EQ(file.addIgnoreTitle("Drei"), WriteResult::Ok);
    EXPECT_EQ(value("Ignore", "3"), "Drei");
    EXPECT_EQ(value("Ignore", "4"), "Vier");
}

// A title the file refused is ignored for this run; the next one takes the
// key it would have had, so reading the file back does not stop short.
TEST_F(SnippetFileTest, ARefusedIgnoreTitleLeavesNoGapInTheFile) {
    given("[Ignore]\r\n1=Eins\r\n");
    file.load();
    EXPECT_EQ(file.addIgnoreTitle("Zwei\r\nZeilen"), WriteResult::LineBreak);
    desk.sim.files.setAttributes(Path, {false, false, false, true});
    EXPECT_EQ(file.addIgnoreTitle("Drei"), WriteResult::Failed);
    desk.sim.files.setAttributes(Path, {false, false, false, false});
    EXPECT_EQ(file.addIgnoreTitle("Vier"), WriteResult::Ok);
    EXPECT_EQ(file.ignoreList(), (std::vector<std::string>{"", "Eins", "Zwei\r\nZeilen", "Drei", "Vier"}));
    EXPECT_EQ(desk.fileText(Path), "[Ignore]\r\n1=Eins\r\n2=Vier\r\n");
    file.load();
    EXPECT_EQ(file.ignoreList(), (std::vector<std::string>{"", "Eins", "Vier"}));
}

TEST_F(SnippetFileTest, OptionsOutsideTheirRangeFallBackToZeroNotTheNearestBound) {
    const struct {
        const char* stored;
        int position;
    } cases[] = {{"7", 0}, {"-1", 0}, {"abc", 0}, {"2.5", 2}, {"3.5", 0}, {"1.5", 2},
                 {"3", 3}, {" 1", 1}, {"", 0},    {"2x", 2},  {"1e0", 1}};
    for (const auto& c : cases) {
        given(std::string("[Common]\r\nPumActPos=") + c.stored + "\r\nPumActViaBorder=" + c.stored +
              "\r\n[Ignore]\r\n1=x\r\n");
        file.load();
        EXPECT_EQ(file.options().position, c.position) << c.stored;
        EXPECT_EQ(file.options().viaBorder, c.position <= 1 ? c.position : 0) << c.stored;
    }
}

TEST_F(SnippetFileTest, BorderColourAndCascadeAcceptOnlyValidValues) {
    const struct {
        const char* colour;
        const char* mode;
        Colour expectedColour;
        int cascade;
    } cases[] = {
        {"-2147483633", "1", 0x8000000F, 1},  // button face, as the default
        {"255", "0", 0x0000FF, 0},
        {"16777215", "2", 0xFFFFFF, 0},
        {"16777216", "-1", ButtonFaceColour, 0},  // no RGB value
        {"-2147483643", "1.4", 0x80000005, 1},
        {"-2147483000", "x", ButtonFaceColour, 0},  // no system colour
        {"", "", 0, 0},                              // key= is black, not the default
    };
    for (const auto& c : cases) {
        given(std::string("[Common]\r\nPumActBorderCol=") + c.colour + "\r\nPumMode=" + c.mode +
              "\r\n[Ignore]\r\n1=x\r\n");
        file.load();
        EXPECT_EQ(file.options().borderColour, c.expectedColour) << c.colour;
        EXPECT_EQ(file.options().cascade, c.cascade) << c.mode;
    }
}

TEST_F(SnippetFileTest, OptionsAreSavedAsSignedDecimalsInOrder) {
    desk.sim.files.createFolder("C:\\Daten");
    file.options() = {1, 1, 3, ButtonFaceColour, 1};
    EXPECT_EQ(file.saveOptions(), WriteResult::Ok);
    EXPECT_EQ(desk.fileText(Path),
              "[Common]\r\nPumActViaBorder=1\r\nPumActBorderByClick=1\r\nPumActPos=3\r\n"
              "PumActBorderCol=-2147483633\r\nPumMode=1\r\nPickerHotkey=2317\r\n");
}

TEST_F(SnippetFileTest, CryptAndDosBoxCountWhenTheirLeadingNumberIsNonzero) {
    const struct {
        const char* stored;
        int flag;
    } cases[] = {{"-1", 1}, {"1", 1}, {"0", 0}, {"", 0}, {"x", 0}, {"2abc", 1}, {"0.4", 1}};
    for (const auto& c : cases) {
        given(std::string("[Name]\r\n1=n\r\n[Text]\r\n1=00410000\r\n[Crypt]\r\n1=") + c.stored +
              "\r\n[DosBox]\r\n1=" + c.stored + "\r\n");
        const Entry entry = file.readEntry(1);
        EXPECT_EQ(entry.crypt, c.flag) << c.stored;
        EXPECT_EQ(entry.dosBox, c.flag) << c.stored;
        EXPECT_EQ(entry.text, c.flag ? "\x04" : "00410000") << c.stored;
    }
}

TEST_F(SnippetFileTest, AnEntryRoundTripsEncipheredOrPlain) {
    desk.sim.files.createFolder("C:\\Daten");
    for (int crypt : {0, 1}) {
        const Entry written{"Gruß", "Hallo\\NWelt\\T\\\\", "Editor", crypt, 1};
        ASSERT_EQ(file.writeEntry(3, written), WriteResult::Ok);
        const Entry read = file.readEntry(3);
        EXPECT_EQ(read.name, written.name);
        EXPECT_EQ(read.text, written.text);
        EXPECT_EQ(read.title, "Editor");
        EXPECT_EQ(read.crypt, crypt);
        EXPECT_EQ(read.dosBox, 1);
        EXPECT_EQ(value("Text", "3") == written.text, crypt == 0);
    }
}

TEST_F(SnippetFileTest, ATextTooLongToReadBackIsNotWrittenAtAll) {
    given("[Name]\r\n1=alt\r\n[Crypt]\r\n1=0\r\n[Text]\r\n1=alter Text\r\n");
    const std::string longest(32766, 'x');
    EXPECT_EQ(file.writeEntry(1, {"neu", longest, "", 0, 0}), WriteResult::Ok);
    EXPECT_EQ(file.readEntry(1).text, longest);

    // 8191 characters encipher to 32768: refused, and the old entry stays whole.
    EXPECT_EQ(file.writeEntry(1, {"neuer", std::string(8191, 'y'), "", 1, 0}), WriteResult::TooLong);
    EXPECT_EQ(file.writeEntry(1, {"neuer", std::string(32767, 'y'), "", 0, 0}), WriteResult::TooLong);
    EXPECT_EQ(file.writeField(1, "Text", std::string(40000, 'z')), WriteResult::TooLong);
    const Entry kept = file.readEntry(1);
    EXPECT_EQ(kept.name, "neu");
    EXPECT_EQ(kept.crypt, 0);
    EXPECT_EQ(kept.text, longest);
}

TEST_F(SnippetFileTest, WritesThatTheSystemRefusesAreReported) {
    given("[Name]\r\n1=a\r\n");
    desk.sim.files.setAttributes(Path, {false, false, false, true});
    EXPECT_EQ(file.writeEntry(1, {"b", "", "", 0, 0}), WriteResult::Failed);
    EXPECT_EQ(file.writeField(1, "Title", "x"), WriteResult::Failed);
    EXPECT_EQ(file.addIgnoreTitle("x"), WriteResult::Failed);
    EXPECT_EQ(file.saveOptions(), WriteResult::Failed);
    EXPECT_EQ(value("Name", "1"), "a");

    file.setPath("C:\\Fehlt\\Scrivlet.ini");
    EXPECT_EQ(file.load().ignoreDefaults, WriteResult::Failed);
}

TEST_F(SnippetFileTest, AValueWithALineBreakIsNotWritten) {
    given("[Name]\r\n1=a\r\n");
    for (const char* value : {"a\r\nb", "a\n", "\rb"}) {
        EXPECT_EQ(file.writeField(1, "Title", value), WriteResult::LineBreak);
        EXPECT_EQ(file.writeEntry(1, {"b", "", value, 0, 0}), WriteResult::LineBreak);
        EXPECT_EQ(file.addIgnoreTitle(value), WriteResult::LineBreak);
    }
    EXPECT_EQ(desk.fileText(Path), "[Name]\r\n1=a\r\n");
}

// The ignore titles come in one section read, not one call per title.
TEST_F(SnippetFileTest, IgnoreTitlesAreReadAsOneSection) {
    std::string bytes = "[Ignore]\r\n";
    for (int i = 1; i <= 500; ++i) bytes += std::to_string(i) + "= 'Titel " + std::to_string(i) + "' \r\n";
    given(bytes + "501=\r\n502=x\r\n");
    struct Counting : Profile {
        explicit Counting(Profile& p) : inner(p) {}
        std::string readString(const std::string& s, const std::string& k, const std::string& f,
                               const std::string& file, std::size_t size) override {
            ++reads;
            return inner.readString(s, k, f, file, size);
        }
        std::optional<std::string> readSection(const std::string& s, const std::string& file) override {
            return inner.readSection(s, file);
        }
        bool writeString(const std::string& s, const std::string& k, const std::string& v,
                         const std::string& file) override {
            return inner.writeString(s, k, v, file);
        }
        bool removeKey(const std::string& s, const std::string& k, const std::string& file) override {
            return inner.removeKey(s, k, file);
        }
        bool removeSection(const std::string& s, const std::string& file) override {
            return inner.removeSection(s, file);
        }
        Profile& inner;
        int reads = 0;
    } counting(desk.sim.profile);
    IniAccess countingIni{counting};
    SnippetFile counted{countingIni, desk.sim.random};
    counted.setPath(Path);
    counted.load();
    EXPECT_LT(counting.reads, 20);
    ASSERT_EQ(counted.ignoreList().size(), 501u);
    EXPECT_EQ(counted.ignoreList()[1], "Titel 1");
    EXPECT_EQ(counted.ignoreList()[500], "Titel 500");
}

// The texts for a search come a section at a time, each as the entry's own
// read gives it, and an enciphered one not at all.
TEST_F(SnippetFileTest, OpenTextsAreReadBySectionAndLeaveEncipheredOnesOut) {
    given("[Name]\r\n1=a\r\n2=b\r\n3=c\r\n4=d\r\n5=e\r\n"
          "[Text]\r\n1= 'Hallo\\NWelt' \r\n2=00410000\r\n3=\"\"\r\n5=ohne Crypt\r\n"
          "[Crypt]\r\n1=0\r\n2=1\r\n3=0\r\n4=x\r\n");
    const std::vector<NamedEntry> names = file.readNames();
    const std::size_t reads = desk.sim.profile.reads();
    const auto texts = file.readOpenTexts(names);
    EXPECT_EQ(desk.sim.profile.reads() - reads, 2u);
    ASSERT_EQ(texts.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const Entry entry = file.readEntry(names[i].number);
        EXPECT_EQ(texts[i], entry.crypt ? std::nullopt : std::optional(entry.text)) << names[i].name;
    }
    EXPECT_EQ(texts[0], "Hallo\\NWelt");
    EXPECT_EQ(texts[1], std::nullopt);
}

// Quotes go only around a value the profile functions would change, so every
// other value keeps the bytes it always had.
TEST(StoredForm, QuotesOnlyWhatWouldNotComeBack) {
    const struct {
        const char* value;
        const char* stored;
    } cases[] = {
        {"", ""},         {"a b", "a b"},     {"\"", "\""},           {"'", "'"},
        {"'a", "'a"},     {"a\"", "a\""},     {"'a\"", "'a\""},         {"a\\H", "a\\H"},
        {" a", "\" a\""}, {"a\t", "\"a\t\""}, {"'a'", "\"'a'\""},     {"\"\"", "\"\"\"\""},
    };
    for (const auto& c : cases) EXPECT_EQ(IniAccess::storedForm(c.value), c.stored) << c.value;
}

TEST(ClampOption, GivesTheDefaultOutsideTheRange) {
    EXPECT_EQ(SnippetFile::clampOption(3, 0, 3, 0), 3);
    EXPECT_EQ(SnippetFile::clampOption(4, 0, 3, 1), 1);
    EXPECT_EQ(SnippetFile::clampOption(-1, 0, 3, 2), 2);
}

}  // namespace
}  // namespace scrivlet
