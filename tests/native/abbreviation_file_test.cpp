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
    void enter(const std::string& typed) {  // typed into "Kürzel", then the field is left
        form().abbreviationTB.setFocus(), form().abbreviationTB.reportText(typed), form().abbreviationTB.loseFocus();
    }
    void rename(const std::string& name, EntryNumber n, const std::string& to) {
        select(name, n), sim.dialogs.answerInput(to), form().btnRename.click();
    }
    void remove(const std::string& name, EntryNumber n) {
        select(name, n), sim.dialogs.answerNext(MessageAnswer::Yes), form().btnDelete.click();
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

TEST_F(AbbreviationFile, TheFieldShowsTheEntrysAbbreviationAndStoresItWhenLeft) {
    startWith(WithAbbreviations);
    select("Grußformel", 1);  // of entries sharing a name only the first holds it, and both say so
    EXPECT_EQ(form().abbreviationNote.caption(),
              "Mehrere Einträge heißen 'Grußformel': das Kürzel 'mfg' gilt für diesen, den ersten in der Datei.");
    select("Grußformel", 3);
    EXPECT_EQ(form().abbreviationTB.text(), "mfg");
    EXPECT_FALSE(form().abbreviationTB.enabled());
    EXPECT_EQ(form().abbreviationNote.caption(),
              "Ein Eintrag weiter vorn in der Datei heißt ebenfalls 'Grußformel': das Kürzel 'mfg' gilt für ihn.");
    select("Adresse", 2);
    EXPECT_EQ(form().abbreviationNote.caption(), "Unbenutzt, kein Eintrag hat ihren Namen: 'alt' (Gelöscht)");
    enter("  adr ");
    EXPECT_EQ(section(), (Lines{"mfg=Grußformel", "alt=Gelöscht", "adr=Adresse"}));
    enter("ALT");  // the one whose name is gone may be taken over
    EXPECT_EQ(section(), (Lines{"mfg=Grußformel", "ALT=Adresse"}));
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

TEST_F(AbbreviationFile, ARefusedAbbreviationWritesNothing) {
    const std::string oneWord = "Ein Kürzel ist ein einziges Wort, ohne Leerzeichen.";
    const struct { std::string typed, message; } cases[] = {
        {"a b", oneWord}, {"a\u00A0b", oneWord}, {";a", "Ein Kürzel darf nicht mit '[' oder ';' beginnen."},
        {"a=b", "Ein Kürzel darf kein '=' enthalten."}, {std::string(33, 'a'), "Ein Kürzel hat höchstens 32 Zeichen."},
        {"MFG", "Das Kürzel 'MFG' hat bereits der Eintrag 'Grußformel' (Groß- und Kleinschreibung zählen dabei "
                "nicht).\r\rBitte wählen Sie ein anderes."},  // unique regardless of case, as the file's keys are
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
    rename("Grußformel", 3, "Kurzgruß");  // a later entry of the name holds none
    rename("Grußformel", 1, "Gruß");
    EXPECT_EQ(section(), (Lines{"mfg=Gruß", "adr=Adresse"}));
    remove("Gruß", 1);  // the last entry moves into the freed number and keeps its own
    EXPECT_EQ(section(), (Lines{"adr=Adresse"}));
    remove("Adresse", 2);
    EXPECT_EQ(file().find("[Kuerzel]"), std::string::npos);
}

TEST_F(AbbreviationFile, AFailedWriteLeavesFileAndListAsBefore) {
    const std::string only = Base + "[Kuerzel]\r\nadr=Adresse\r\n";
    using T = AbbreviationFile&;
    const struct { const char* command; const std::string& file; std::function<void(T)> run; } cases[] = {
        {"rename", WithAbbreviations, [](T t) { t.rename("Grußformel", 1, "Gruß"); }},
        {"delete", WithAbbreviations, [](T t) { t.remove("Grußformel", 1); }},
        {"delete the last", only, [](T t) { t.remove("Adresse", 2); }},
        {"change", WithAbbreviations, [](T t) { t.select("Grußformel", 1); t.enter("gruss"); }},
        {"first", Base, [](T t) { t.select("Adresse", 2); t.enter("x"); }},
    };
    auto meaning = [this] {  // entries, list and abbreviations in any order (a key put back goes last)
        Lines values = section(), rows = listed();
        std::ranges::sort(values);
        values.insert(values.end(), rows.begin(), rows.end());
        for (EntryNumber n = 1; n <= 4; ++n) {
            const Entry e = readEntry(n);
            values.insert(values.end(), {e.name, e.text, e.title, std::to_string(e.crypt), std::to_string(e.dosBox)});
        }
        return values;
    };
    const auto errors = [this] { return std::ranges::count(messages(), MessageIcon::Error, &MessageRequest::icon); };
    for (const auto& c : cases) {  // each single write in turn fails
        startWith(c.file);
        const Lines before = meaning();
        const std::size_t writesBefore = sim.profile.writes();
        c.run(*this);
        const std::size_t writes = sim.profile.writes() - writesBefore;
        ASSERT_NE(meaning(), before) << c.command;
        for (std::size_t k = 1; k <= writes; ++k) {
            SCOPED_TRACE(std::string(c.command) + ", write " + std::to_string(k));
            startWith(c.file);
            const auto errorsBefore = errors();
            sim.profile.failWrite(k);
            c.run(*this);
            sim.profile.failWrite(0);
            EXPECT_EQ(errors(), errorsBefore + 1);
            EXPECT_EQ(meaning(), before);
        }
    }
}

// Values the options cannot hold read as the defaults; one left untouched stays as written.
TEST_F(AbbreviationFile, TheOptionsComeFromCommonAndGoBackThere) {
    startWith(Base + "[Common]\r\nAbbrevOn=7\r\nAbbrevAtOnce=x\r\nAbbrevIgnoreCase=-1\r\n");
    auto& o = lastingForm<OptionsForm>("OptionsForm");
    EXPECT_EQ((std::vector{o.abbreviationsChk.value(), o.atOnceChk.value(), o.ignoreCaseChk.value()}), (std::vector{1, 0, 0}));
    o.ignoreCaseChk.setValue(1);
    o.btnOk.click();
    const auto stored = [&](const char* key) { return sim.profile.readString("Common", key, "-", StandardFile, 100); };
    EXPECT_EQ(stored("AbbrevIgnoreCase") + stored("AbbrevOn"), "17");
}

}  // namespace
}  // namespace scrivlet
