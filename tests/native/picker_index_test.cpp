#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "native/sim_desktop.h"
#include "picker/picker_index.h"
#include "picker/recent_entries.h"
#include "store/storage_escape.h"

namespace scrivlet {
namespace {

struct Given {
    const char* name;
    const char* text = "";
    int crypt = 0;
};

// Numbered 1, 2, ... in this order; the menu's order is by character code:
// Abrechnung Mai, Angebot, Brief Rechnung, Geheim, Gruß an Straße, Mahnung,
// Michael, Rechnung Müller, rechnung klein, Ärger.
const std::vector<Given> Entries = {
    {"Abrechnung Mai"},
    {"Rechnung Müller", "Anbei die Rechnung."},
    {"Brief Rechnung"},
    {"rechnung klein"},
    {"Angebot", "Ihre Rechnung vom\r%datum%"},
    {"Geheim", "Rechnung an Meier", 1},
    {"Gruß an Straße"},
    {"Mahnung", "Sehr geehrter Herr Müller,\r\r\tbitte zahlen Sie."},
    {"Ärger"},
    {"Michael", "Gruß\tMichael"},
};

struct PickerIndexTest : ::testing::Test, test::SimDesktop {
    PickerIndexTest() {
        file.setPath(StandardFile);
        index.emplace(sim.files);
    }

    void given(const std::vector<Given>& entries) {
        std::vector<std::pair<EntryNumber, Entry>> written;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            Entry entry;
            entry.name = entries[i].name;
            entry.text = textForFile(entries[i].text);
            entry.crypt = entries[i].crypt;
            written.emplace_back(static_cast<EntryNumber>(i + 1), entry);
        }
        sim.files.writeAll(StandardFile, "");
        ASSERT_EQ(file.writeEntries(written), WriteResult::Ok);
    }
    // The names the picker lists for the query, in its order.
    std::vector<std::string> found(const std::string& query) { return namesOf(index->search(query, recent)); }
    std::vector<std::string> namesOf(const std::vector<EntryNumber>& numbers) {
        std::vector<std::string> names;
        for (EntryNumber n : numbers) names.push_back(index->entry(n) ? index->entry(n)->name : "<" + std::to_string(n) + ">");
        return names;
    }
    EntryNumber numberOf(const std::string& name) {
        for (const PickerEntry& e : index->entries())
            if (e.name == name) return e.number;
        ADD_FAILURE() << "no entry " << name;
        return 0;
    }

    IniAccess ini{sim.profile};
    SnippetFile file{ini, sim.random};
    // Made anew where a test needs an index that read nothing yet.
    std::optional<PickerIndex> index;
    RecentEntries recent;
};

TEST_F(PickerIndexTest, RanksNameStartsThenWordStartsThenOtherNamesThenTexts) {
    given(Entries);
    index->refresh(file);
    const struct {
        const char* query;
        std::vector<std::string> found;
    } cases[] = {
        {"rechnung", {"Rechnung Müller", "rechnung klein", "Brief Rechnung", "Abrechnung Mai", "Angebot"}},
        {"RECH", {"Rechnung Müller", "rechnung klein", "Brief Rechnung", "Abrechnung Mai", "Angebot"}},
        // German folding both ways, umlauts typed, spelled out or left out.
        {"mül", {"Rechnung Müller", "Mahnung"}},
        {"mueller", {"Rechnung Müller", "Mahnung"}},
        {"mull", {"Rechnung Müller", "Mahnung"}},
        {"gruss", {"Gruß an Straße", "Michael"}},
        {"GRUẞ", {"Gruß an Straße", "Michael"}},
        {"strasse", {"Gruß an Straße"}},
        {"ae", {"Ärger", "Michael"}},
        {"ä", {"Ärger", "Michael"}},
        {"arg", {"Ärger"}},
        // Several words: the first one ranks, each must be in the name...
        {"rechnung m", {"Rechnung Müller", "Abrechnung Mai", "Angebot"}},
        {"m rechnung", {"Abrechnung Mai", "Rechnung Müller", "Angebot"}},
        {"  an   str ", {"Gruß an Straße"}},
        // ... or, for the last rank, in the name or the text.
        {"angebot rechnung", {"Angebot"}},
        {"herr zahlen", {"Mahnung"}},
        {"sie, mahnung", {}},
        {"mahnung sie,", {}},
        {"mahnung sie.", {"Mahnung"}},
        {"%datum%", {"Angebot"}},
        // The enciphered text is never searched; its name is.
        {"meier", {}},
        {"rechnung an", {"Angebot", "Rechnung Müller"}},
        {"geheim", {"Geheim"}},
        {"xyz", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(found(c.query), c.found) << c.query;
}

TEST_F(PickerIndexTest, TheStoredCipherIsNotSearchedEither) {
    given(Entries);
    index->refresh(file);
    const std::string cipher = sim.profile.readString("Text", std::to_string(numberOf("Geheim")), "", StandardFile, 32767);
    ASSERT_GE(cipher.size(), 8u);
    for (const std::string& part : {cipher.substr(0, 4), cipher.substr(cipher.size() - 6)})
        EXPECT_EQ(found(part), std::vector<std::string>{}) << part;
    EXPECT_EQ(found("Geheim"), std::vector<std::string>{"Geheim"});
}

TEST_F(PickerIndexTest, AnEmptyQueryListsTheRecentEntriesFirst) {
    given(Entries);
    index->refresh(file);
    const std::vector<std::string> menuOrder = {"Abrechnung Mai", "Angebot", "Brief Rechnung", "Geheim",
                                                "Gruß an Straße", "Mahnung", "Michael", "Rechnung Müller",
                                                "rechnung klein", "Ärger"};
    const struct {
        const char* label;
        std::function<void(RecentEntries&)> sends;
        std::vector<std::string> first;
    } cases[] = {
        {"none sent", [](RecentEntries&) {}, {}},
        {"most recent first", [](RecentEntries& r) { r.sent(3, "Brief Rechnung"); r.sent(7, "Gruß an Straße"); },
         {"Gruß an Straße", "Brief Rechnung"}},
        {"sent again moves to the front",
         [](RecentEntries& r) {
             r.sent(3, "Brief Rechnung");
             r.sent(7, "Gruß an Straße");
             r.sent(3, "Brief Rechnung");
         },
         {"Brief Rechnung", "Gruß an Straße"}},
        {"gone or renumbered entries are left out",
         [](RecentEntries& r) {
             r.sent(99, "Weg");
             r.sent(2, "Früher hieß ich so");
             r.sent(6, "Geheim");
         },
         {"Geheim"}},
    };
    for (const auto& c : cases) {
        RecentEntries r;
        c.sends(r);
        std::vector<std::string> expected = c.first;
        for (const std::string& name : menuOrder)
            if (std::find(c.first.begin(), c.first.end(), name) == c.first.end()) expected.push_back(name);
        EXPECT_EQ(namesOf(index->search("", r)), expected) << c.label;
        EXPECT_EQ(namesOf(index->search(" \t ", r)), expected) << c.label;
    }
}

TEST(RecentEntries, KeepsTheLastFewOnceEach) {
    RecentEntries recent;
    for (int n = 1; n <= 10; ++n) recent.sent(static_cast<EntryNumber>(n), "e" + std::to_string(n));
    recent.sent(5, "e5");
    recent.sent(9, "neu");
    std::vector<RecentEntries::Used> expected = {{9, "neu"}, {5, "e5"}, {10, "e10"}, {8, "e8"},
                                                 {7, "e7"}, {6, "e6"}, {4, "e4"}, {3, "e3"}};
    ASSERT_EQ(RecentEntries::Kept, expected.size());
    EXPECT_EQ(recent.list(), expected);
}

TEST_F(PickerIndexTest, PreviewsTheFirstLinesOfPlainTextsOnly) {
    given(Entries);
    index->refresh(file);
    const struct {
        const char* name;
        std::vector<std::string> lines;
    } cases[] = {
        {"Mahnung", {"Sehr geehrter Herr Müller,¶", "¶", "→bitte zahlen Sie."}},
        {"Angebot", {"Ihre Rechnung vom¶", "%datum%"}},
        {"Geheim", {}},
        {"Brief Rechnung", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(index->preview(numberOf(c.name)), c.lines) << c.name;
    EXPECT_EQ(index->preview(99), std::vector<std::string>{});
}

// Typing narrows the last result instead of searching everything again; what
// it lists must be what a fresh search lists, also after a change of the file.
TEST_F(PickerIndexTest, NarrowingFindsWhatAFreshSearchFinds) {
    given(Entries);
    index->refresh(file);
    const struct {
        const char* query;
        const char* newEntry;  // added to the file before this query
    } steps[] = {
        {"r", nullptr},       {"re", nullptr},   {"rec", nullptr},        {"rech", nullptr},
        {"rec", nullptr},     {"rech", nullptr}, {"rech m", nullptr},     {"rech mu", nullptr},
        {"rech mül", nullptr}, {"rech mu", nullptr}, {"rech", "Rechnung neu"}, {"rechn", nullptr},
        {"a", nullptr},       {"an", nullptr},   {"an r", nullptr},       {"an re", nullptr},
        {"n an re", nullptr}, {"", nullptr},     {"m", nullptr},          {"mi", nullptr},
    };
    for (const auto& step : steps) {
        if (step.newEntry) {
            ASSERT_EQ(file.writeEntry(static_cast<EntryNumber>(index->entries().size() + 1), Entry{step.newEntry, "", "", 0, 0, false}),
                      WriteResult::Ok);
            ASSERT_TRUE(index->refresh(file));
        }
        PickerIndex fresh(sim.files);
        fresh.refresh(file);
        EXPECT_EQ(index->search(step.query, recent), fresh.search(step.query, recent)) << step.query;
    }
}

// What happens between two openings of the picker: whether it reads the file
// again, and what it then lists for "a".
TEST_F(PickerIndexTest, TheFileIsReadAgainExactlyWhenItChanged) {
    const auto host = [](PickerIndexTest& t) { return *t.sim.files.hostPath(StandardFile); };
    const struct {
        const char* label;
        std::function<void(PickerIndexTest&)> change;
        bool readsAgain;
        std::vector<std::string> finds;
    } cases[] = {
        {"Unchanged", [](PickerIndexTest&) {}, false, {"Alpha", "Nacht"}},
        {"Searched", [](PickerIndexTest& t) { t.index->search("al", t.recent); t.index->search("", t.recent); },
         false, {"Alpha", "Nacht"}},
        {"TextChangedByAnotherProgram",
         [](PickerIndexTest& t) {
             t.sim.files.writeAll(StandardFile, "[Name]\r\n1=Alpha\r\n2=Nacht\r\n3=Eule\r\n[Text]\r\n3=Abend\r\n");
         },
         true, {"Alpha", "Nacht", "Eule"}},
        {"RenamedByTheProgramItselfWithinOneTick",
         [&](PickerIndexTest& t) {
             const auto before = std::filesystem::last_write_time(host(t));
             ASSERT_EQ(t.file.writeField(1, "Name", "Omega"), WriteResult::Ok);
             std::filesystem::last_write_time(host(t), before);
         },
         true, {"Nacht", "Omega"}},
        {"FileRemoved", [](PickerIndexTest& t) { t.sim.files.remove(StandardFile); }, true, {}},
        {"OtherFileChosen",
         [](PickerIndexTest& t) {
             t.writeFile("C:\\Daten\\Scrivlet.ini", "[Name]\r\n1=Fremd\r\n[Text]\r\n1=aus Basel\r\n");
             t.file.setPath("C:\\Daten\\Scrivlet.ini");
         },
         true, {"Fremd"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        writeFile(StandardFile, "[Name]\r\n1=Alpha\r\n2=Nacht\r\n[Text]\r\n2=Gute Nacht\r\n");
        file.setPath(StandardFile);
        index.emplace(sim.files);
        ASSERT_TRUE(index->refresh(file));
        c.change(*this);
        const std::size_t before = sim.profile.reads();
        EXPECT_EQ(index->refresh(file), c.readsAgain);
        const std::size_t refreshed = sim.profile.reads();
        EXPECT_EQ(refreshed > before, c.readsAgain);
        // Searching never reads.
        EXPECT_EQ(found("a"), c.finds);
        (void)index->search("al", recent);
        EXPECT_EQ(sim.profile.reads(), refreshed);
    }
}

}  // namespace
}  // namespace scrivlet
