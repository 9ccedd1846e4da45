#include <gtest/gtest.h>

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

using Names = std::vector<std::string>;

struct PickerIndexTest : ::testing::Test, test::SimDesktop {
    PickerIndexTest() {  // numbered 1, 2, ... in this order; the menu's order is by character code
        const struct { const char* name; const char* text = ""; int crypt = 0; } entries[] = {
            {"Abrechnung Mai"}, {"Rechnung Müller", "Anbei die Rechnung."}, {"Brief Rechnung"}, {"rechnung klein"},
            {"Angebot", "Ihre Rechnung vom\r%datum%"}, {"Geheim", "Rechnung an Meier", 1}, {"Gruß an Straße"},
            {"Mahnung", "Sehr geehrter Herr Müller,\r\r\tbitte zahlen Sie."}, {"Ärger"}, {"Michael", "Gruß\tMichael"}};
        std::vector<std::pair<EntryNumber, Entry>> written;
        for (const auto& e : entries)
            written.emplace_back(static_cast<EntryNumber>(written.size() + 1), Entry{e.name, textForFile(e.text), "", e.crypt, 0, false});
        file.setPath(StandardFile);
        sim.files.writeAll(StandardFile, "");
        EXPECT_EQ(file.writeEntries(written), WriteResult::Ok);
        index.emplace(sim.files);
        index->refresh(file);
    }
    Names found(const std::string& query, const RecentEntries& r = {}) {
        Names names;
        for (EntryNumber n : index->search(query, r)) names.push_back(index->entry(n) ? index->entry(n)->name : "<?>");
        return names;
    }

    IniAccess ini{sim.profile};
    SnippetFile file{ini, sim.random};
    std::optional<PickerIndex> index;
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

TEST_F(PickerIndexTest, AnEmptyQueryListsTheRecentEntriesFirstLeavingOutGoneOrRenumberedOnes) {
    RecentEntries r;
    for (const auto& [number, name] : std::vector<std::pair<EntryNumber, const char*>>{
             {99, "Weg"}, {2, "Früher hieß ich so"}, {3, "Brief Rechnung"}, {7, "Gruß an Straße"}})
        r.sent(number, name);
    const Names expected = {"Gruß an Straße", "Brief Rechnung", "Abrechnung Mai", "Angebot", "Geheim", "Mahnung",
                            "Michael", "Rechnung Müller", "rechnung klein", "Ärger"};
    EXPECT_EQ(found("", r), expected);
    EXPECT_EQ(found(" \t ", r), expected);
}

TEST(RecentEntries, KeepsTheLastFewOnceEachTheOneSentAgainInFront) {
    RecentEntries recent;
    for (int n = 1; n <= 10; ++n) recent.sent(static_cast<EntryNumber>(n), "e" + std::to_string(n));
    recent.sent(5, "e5");
    recent.sent(9, "neu");
    EXPECT_EQ(recent.list(), (std::vector<RecentEntries::Used>{{9, "neu"}, {5, "e5"}, {10, "e10"}, {8, "e8"},
                                                               {7, "e7"}, {6, "e6"}, {4, "e4"}, {3, "e3"}}));
}

TEST_F(PickerIndexTest, PreviewsTheFirstLinesOfPlainTextsOnly) {
    const struct { EntryNumber number; Names lines; } cases[] = {
        {8, {"Sehr geehrter Herr Müller,¶", "¶", "→bitte zahlen Sie."}}, {5, {"Ihre Rechnung vom¶", "%datum%"}},
        {6, {}}, {3, {}}, {99, {}}};  // enciphered, empty, gone
    for (const auto& c : cases) EXPECT_EQ(index->preview(c.number), c.lines) << c.number;
}

// Typing narrows the last result; it must list what a fresh search lists, also after a change of the file.
TEST_F(PickerIndexTest, NarrowingFindsWhatAFreshSearchFinds) {
    for (const char* query : {"r", "re", "rec", "rech", "rec", "rech", "rech m", "rech mu", "rech mül", "rech mu",
                              "+Rechnung neu", "rech", "rechn", "a", "an", "an r", "an re", "n an re", "", "m", "mi"}) {
        if (query[0] == '+') {  // a new entry in the file before the next query
            ASSERT_EQ(file.writeEntry(static_cast<EntryNumber>(index->entries().size() + 1), Entry{query + 1, "", "", 0, 0, false}),
                      WriteResult::Ok);
            ASSERT_TRUE(index->refresh(file));
            continue;
        }
        PickerIndex fresh(sim.files);
        fresh.refresh(file);
        EXPECT_EQ(index->search(query, {}), fresh.search(query, {})) << query;
    }
}

// Between two openings: whether the file is read again, what "a" then finds, and that searching never reads.
TEST_F(PickerIndexTest, TheFileIsReadAgainExactlyWhenItChanged) {
    using T = PickerIndexTest&;
    const struct { const char* label; std::function<void(T)> change; bool readsAgain; Names finds; } cases[] = {
        {"searched only", [](T t) { t.found("al"); t.found(""); }, false, {"Alpha", "Nacht"}},
        {"written by another program",
         [](T t) { t.sim.files.writeAll(StandardFile, "[Name]\r\n1=Alpha\r\n2=Nacht\r\n3=Eule\r\n[Text]\r\n3=Abend\r\n"); }, true,
         {"Alpha", "Nacht", "Eule"}},
        {"renamed by the program itself within one tick", [](T t) {
             const auto host = *t.sim.files.hostPath(StandardFile);
             const auto before = std::filesystem::last_write_time(host);
             ASSERT_EQ(t.file.writeField(1, "Name", "Omega"), WriteResult::Ok);
             std::filesystem::last_write_time(host, before);
         }, true, {"Nacht", "Omega"}},
        {"removed", [](T t) { t.sim.files.remove(StandardFile); }, true, {}},
        {"another file chosen", [](T t) {
             t.writeFile("C:\\Daten\\Scrivlet.ini", "[Name]\r\n1=Fremd\r\n[Text]\r\n1=aus Basel\r\n");
             t.file.setPath("C:\\Daten\\Scrivlet.ini");
         }, true, {"Fremd"}}};
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
        EXPECT_EQ(found("a"), c.finds);
        EXPECT_EQ(sim.profile.reads(), refreshed);
    }
}

}  // namespace
}  // namespace scrivlet
