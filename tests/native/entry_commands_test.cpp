#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "native/main_window_story.h"
#include "store/entry_cipher.h"

namespace scrivlet {
namespace {

using test::snippetFile;

struct EntryCommandsTest : test::MainWindowStory {
    const std::string five = snippetFile({{"eins", "1"}, {"zwei", "2"}, {"drei", "3"}, {"vier", "4"}, {"fünf", "5"}});
    void selectName(const std::string& name) {
        for (int i = 0; i < form().lbEntryList.count(); ++i)
            if (form().lbEntryList.text(i) == name) form().lbEntryList.setListIndex(i);
    }
    // Every value of entries 1 to 7 as the program reads them, texts deciphered.
    std::vector<std::string> contents() {
        std::vector<std::string> values;
        for (EntryNumber n = 1; n <= 7; ++n) {
            const Entry e = readEntry(n);
            values.insert(values.end(), {e.name, e.text, e.title, std::to_string(e.crypt), std::to_string(e.dosBox)});
        }
        return values;
    }
    // The rows of the entry list and the names in the file, each as number and name.
    using Rows = std::vector<std::pair<std::intptr_t, std::string>>;
    Rows rows() {
        Rows r;
        for (const auto& item : form().lbEntryList.items()) r.emplace_back(item.data, item.text);
        std::sort(r.begin(), r.end());
        return r;
    }
    Rows namesInFile() {
        Rows r;
        IniAccess ini(sim.profile);
        SnippetFile file(ini, sim.random);
        file.setPath(StandardFile);
        for (const auto& entry : file.readNames()) r.emplace_back(entry.number, entry.name);
        return r;
    }
    std::size_t errors() {
        return static_cast<std::size_t>(std::count_if(messages().begin(), messages().end(),
                                                       [](const auto& m) { return m.icon == MessageIcon::Error; }));
    }
};

TEST_F(EntryCommandsTest, ANewEntryTakesTheNextNumberAndStartsEmptyAndEnciphered) {
    const struct {
        bool empty;
        int number;
    } cases[] = {{true, 1}, {false, 6}};
    for (const auto& c : cases) {
        startWith(c.empty ? "" : five);
        sim.dialogs.answerInput("  Gruß  ");
        form().miNewEntry.click();
        ASSERT_EQ(sim.dialogs.inputBoxes.back().caption, "Scrivlet - Neuen Eintrag erstellen");
        EXPECT_EQ(sim.dialogs.inputBoxes.back().prompt, "Bitte geben Sie einen Namen für den neuen Eintrag an:");
        EXPECT_EQ(stored("Name", c.number), "Gruß");
        EXPECT_EQ(stored("Crypt", c.number), "1");
        EXPECT_EQ(stored("DosBox", c.number), "0");
        EXPECT_EQ(stored("Title", c.number), "");
        const std::string text = stored("Text", c.number);  // four capital hexadecimal digits
        EXPECT_EQ(text.size(), 4u);
        EXPECT_EQ(text.find_first_not_of("0123456789ABCDEF"), std::string::npos) << text;
        EXPECT_EQ(form().lbEntryList.text(form().lbEntryList.listIndex()), "Gruß");
        EXPECT_TRUE(form().ghostTextTB.hasFocus());
        EXPECT_EQ(form().cryptChk.value(), 1);
        editAndLeave("Hallo");  // the editor now writes into the new entry
        EXPECT_EQ(readEntry(c.number).text, "Hallo");
    }
}

TEST_F(EntryCommandsTest, CancelOrAnEmptyNameCreatesNothing) {
    startWith(five);
    for (const char* answer : {"", "   "}) {
        sim.dialogs.answerInput(answer);
        form().btnNew.click();
    }
    EXPECT_EQ(form().lbEntryList.count(), 5);
    EXPECT_EQ(stored("Name", 6), "<none>");
}

TEST_F(EntryCommandsTest, ADuplicateNameIsAskedForAndNoAsksForAnotherName) {
    startWith(five);
    sim.dialogs.answerInput("EINS");
    sim.dialogs.answerNext(MessageAnswer::No);
    sim.dialogs.answerInput("Eins");
    sim.dialogs.answerNext(MessageAnswer::Yes);
    form().btnNew.click();
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[0].text,
              "Es gibt bereits einen Eintrag mit dem Namen \r'EINS'.\r\rMöchten Sie ihn dennoch verwenden?");
    EXPECT_EQ(messages()[0].icon, MessageIcon::Question);
    EXPECT_TRUE(messages()[0].defaultNo);
    EXPECT_EQ(sim.dialogs.inputBoxes.size(), 2u);
    EXPECT_EQ(sim.dialogs.inputBoxes[1].preset, "");
    EXPECT_EQ(stored("Name", 6), "Eins");
}

TEST_F(EntryCommandsTest, RenamingToAnotherLetterCaseAsksNothing) {
    startWith(five);
    selectName("zwei");
    sim.dialogs.answerInput("ZWEI");
    form().btnRename.click();
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(sim.dialogs.inputBoxes.back().caption, "Scrivlet - Eintrag umbenennen");
    EXPECT_EQ(sim.dialogs.inputBoxes.back().prompt, "Bitte geben Sie einen neuen Namen für den Eintrag ''zwei'' an:");
    EXPECT_EQ(sim.dialogs.inputBoxes.back().preset, "zwei");
    EXPECT_EQ(stored("Name", 2), "ZWEI");
    editAndLeave("noch 2");  // the renamed entry stays the one edited
    EXPECT_EQ(stored("Text", 2), "noch 2");

    sim.dialogs.answerInput("drei");
    sim.dialogs.answerNext(MessageAnswer::No);
    form().miRenameEntry.click();  // No: asked again, with the old name preset; then cancelled
    EXPECT_EQ(sim.dialogs.inputBoxes.back().preset, "ZWEI");
    EXPECT_EQ(stored("Name", 2), "ZWEI");
}

TEST_F(EntryCommandsTest, DeletingMovesTheHighestNumberIntoTheGap) {
    startWith(five);
    selectName("zwei");
    sim.dialogs.answerNext(MessageAnswer::Yes);
    form().btnDelete.click();
    EXPECT_EQ(messages().back().text, "Wollen Sie den Eintrag 'zwei'\rwirklich löschen?");
    EXPECT_FALSE(messages().back().defaultNo);
    EXPECT_EQ(stored("Name", 2), "fünf");
    EXPECT_EQ(stored("Text", 2), "5");
    EXPECT_EQ(stored("Name", 5), "");
    EXPECT_EQ(form().lbEntryList.count(), 4);
    EXPECT_EQ(form().lbEntryList.listIndex(), 0);  // the first row is shown again
    start();
    EXPECT_EQ(listed(), (std::vector<std::string>{"drei", "eins", "fünf", "vier"}));
}

TEST_F(EntryCommandsTest, TheEntryMovedIntoTheFreedNumberIsEditedThere) {
    startWith(five);
    selectName("zwei");
    sim.dialogs.answerNext(MessageAnswer::Yes);
    form().btnDelete.click();
    selectName("fünf");
    form().ghostTextTB.setFocus();
    form().ghostTextTB.setText("neu");
    form().ghostTextTB.loseFocus();
    EXPECT_EQ(stored("Text", 2), "neu");
    EXPECT_EQ(stored("Text", 5), "");
}

TEST_F(EntryCommandsTest, DeletingTheLastEntryEmptiesTheWindow) {
    startWith(snippetFile({{"einzig", "x"}}));
    sim.dialogs.answerNext(MessageAnswer::Yes);
    form().miDeleteEntry.click();
    EXPECT_EQ(stored("Name", 1), "");
    EXPECT_EQ(form().lbEntryList.count(), 0);
    EXPECT_FALSE(form().btnDelete.enabled());
    editAndLeave("x");  // no entry is left to write into
    EXPECT_EQ(stored("Text", 1), "");
    EXPECT_EQ(stored("Name", 1), "");
}

TEST_F(EntryCommandsTest, AnEncipheredEntryIsRewrittenOnEveryLossOfFocus) {
    startWith("");
    sim.dialogs.answerInput("neu");
    form().btnNew.click();
    const std::string before = stored("Text", 1);
    form().ghostTextTB.loseFocus();  // the new entry's editor has the focus
    EXPECT_NE(stored("Text", 1), before);
    EXPECT_EQ(decipherText(stored("Text", 1)), "");
    EXPECT_EQ(stored("Crypt", 1), "1");
}

TEST_F(EntryCommandsTest, WritesThatFailAreReportedOncePerCommand) {
    startWith(five);
    sim.files.setAttributes(StandardFile, {false, false, false, true});
    const std::string bytes = fileText(StandardFile);
    sim.dialogs.answerInput("sechs");
    form().btnNew.click();
    EXPECT_EQ(form().lbEntryList.count(), 5);  // nothing pretends it was saved
    selectName("eins");
    sim.dialogs.answerInput("EINS!");
    form().btnRename.click();
    EXPECT_EQ(form().lbEntryList.text(0), "drei");
    sim.dialogs.answerNext(MessageAnswer::Yes);
    form().btnDelete.click();
    EXPECT_EQ(form().lbEntryList.count(), 5);
    form().ghostTextTB.type("x");
    form().ghostTextTB.loseFocus();
    std::vector<std::string> errors;
    for (const auto& m : messages())
        if (m.icon == MessageIcon::Error) errors.push_back(m.text);
    ASSERT_EQ(errors.size(), 4u);
    EXPECT_NE(errors[0].find(StandardFile), std::string::npos);
    EXPECT_EQ(fileText(StandardFile), bytes);
}

TEST_F(EntryCommandsTest, ATextTooLongToStoreStaysInTheEditorAndTheFileKeepsTheOldText) {
    startWith(snippetFile({{"lang", "alt"}}));
    form().ghostTextTB.setFocus();
    form().ghostTextTB.setText(std::string(32767, 'x'));
    form().ghostTextTB.loseFocus();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].text.find("zu lang"), std::string::npos);
    EXPECT_EQ(form().ghostTextTB.text().size(), 32767u);
    EXPECT_EQ(stored("Text", 1), "alt");
    EXPECT_EQ(stored("Crypt", 1), "0");
}

// A hand-edited value longer than a read brings back (here an enciphered text
// of 40,000 digits, which a read cuts to 32,766) is never taken as whole: the
// entry is not shown for editing, nor moved into a deleted entry's number.
TEST_F(EntryCommandsTest, AnEntryCutByTheReadIsNeitherShownNorMoved) {
    const std::string file = "[Name]\r\n1=eins\r\n2=lang\r\n[Crypt]\r\n1=0\r\n2=1\r\n[Text]\r\n1=x\r\n2=" +
                             std::string(40000, 'A') + "\r\n[Ignore]\r\n1=x\r\n";
    const struct {
        const char* select;
        bool remove;
    } cases[] = {{"lang", false}, {"eins", true}};
    for (const auto& c : cases) {
        startWith(file);
        const std::string bytes = fileText(StandardFile);
        const std::size_t errorsBefore = errors();
        selectName(c.select);
        if (c.remove) {
            sim.dialogs.answerNext(MessageAnswer::Yes);
            form().btnDelete.click();
        } else {
            EXPECT_EQ(form().ghostTextTB.text(), "");
            EXPECT_FALSE(form().ghostTextTB.enabled());
            form().ghostTextTB.setFocus();
            form().ghostTextTB.loseFocus();
            form().cryptChk.setFocus();
            form().cryptChk.loseFocus();
        }
        ASSERT_EQ(errors(), errorsBefore + 1) << c.select;
        EXPECT_NE(messages().back().text.find("'lang'"), std::string::npos);
        EXPECT_EQ(fileText(StandardFile), bytes) << c.select;
        EXPECT_EQ(rows(), namesInFile());
    }
}

// Names and titles are one line: a line break the user pastes becomes a blank.
TEST_F(EntryCommandsTest, LineBreaksInNamesAndTitlesBecomeBlanks) {
    startWith(five);
    sim.dialogs.answerInput("neu\r\nerer");
    form().btnNew.click();
    EXPECT_EQ(stored("Name", 6), "neu erer");
    selectName("zwei");
    sim.dialogs.answerInput("zwo\n");
    form().btnRename.click();
    EXPECT_EQ(stored("Name", 2), "zwo");
    form().optTitle.click();
    form().destinationTextList.reportText("Editor\r\nx");
    form().destinationTextList.loseFocus();
    EXPECT_EQ(stored("Title", 2), "Editor x");
    EXPECT_EQ(form().destinationTextList.text(), "Editor x");
    EXPECT_EQ(fileText(StandardFile).find("\r\nx\r\n"), std::string::npos);
    EXPECT_EQ(errors(), 0u);
}

// Whichever single write fails, the file is left as before the command and the
// list shows what the file holds.
TEST_F(EntryCommandsTest, AFailedWriteLeavesTheFileAsBeforeAndTheListMatchingIt) {
    using Story = EntryCommandsTest;
    const struct {
        const char* command;
        std::function<void(Story&)> run;
    } cases[] = {
        {"new", [](Story& t) { t.sim.dialogs.answerInput("sechs"); t.form().btnNew.click(); }},
        {"rename", [](Story& t) { t.selectName("zwei"); t.sim.dialogs.answerInput("Zwo"); t.form().btnRename.click(); }},
        {"delete", [](Story& t) { t.selectName("zwei"); t.sim.dialogs.answerNext(MessageAnswer::Yes); t.form().btnDelete.click(); }},
        {"delete last", [](Story& t) { t.selectName("fünf"); t.sim.dialogs.answerNext(MessageAnswer::Yes); t.form().btnDelete.click(); }},
        {"text", [](Story& t) {
             t.selectName("zwei");
             t.form().ghostTextTB.setFocus();
             t.form().cryptChk.setValue(1);
             t.form().ghostTextTB.type("neu");
             t.form().ghostTextTB.loseFocus();
         }},
    };
    // The highest entry is enciphered and has a title, so a delete moves all of it.
    auto prepare = [this] {
        writeFile(StandardFile, five);
        IniAccess ini(sim.profile);
        SnippetFile file(ini, sim.random);
        file.setPath(StandardFile);
        ASSERT_EQ(file.writeEntry(5, {"fünf", "geheim", "Editor", 1, 1}), WriteResult::Ok);
        start();
    };
    for (const auto& c : cases) {
        prepare();
        const std::vector<std::string> before = contents();
        const std::size_t writesBefore = sim.profile.writes();
        c.run(*this);
        const std::size_t writes = sim.profile.writes() - writesBefore;
        const std::vector<std::string> after = contents();
        ASSERT_NE(after, before) << c.command;
        EXPECT_EQ(rows(), namesInFile()) << c.command;
        for (std::size_t k = 1; k <= writes; ++k) {
            SCOPED_TRACE(std::string(c.command) + ", write " + std::to_string(k) + " of " + std::to_string(writes));
            prepare();
            const std::size_t errorsBefore = errors();
            sim.profile.failWrite(k);
            c.run(*this);
            sim.profile.failWrite(0);
            EXPECT_EQ(errors(), errorsBefore + 1);
            EXPECT_EQ(contents(), before);
            EXPECT_EQ(rows(), namesInFile());
        }
    }
}

}  // namespace
}  // namespace scrivlet
