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
using Lines = std::vector<std::string>;

struct AbbreviationFile : test::MainWindowStory {
    void select(const std::string& name, EntryNumber number) {
        for (int i = 0; i < form().lbEntryList.count(); ++i)
            if (form().lbEntryList.text(i) == name && form().lbEntryList.itemData(i) == number)
                return form().lbEntryList.setListIndex(i);
        ADD_FAILURE() << "no row " << name;
    }
    // The user types into the "Kürzel" field and leaves it.
    void enter(const std::string& abbreviation) {
        form().abbreviationTB.setFocus();
        form().abbreviationTB.reportText(abbreviation);
        form().abbreviationTB.loseFocus();
    }
    void rename(const std::string& name, EntryNumber number, const std::string& to) {
        select(name, number);
        sim.dialogs.answerInput(to);
        form().btnRename.click();
    }
    void remove(const std::string& name, EntryNumber number) {
        select(name, number);
        sim.dialogs.answerNext(MessageAnswer::Yes);
        form().btnDelete.click();
    }
    std::string file() { return fileText(StandardFile); }
    Lines section() {  // [Kuerzel] as another reader sees it
        Lines lines;
        const auto read = sim.profile.readSection("Kuerzel", StandardFile);
        for (std::size_t start = 0, end; read && start < read->size(); start = end + 1)
            lines.push_back(cp1252ToUtf8(read->substr(start, (end = read->find('\0', start)) - start)));
        return lines;
    }
};

TEST_F(AbbreviationFile, TheFieldAndItsNoteShowTheEntrysAbbreviationWhichIsStoredWhenLeft) {
    startWith(WithAbbreviations);
    const auto& field = form().abbreviationTB;
    const auto& note = form().abbreviationNote;
    select("Grußformel", 1);  // of entries sharing a name the first has it
    EXPECT_EQ(field.text(), "mfg");
    EXPECT_TRUE(field.enabled());
    EXPECT_EQ(note.caption(),
              "Mehrere Einträge heißen 'Grußformel': das Kürzel 'mfg' gilt für diesen, den ersten in der Datei.");
    select("Grußformel", 3);
    EXPECT_EQ(field.text(), "mfg");
    EXPECT_FALSE(field.enabled());
    EXPECT_EQ(note.caption(),
              "Ein Eintrag weiter vorn in der Datei heißt ebenfalls 'Grußformel': das Kürzel 'mfg' gilt für ihn.");
    select("Adresse", 2);
    EXPECT_EQ(field.text(), "");
    EXPECT_EQ(note.caption(), "Unbenutzt, kein Eintrag hat ihren Namen: 'alt' (Gelöscht)");
    enter("  adr ");
    EXPECT_EQ(section(), (Lines{"mfg=Grußformel", "alt=Gelöscht", "adr=Adresse"}));
    EXPECT_EQ(field.text(), "adr");
    enter("anschrift");
    EXPECT_EQ(section(), (Lines{"mfg=Grußformel", "alt=Gelöscht", "anschrift=Adresse"}));
    enter("ALT");  // the unused one may be taken over
    EXPECT_EQ(section(), (Lines{"mfg=Grußformel", "ALT=Adresse"}));
    EXPECT_EQ(note.caption(), "");
    EXPECT_TRUE(messages().empty());
}

TEST_F(AbbreviationFile, AFileWithoutAbbreviationsKeepsItsBytes) {
    startWith(Base);
    const std::string before = file();
    select("Adresse", 2);
    enter("adr");
    EXPECT_NE(file(), before);
    enter("");  // no empty section stays behind
    EXPECT_EQ(file(), before);
}

TEST_F(AbbreviationFile, ARefusedAbbreviationWritesNothingAndTheFieldShowsTheOldOne) {
    const std::string oneWord = "Ein Kürzel ist ein einziges Wort, ohne Leerzeichen.",
                      start = "Ein Kürzel darf nicht mit '[' oder ';' beginnen.";
    const struct {
        std::string typed, message;
    } cases[] = {
        {"a b", oneWord}, {"a\u00A0b", oneWord}, {"[a", start}, {";a", start},
        {"a=b", "Ein Kürzel darf kein '=' enthalten."}, {std::string(33, 'a'), "Ein Kürzel hat höchstens 32 Zeichen."},
        // Unique regardless of case, as the file's keys are.
        {"MFG", "Das Kürzel 'MFG' hat bereits der Eintrag 'Grußformel' (Groß- und Kleinschreibung zählen dabei "
                "nicht).\r\rBitte wählen Sie ein anderes."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        startWith(WithAbbreviations);
        select("Adresse", 2);
        const std::string before = file();
        const std::size_t told = messages().size();
        enter(c.typed);
        EXPECT_EQ(file(), before);
        EXPECT_EQ(form().abbreviationTB.text(), "");
        ASSERT_EQ(messages().size(), told + 1);
        EXPECT_EQ(messages().back().text, c.message);
    }
}

TEST_F(AbbreviationFile, RenameAndDeleteKeepTheSectionInStep) {
    startWith(Base + "[Kuerzel]\r\nmfg=Grußformel\r\nadr=Adresse\r\n");
    rename("Grußformel", 3, "Kurzgruß");  // the first entry of the name holds it: a later one leaves it
    EXPECT_EQ(section(), (Lines{"mfg=Grußformel", "adr=Adresse"}));
    rename("Grußformel", 1, "Gruß");
    EXPECT_EQ(section(), (Lines{"mfg=Gruß", "adr=Adresse"}));
    // A delete moves the last entry into the freed number; only the deleted one's goes.
    remove("Gruß", 1);
    EXPECT_EQ(section(), (Lines{"adr=Adresse"}));
    remove("Adresse", 2);
    EXPECT_EQ(file().find("[Kuerzel]"), std::string::npos);
    EXPECT_EQ(messages().size(), 2u);  // the two questions
}

// Whichever single write fails, file and list are as before the command.
TEST_F(AbbreviationFile, AFailedWriteLeavesFileAndListAsBefore) {
    const std::string only = "[Name]\r\n1=Grußformel\r\n2=Adresse\r\n[Text]\r\n1=a\r\n2=b\r\n[Kuerzel]\r\nadr=Adresse\r\n";
    const struct {
        const char* command;
        const std::string& file;
        std::function<void(AbbreviationFile&)> run;
    } cases[] = {
        {"rename", WithAbbreviations, [](AbbreviationFile& t) { t.rename("Grußformel", 1, "Gruß"); }},
        {"delete", WithAbbreviations, [](AbbreviationFile& t) { t.remove("Grußformel", 1); }},
        {"delete the last", only, [](AbbreviationFile& t) { t.remove("Adresse", 2); }},
        {"change", WithAbbreviations, [](AbbreviationFile& t) { t.select("Grußformel", 1); t.enter("gruss"); }},
        {"first", Base, [](AbbreviationFile& t) { t.select("Adresse", 2); t.enter("x"); }},
    };
    // Every value of the entries, and the abbreviations in any order (a key put back goes to the end).
    auto meaning = [this] {
        Lines values = section();
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
        startWith(c.file);
        const Lines before = meaning(), rowsBefore = listed();
        const std::size_t writesBefore = sim.profile.writes();
        c.run(*this);
        const std::size_t writes = sim.profile.writes() - writesBefore;
        ASSERT_NE(meaning(), before) << c.command;
        for (std::size_t k = 1; k <= writes; ++k) {
            SCOPED_TRACE(std::string(c.command) + ", write " + std::to_string(k) + " of " + std::to_string(writes));
            startWith(c.file);
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
        std::string onAfter;  // AbbrevOn after OK: a value left as it was stays as written
    } cases[] = {{"", 1, 0, 0, "-"}, {"AbbrevOn=0\r\nAbbrevAtOnce=1\r\nAbbrevIgnoreCase=1\r\n", 0, 1, 1, "0"},
                 {"AbbrevOn=7\r\nAbbrevAtOnce=x\r\nAbbrevIgnoreCase=-1\r\n", 1, 0, 0, "7"}};
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
        const auto stored = [&](const char* key) { return sim.profile.readString("Common", key, "-", StandardFile, 100); };
        EXPECT_EQ(stored("AbbrevIgnoreCase"), std::to_string(1 - c.ignoreCase));
        EXPECT_EQ(stored("AbbrevOn"), c.onAfter);
    }
}

}  // namespace
}  // namespace scrivlet
