#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "native/main_window_story.h"
#include "options/options_form.h"

namespace scrivlet {
namespace {

const std::string Base = test::snippetFile({{"Grußformel", "MfG"}, {"Adresse", "Hauptstr. 1"}, {"Grußformel", "Gruß"}});
const std::string WithAbbreviations = Base + "[Kuerzel]\r\nmfg=Grußformel\r\nalt=Gelöscht\r\n";
using Lines = std::vector<std::string>;

struct AbbreviationFile : test::MainWindowStory {
    void select(EntryNumber n) {  // the list's row of entry n
        for (int i = 0; i < form().lbEntryList.count(); ++i)
            if (form().lbEntryList.itemData(i) == n) return form().lbEntryList.setListIndex(i);
        ADD_FAILURE() << "no row of entry " << n;
    }
    void enter(const std::string& typed) {  // typed into "Kürzel", then the field is left
        form().abbreviationTB.setFocus(), form().abbreviationTB.reportText(typed), form().abbreviationTB.loseFocus();
    }
    void rename(EntryNumber n, const std::string& to) { select(n), sim.dialogs.answerInput(to), form().btnRename.click(); }
    void remove(EntryNumber n) { select(n), sim.dialogs.answerNext(MessageAnswer::Yes), form().btnDelete.click(); }
    std::string file() { return fileText(StandardFile); }
    Lines section() {  // [Kuerzel] as another reader sees it
        Lines lines;
        const auto read = sim.profile.readSection("Kuerzel", StandardFile);
        for (std::size_t start = 0, end; read && start < read->size(); start = end + 1)
            lines.push_back(cp1252ToUtf8(read->substr(start, (end = read->find('\0', start)) - start)));
        return lines;
    }
};

TEST_F(AbbreviationFile, TheFieldShowsTheEntrysAbbreviationAndStoresItWhenLeftOrSaysWhyNot) {
    startWith(WithAbbreviations);
    select(1);  // of entries sharing a name only the first holds it, and both say so
    EXPECT_EQ(form().abbreviationNote.caption(),
              "Mehrere Einträge heißen 'Grußformel': das Kürzel 'mfg' gilt für diesen, den ersten in der Datei.");
    select(3);
    EXPECT_EQ(form().abbreviationTB.text(), "mfg");
    EXPECT_FALSE(form().abbreviationTB.enabled());
    EXPECT_EQ(form().abbreviationNote.caption(),
              "Ein Eintrag weiter vorn in der Datei heißt ebenfalls 'Grußformel': das Kürzel 'mfg' gilt für ihn.");
    select(2);
    EXPECT_EQ(form().abbreviationNote.caption(), "Unbenutzt, kein Eintrag hat ihren Namen: 'alt' (Gelöscht)");
    const std::string oneWord = "Ein Kürzel ist ein einziges Wort, ohne Leerzeichen.";
    const struct { std::string typed, message; } refused[] = {
        {"a b", oneWord}, {"a\u00A0b", oneWord}, {";a", "Ein Kürzel darf nicht mit '[' oder ';' beginnen."},
        {"a=b", "Ein Kürzel darf kein '=' enthalten."}, {std::string(33, 'a'), "Ein Kürzel hat höchstens 32 Zeichen."},
        {"MFG", "Das Kürzel 'MFG' hat bereits der Eintrag 'Grußformel' (Groß- und Kleinschreibung zählen dabei "
                "nicht).\r\rBitte wählen Sie ein anderes."},  // unique regardless of case, as the file's keys are
    };
    for (std::size_t told = 1; const auto& c : refused) {  // nothing written, the field emptied, the reason told
        SCOPED_TRACE(c.typed);
        enter(c.typed);
        EXPECT_EQ(file(), WithAbbreviations);
        EXPECT_EQ(form().abbreviationTB.text(), "");
        ASSERT_EQ(messages().size(), told++);
        EXPECT_EQ(messages().back().text, c.message);
    }
    enter("  adr ");
    EXPECT_EQ(section(), (Lines{"mfg=Grußformel", "alt=Gelöscht", "adr=Adresse"}));
    enter("ALT");  // the one whose name is gone may be taken over
    EXPECT_EQ(section(), (Lines{"mfg=Grußformel", "ALT=Adresse"}));
    EXPECT_EQ(messages().size(), std::size(refused));
}

TEST_F(AbbreviationFile, AFileWithoutAbbreviationsKeepsItsBytes) {
    startWith(Base);
    select(2);
    enter("adr");
    EXPECT_NE(file(), Base);
    enter("");  // no empty section stays behind
    EXPECT_EQ(file(), Base);
}

// Each command keeps [Kuerzel] in step with the names; when any one of its writes fails, all stays as before.
TEST_F(AbbreviationFile, RenameDeleteAndChangeKeepTheSectionInStepOrLeaveFileAndListAsBefore) {
    using T = AbbreviationFile&;
    const struct { const char* command; std::string file; std::function<void(T)> run; Lines after; } cases[] = {
        {"rename", WithAbbreviations, [](T t) { t.rename(1, "Gruß"); }, {"mfg=Gruß", "alt=Gelöscht"}},
        {"rename a later one of the name", WithAbbreviations, [](T t) { t.rename(3, "Kurzgruß"); },
         {"mfg=Grußformel", "alt=Gelöscht"}},
        // the last entry moves into the freed number and takes nothing of it
        {"delete", Base + "[Kuerzel]\r\nmfg=Grußformel\r\nadr=Adresse\r\n", [](T t) { t.remove(2); }, {"mfg=Grußformel"}},
        {"delete the last", Base + "[Kuerzel]\r\nadr=Adresse\r\n", [](T t) { t.remove(2); }, {}},
        {"change", WithAbbreviations, [](T t) { t.select(1), t.enter("gruss"); }, {"alt=Gelöscht", "gruss=Grußformel"}},
        {"first", Base, [](T t) { t.select(2), t.enter("x"); }, {"x=Adresse"}},
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
        EXPECT_EQ(section(), c.after) << c.command;
        EXPECT_EQ(file().find("[Kuerzel]") == std::string::npos, c.after.empty()) << c.command;  // no empty section
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
