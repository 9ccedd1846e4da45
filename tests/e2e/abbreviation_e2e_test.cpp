#include <gtest/gtest.h>

#include "e2e/scrivlet_run.h"

namespace e2e {
namespace {

std::string snippetFile(const std::string& common = "") {
    return windows1252("[Name]\r\n1=Grußformel\r\n2=Adresse\r\n"
                       "[Text]\r\n1=Mit freundlichen Grüßen\r\n2=Hauptstr. 1\\N12345 Stadt\r\n"
                       "[Crypt]\r\n1=0\r\n2=0\r\n[Ignore]\r\n1=DFÜ-Netzwerkmonitor\r\n"
                       "[Kuerzel]\r\nmfg=Grußformel\r\nadr=Adresse\r\n" +
                       (common.empty() ? "" : "[Common]\r\n" + common));
}

// The user's keys as a keyboard gives them: a virtual key per letter, the
// space bar and Enter, each pressed once.
void typeKeys(const std::string& keys) {
    for (char c : keys) {
        if (c == ' ')
            pressKey(VK_SPACE);
        else if (c == '\r')
            pressKey(VK_RETURN);
        else
            pressKey(static_cast<WORD>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c));
    }
}

// The program has read its file (the entry list is filled), so it watches
// the keyboard from now on.
bool loaded(ScrivletRun& run) {
    return waitFor([&] { return listBoxItems(findChild(run.mainWindow(), "ListBox")).size() == 2; });
}

TEST(AbbreviationE2E, TypedAbbreviationsBecomeTheirEntriesInNotepad) {
    ScrivletRun run(snippetFile());
    ASSERT_TRUE(loaded(run));
    Notepad notepad;
    ASSERT_NE(notepad.window(), nullptr);
    ASSERT_TRUE(clickToFront(notepad.window()));
    const struct {
        const char* typed;
        const char* added;
    } steps[] = {
        {"mfg ", "Mit freundlichen Grüßen "},
        // Enter is swallowed and typed after the text: one line break.
        {"adr\r", "Hauptstr. 1\r\n12345 Stadt\r\n"},
        {"xmfg ", "xmfg "},
    };
    std::string expected;
    for (const auto& step : steps) {
        typeKeys(step.typed);
        expected += step.added;
        EXPECT_TRUE(waitFor([&] { return notepad.text() == expected; }))
            << "after \"" << step.typed << "\" notepad shows \"" << notepad.text() << "\"";
        // The user types on at once: the next key comes right after the text,
        // nothing arrived late in between, and it does not start a word.
        pressKey(VK_OEM_PERIOD);
        expected += ".";
        EXPECT_TRUE(waitFor([&] { return notepad.text() == expected; })) << "notepad shows \"" << notepad.text() << "\"";
    }
}

TEST(AbbreviationE2E, WithTheOptionOffNothingChanges) {
    ScrivletRun run(snippetFile("AbbrevOn=0\r\n"));
    ASSERT_TRUE(loaded(run));
    Notepad notepad;
    ASSERT_NE(notepad.window(), nullptr);
    ASSERT_TRUE(clickToFront(notepad.window()));
    typeKeys("mfg adr\r");
    ASSERT_TRUE(waitUntilKeysTaken(notepad.window()));
    EXPECT_TRUE(waitFor([&] { return notepad.text() == "mfg adr\r\n"; }, 2000)) << notepad.text();
}

}  // namespace
}  // namespace e2e
