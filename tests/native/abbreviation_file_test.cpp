#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "native/main_window_story.h"
#include "options/options_form.h"

namespace scrivlet {
namespace {

const std::string Base =
    "[Name]\r\n1=Grußformel\r\n2=Adresse\r\n3=Grußformel\r\n"
    "[Text]\r\n1=MfG\r\n2=Hauptstr. 1\r\n3=Gruß\r\n[Crypt]\r\n1=0\r\n2=0\r\n3=0\r\n"
    "[Ignore]\r\n1=DFÜ-Netzwerkmonitor\r\n";
const std::string WithAbbreviations = Base + "[Kuerzel]\r\nmfg=Grußformel\r\nalt=Gelöscht\r\n";

struct AbbreviationFile : test::MainWindowStory {
    void select(int row) { form().lbEntryList.setListIndex(row); }
    int rowOf(const std::string& name, EntryNumber number) {
        for (int i = 0; i < form().lbEntryList.count(); ++i)
            if (form().lbEntryList.text(i) == name && form().lbEntryList.itemData(i) == number) return i;
        return -1;
    }
    // The user types into the "Kürzel" field and leaves it.
    void enter(const std::string& abbreviation) {
        ui::TextBox& field = form().abbreviationTB;
        field.setFocus();
        field.reportText(abbreviation);
        field.loseFocus();
    }
    std::string file() { return fileText(StandardFile); }
    // [Kuerzel] as another reader sees it.
    std::vector<std::string> section() {
        std::vector<std::string> lines;
        const auto read = sim.profile.readSection("Kuerzel", StandardFile);
        if (!read) return lines;
        for (std::size_t start = 0; start < read->size();) {
            const std::size_t end = read->find('\0', start);
            lines.push_back(cp1252ToUtf8(read->substr(start, end - start)));
            start = end + 1;
        }
        return lines;
    }
};

TEST_F(AbbreviationFile, TheFieldShowsTheEntrysAbbreviationAndStoresItWhenLeft) {
    startWith(WithAbbreviations);
    select(rowOf("Grußformel", 1));
    EXPECT_EQ(form().abbreviationTB.text(), "mfg");
    EXPECT_TRUE(form().abbreviationTB.enabled());
    select(rowOf("Adresse", 2));
    EXPECT_EQ(form().abbreviationTB.text(), "");
    enter("  adr ");
    EXPECT_EQ(section(), (std::vector<std::string>{"mfg=Grußformel", "alt=Gelöscht", "adr=Adresse"}));
    EXPECT_EQ(form().abbreviationTB.text(), "adr");
    enter("anschrift");
    EXPECT_EQ(section(), (std::vector<std::string>{"mfg=Grußformel", "alt=Gelöscht", "anschrift=Adresse"}));
    EXPECT_TRUE(messages().empty());
}

TEST_F(AbbreviationFile, AFileWithoutAbbreviationsKeepsItsBytes) {
    startWith(Base);
    const std::string before = file();
    select(rowOf("Adresse", 2));
    enter("adr");
    EXPECT_NE(file(), before);
    enter("");
    // No empty section stays behind.
    EXPECT_EQ(file(), before);
}

struct RefusedCase {
    const char* label;
    std::string typed;
    std::string message;
};

void PrintTo(const RefusedCase& c, std::ostream* out) { *out << c.label; }

class AbbreviationRefused : public AbbreviationFile, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(AbbreviationRefused, NothingIsWrittenAndTheFieldShowsTheOldOne) {
    const RefusedCase& c = GetParam();
    startWith(WithAbbreviations);
    select(rowOf("Adresse", 2));
    const std::string before = file();
    enter(c.typed);
    EXPECT_EQ(file(), before);
    EXPECT_EQ(form().abbreviationTB.text(), "");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Form, AbbreviationRefused,
    ::testing::Values(
        RefusedCase{"TwoWords", "a b", "Ein Kürzel ist ein einziges Wort, ohne Leerzeichen."},
        RefusedCase{"NoBreakSpace", "a\u00A0b", "Ein Kürzel ist ein einziges Wort, ohne Leerzeichen."},
        RefusedCase{"Bracket", "[a", "Ein Kürzel darf nicht mit '[' oder ';' beginnen."},
        RefusedCase{"Semicolon", ";a", "Ein Kürzel darf nicht mit '[' oder ';' beginnen."},
        RefusedCase{"EqualsSign", "a=b", "Ein Kürzel darf kein '=' enthalten."},
        RefusedCase{"TooLong", std::string(33, 'a'), "Ein Kürzel hat höchstens 32 Zeichen."},
        // Unique regardless of case, as the file's keys are.
        RefusedCase{"AnotherEntrysInOtherCase", "MFG",
                    "Das Kürzel 'MFG' hat bereits der Eintrag 'Grußformel' (Groß- und Kleinschreibung zählen dabei "
                    "nicht).\r\rBitte wählen Sie ein anderes."}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(AbbreviationFile, AnUnusedAbbreviationIsShownAndMayBeTakenOver) {
    startWith(WithAbbreviations);
    select(rowOf("Adresse", 2));
    EXPECT_EQ(form().abbreviationNote.caption(), "Unbenutzt, kein Eintrag hat ihren Namen: 'alt' (Gelöscht)");
    enter("ALT");
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(section(), (std::vector<std::string>{"mfg=Grußformel", "ALT=Adresse"}));
    EXPECT_EQ(form().abbreviationNote.caption(), "");
}

TEST_F(AbbreviationFile, OfEntriesSharingANameTheFirstHasTheAbbreviationAndTheWindowSaysSo) {
    startWith(WithAbbreviations);
    select(rowOf("Grußformel", 1));
    EXPECT_EQ(form().abbreviationNote.caption(),
              "Mehrere Einträge heißen 'Grußformel': das Kürzel 'mfg' gilt für diesen, den ersten in der Datei.");
    select(rowOf("Grußformel", 3));
    EXPECT_EQ(form().abbreviationTB.text(), "mfg");
    EXPECT_FALSE(form().abbreviationTB.enabled());
    EXPECT_EQ(form().abbreviationNote.caption(),
              "Ein Eintrag weiter vorn in der Datei heißt ebenfalls 'Grußformel': das Kürzel 'mfg' gilt für ihn.");
}

TEST_F(AbbreviationFile, RenameAndDeleteKeepTheSectionInStep) {
    startWith(Base + "[Kuerzel]\r\nmfg=Grußformel\r\nadr=Adresse\r\n");
    // The first entry of the name holds the abbreviation: renaming the later
    // one leaves it, renaming the first takes it along.
    select(rowOf("Grußformel", 3));
    sim.dialogs.answerInput("Kurzgruß");
    form().btnRename.click();
    EXPECT_EQ(section(), (std::vector<std::string>{"mfg=Grußformel", "adr=Adresse"}));
    select(rowOf("Grußformel", 1));
    sim.dialogs.answerInput("Gruß");
    form().btnRename.click();
    EXPECT_EQ(section(), (std::vector<std::string>{"mfg=Gruß", "adr=Adresse"}));
    // A delete moves the last entry into the freed number; the abbreviations
    // name entries, so only the deleted one's goes.
    select(rowOf("Gruß", 1));
    sim.dialogs.answerNext(MessageAnswer::Yes);
    form().btnDelete.click();
    EXPECT_EQ(section(), (std::vector<std::string>{"adr=Adresse"}));
    select(rowOf("Adresse", 2));
    sim.dialogs.answerNext(MessageAnswer::Yes);
    form().btnDelete.click();
    EXPECT_EQ(file().find("[Kuerzel]"), std::string::npos);
    // The two questions before the deletes, nothing else.
    EXPECT_EQ(messages().size(), 2u);
}

// Whichever single write fails, file and list are as before the command.
TEST_F(AbbreviationFile, AFailedWriteLeavesFileAndListAsBefore) {
    const struct {
        const char* command;
        std::function<void(AbbreviationFile&)> run;
    } cases[] = {
        {"rename", [](AbbreviationFile& t) { t.select(t.rowOf("Grußformel", 1)); t.sim.dialogs.answerInput("Gruß"); t.form().btnRename.click(); }},
        {"delete", [](AbbreviationFile& t) { t.select(t.rowOf("Grußformel", 1)); t.sim.dialogs.answerNext(MessageAnswer::Yes); t.form().btnDelete.click(); }},
        {"delete the last", [](AbbreviationFile& t) { t.select(t.rowOf("Adresse", 2)); t.sim.dialogs.answerNext(MessageAnswer::Yes); t.form().btnDelete.click(); }},
        {"change", [](AbbreviationFile& t) { t.select(t.rowOf("Grußformel", 1)); t.enter("gruss"); }},
        {"first", [](AbbreviationFile& t) { t.select(t.rowOf("Adresse", 2)); t.enter("x"); }},
    };
    const std::string only = "[Name]\r\n1=Grußformel\r\n2=Adresse\r\n[Text]\r\n1=a\r\n2=b\r\n[Kuerzel]\r\nadr=Adresse\r\n";
    auto prepare = [&](const char* command) {
        startWith(std::string(command) == "first" ? Base : std::string(command) == "delete the last" ? only
                                                                                                    : WithAbbreviations);
    };
    // What the file means: every value of the entries, and the abbreviations
    // in any order (the profile functions read a value put back as empty like
    // a missing one, and a key put back goes to the end of its section).
    auto meaning = [this] {
        std::vector<std::string> values = section();
        std::sort(values.begin(), values.end());
        for (EntryNumber n = 1; n <= 4; ++n) {
            const Entry e = readEntry(n);
            values.insert(values.end(), {e.name, e.text, e.title, std::to_string(e.crypt), std::to_string(e.dosBox)});
        }
        return values;
    };
    auto errors = [this] {
        return std::count_if(messages().begin(), messages().end(),
                             [](const MessageRequest& m) { return m.icon == MessageIcon::Error; });
    };
    for (const auto& c : cases) {
        prepare(c.command);
        const std::vector<std::string> before = meaning();
        const std::vector<std::string> rowsBefore = listed();
        const std::size_t writesBefore = sim.profile.writes();
        c.run(*this);
        const std::size_t writes = sim.profile.writes() - writesBefore;
        ASSERT_NE(meaning(), before) << c.command;
        for (std::size_t k = 1; k <= writes; ++k) {
            SCOPED_TRACE(std::string(c.command) + ", write " + std::to_string(k) + " of " + std::to_string(writes));
            prepare(c.command);
            const auto errorsBefore = errors();
            sim.profile.failWrite(k);
            c.run(*this);
            sim.profile.failWrite(0);
            EXPECT_EQ(errors(), errorsBefore + 1);
            EXPECT_EQ(meaning(), before);
            EXPECT_EQ(listed(), rowsBefore);
        }
    }
}

TEST_F(AbbreviationFile, TheOptionsComeFromCommonAndGoBackThere) {
    const struct {
        std::string common;
        int on, atOnce, ignoreCase;
        // AbbrevOn in the file after OK: a value left as it was stays as written.
        std::string onAfter;
    } cases[] = {
        {"", 1, 0, 0, "-"},
        {"AbbrevOn=0\r\nAbbrevAtOnce=1\r\nAbbrevIgnoreCase=1\r\n", 0, 1, 1, "0"},
        {"AbbrevOn=7\r\nAbbrevAtOnce=x\r\nAbbrevIgnoreCase=-1\r\n", 1, 0, 0, "7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.common);
        startWith(Base + "[Common]\r\n" + c.common);
        auto& options = lastingForm<OptionsForm>("OptionsForm");
        EXPECT_EQ(options.abbreviationsChk.value(), c.on);
        EXPECT_EQ(options.atOnceChk.value(), c.atOnce);
        EXPECT_EQ(options.ignoreCaseChk.value(), c.ignoreCase);
        EXPECT_EQ(options.atOnceChk.enabled(), c.on == 1);
        options.ignoreCaseChk.setValue(1 - c.ignoreCase);
        options.btnOk.click();
        EXPECT_EQ(sim.profile.readString("Common", "AbbrevIgnoreCase", "-", StandardFile, 100),
                  std::to_string(1 - c.ignoreCase));
        EXPECT_EQ(sim.profile.readString("Common", "AbbrevOn", "-", StandardFile, 100), c.onAfter);
    }
}

}  // namespace
}  // namespace scrivlet
