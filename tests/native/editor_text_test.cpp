// What the editor shows is what the snippet file holds whenever something
// else reads it: the text reaches the file when the user switches to another
// program and before a send reads the entry, and reading the file anew after
// the user edited it in notepad neither loses the text nor writes it into
// another entry.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "native/main_window_story.h"
#include "options/options_form.h"
#include "store/entry_cipher.h"
#include "tracking/debugger_dialog.h"

namespace scrivlet {
namespace {

using Kind = SimWindowSystem::Kind;
using test::snippetFile;

struct EditorTextStory : test::MainWindowStory {
    // The right button on the icon: the main window comes to the front.
    void showMainWindow() { sim.tray.iconMessage(NotificationArea::RightButtonDown); }
    // The user clicks at the end of the editor's text and types; the editor
    // keeps the focus.
    void typeIntoEditor(const std::string& keys) {
        ui::RichEdit& editor = form().ghostTextTB;
        form().moveFocus(&editor);
        editor.setSelStart(static_cast<int>(editor.text().size()));
        editor.type(keys);
    }
    // The user clicks the window of another program.
    WindowId clickNotepad() {
        if (!notepad) notepad = sim.windows.open("Unbenannt - Editor", Kind::Notepad);
        sim.windows.activate(notepad);
        return notepad;
    }
    void selectEntry(const std::string& name) {
        ui::ListBox& list = form().lbEntryList;
        for (int i = 0; i < list.count(); ++i)
            if (list.text(i) == name) list.setListIndex(i);
    }
    // "&Konfigurationsdatei manuell bearbeiten" in the debugger dialog.
    void editByHand() {
        form().btnDebug.click();
        shownForm<DebuggerForm>("DebFrm")->btnEdit.click();
    }
    // What the user saves in notepad, as another program's write.
    void saveInNotepad(const std::string& bytes) { writeFile(StandardFile, bytes); }
    // Notepad ends; the program goes on from its main message loop.
    void notepadEnds() {
        ASSERT_FALSE(sim.programs.started.empty());
        sim.programs.end(sim.programs.started.size() - 1);
        idle();
    }
    void idle() { sim.ui.advance(100); }
    std::string shown() { return form().ghostTextTB.text(); }
    std::string selected() { return form().lbEntryList.text(form().lbEntryList.listIndex()); }
    std::vector<std::string> messageTexts() {
        std::vector<std::string> texts;
        for (const auto& m : messages()) texts.push_back(m.text);
        return texts;
    }

    WindowId notepad = 0;
};

// ---- written before anything else reads it

struct WhenCase {
    const char* label;
    std::function<void(EditorTextStory&)> before;  // before the user types
    std::function<void(EditorTextStory&)> then;
    const char* stored;  // the entry's text in the file afterwards
};

[[maybe_unused]] void PrintTo(const WhenCase& c, std::ostream* out) { *out << c.label; }

class TextReachesTheFile : public EditorTextStory, public ::testing::WithParamInterface<WhenCase> {};

TEST_P(TextReachesTheFile, WhenTheUserSwitchesToAnotherProgramOnly) {
    startWith(snippetFile({{"Brief", "Hallo"}, {"Adresse", "Weg 1"}}));
    GetParam().before(*this);
    showMainWindow();
    selectEntry("Brief");
    typeIntoEditor(" Welt");
    GetParam().then(*this);
    EXPECT_EQ(stored("Text", 1), GetParam().stored);
    EXPECT_EQ(stored("Text", 2), "Weg 1");
    EXPECT_TRUE(messages().empty());
}

// The user clicks a window of the program that is open already.
void activateForm(EditorTextStory& s, const char* name) {
    s.sim.windows.activate(s.sim.ui.windowOf(s.lastingForm(name)));
}

const auto Nothing = [](EditorTextStory&) {};

INSTANTIATE_TEST_SUITE_P(
    Moves, TextReachesTheFile,
    ::testing::Values(
        WhenCase{"AnotherProgram", Nothing, [](EditorTextStory& s) { s.clickNotepad(); }, "Hallo Welt"},
        WhenCase{"AnotherProgramOpening", Nothing, [](EditorTextStory& s) { s.sim.windows.open("Rechner"); },
                 "Hallo Welt"},
        WhenCase{"TheOptionsDialog", [](EditorTextStory& s) { s.form().btnOptions.click(); },
                 [](EditorTextStory& s) { activateForm(s, "OptionsForm"); }, "Hallo"},
        WhenCase{"TheDebuggerDialog", [](EditorTextStory& s) { s.form().btnDebug.click(); },
                 [](EditorTextStory& s) { activateForm(s, "DebFrm"); }, "Hallo"},
        WhenCase{"NowhereYet", Nothing, Nothing, "Hallo"}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(EditorTextStory, AMenuChoiceTypesWhatTheEditorShows) {
    startWith(snippetFile({{"Brief", "Hallo"}}));
    const WindowId target = clickNotepad();
    showMainWindow();
    typeIntoEditor(" Welt\r");
    // The main window is still in front: the send itself writes the text
    // before it reads the entry.
    ASSERT_EQ(stored("Text", 1), "Hallo");
    ASSERT_TRUE(chooseFromIconMenu("Brief"));
    EXPECT_EQ(sim.windows.window(target).text, "Hallo Welt\r\n");
    EXPECT_EQ(stored("Text", 1), "Hallo Welt\\N");
    EXPECT_TRUE(messages().empty());
}

TEST_F(EditorTextStory, AnUnchangedTextIsNotWrittenAgain) {
    // Enciphered, every write would change the stored bytes (a new salt).
    SimRandom random(7);
    const std::string cipher = encipherText("geheim", random);
    startWith("[Name]\r\n1=Brief\r\n[Text]\r\n1=" + cipher + "\r\n[Crypt]\r\n1=1\r\n");
    showMainWindow();
    form().moveFocus(&form().ghostTextTB);
    clickNotepad();
    chooseFromIconMenu("Brief");
    EXPECT_EQ(stored("Text", 1), cipher);
    EXPECT_EQ(sim.windows.window(notepad).text, "geheim");
}

TEST_F(EditorTextStory, AWriteTheFileRefusesIsToldOnceAfterTheSwitch) {
    startWith(snippetFile({{"Brief", "Hallo"}}));
    showMainWindow();
    typeIntoEditor(" Welt");
    sim.files.setAttributes(StandardFile, {false, false, false, true});
    clickNotepad();
    EXPECT_TRUE(messages().empty()) << "not inside the change of the activation";
    idle();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].icon, MessageIcon::Error);
    // The same text is not tried and told again at the next switch.
    showMainWindow();
    clickNotepad();
    idle();
    EXPECT_EQ(messages().size(), 1u);
    EXPECT_EQ(shown(), "Hallo Welt");
}

TEST_F(EditorTextStory, WhileAnotherProgramRenumberedTheFileTheTextGoesToItsEntryByName) {
    startWith(snippetFile({{"Brief", "Hallo"}, {"Adresse", "Weg 1"}}));
    showMainWindow();
    selectEntry("Brief");
    typeIntoEditor(" Welt");
    // Saved in notepad meanwhile: number 1 is now the address.
    saveInNotepad(snippetFile({{"Adresse", "Weg 1"}, {"Brief", "Hallo"}}));
    clickNotepad();
    EXPECT_EQ(stored("Text", 1), "Weg 1");
    EXPECT_EQ(stored("Text", 2), "Hallo Welt");
    // And the file is read anew, a moment later.
    idle();
    EXPECT_EQ(selected(), "Brief");
    EXPECT_EQ(form().lbEntryList.itemData(form().lbEntryList.listIndex()), 2);
    EXPECT_EQ(shown(), "Hallo Welt");
    EXPECT_TRUE(messages().empty());
}

TEST_F(EditorTextStory, ATextWhoseEntryChangedOnBothSidesWaitsForTheUserEvenWhenAnotherEntryIsChosen) {
    startWith(snippetFile({{"Brief", "Hallo"}, {"Adresse", "Weg 1"}}));
    showMainWindow();
    selectEntry("Brief");
    editByHand();
    typeIntoEditor(" Welt");
    saveInNotepad(snippetFile({{"Adresse", "Weg 1"}, {"Brief", "Servus"}}));
    // The user chooses another entry while notepad is still open: the text
    // is neither written into number 1 nor lost.
    sim.dialogs.answerNext(MessageAnswer::Yes);
    form().moveFocus(&form().lbEntryList);
    selectEntry("Adresse");
    EXPECT_EQ(stored("Text", 1), "Weg 1");
    EXPECT_EQ(stored("Text", 2), "Servus");
    EXPECT_TRUE(messages().empty());
    idle();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(stored("Text", 2), "Hallo Welt");
    EXPECT_EQ(stored("Text", 1), "Weg 1");
}

// ---- the file read anew when notepad ends

TEST_F(EditorTextStory, TheEntryShownStaysShownByItsName) {
    startWith(snippetFile({{"Brief", "Hallo"}, {"Zeta", "z"}, {"Adresse", "Weg 1"}}));
    showMainWindow();
    selectEntry("Zeta");
    editByHand();
    saveInNotepad(snippetFile({{"Zeta", "zz"}, {"Anfang", "a"}, {"Brief", "Hallo"}}));
    notepadEnds();
    EXPECT_EQ(listed(), (std::vector<std::string>{"Anfang", "Brief", "Zeta"}));
    EXPECT_EQ(selected(), "Zeta");
    EXPECT_EQ(shown(), "zz");
    // Gone from the file, the first entry is shown.
    selectEntry("Anfang");
    editByHand();
    saveInNotepad(snippetFile({{"Brief", "Hallo"}}));
    notepadEnds();
    EXPECT_EQ(selected(), "Brief");
}

TEST_F(EditorTextStory, ATextTheFileRefusesStaysInTheEditor) {
    startWith(snippetFile({{"Brief", "Hallo"}}));
    showMainWindow();
    editByHand();
    typeIntoEditor(" Welt");
    sim.files.setAttributes(StandardFile, {false, false, false, true});
    notepadEnds();
    EXPECT_EQ(shown(), "Hallo Welt");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].icon, MessageIcon::Error);
    // Writable again, the text goes when the user leaves the editor.
    sim.files.setAttributes(StandardFile, {});
    form().ghostTextTB.loseFocus();
    EXPECT_EQ(stored("Text", 1), "Hallo Welt");
}

// Both the editor and the file changed: matched by name, asked where a side
// would be lost.
struct BothCase {
    const char* label;
    std::string typed;         // typed into the editor while notepad was open
    bool leftEditor;           // the text was written before notepad saved
    std::string savedInNotepad;
    std::vector<MessageAnswer> answers;
    std::vector<std::string> questionsAbout;  // the entry each question names
    std::string briefInFile;   // "<none>" when there is no such entry
    std::string shownAfter;
};

[[maybe_unused]] void PrintTo(const BothCase& c, std::ostream* out) { *out << c.label; }

class BothSidesChanged : public EditorTextStory, public ::testing::WithParamInterface<BothCase> {
protected:
    std::string briefInFile() {
        for (int n = 1; n <= 3; ++n)
            if (stored("Name", n) == "Brief") return readEntry(static_cast<EntryNumber>(n)).text;
        return "<none>";
    }
};

TEST_P(BothSidesChanged, TheTextGoesToItsEntryByNameAndTheUserDecidesWhereBothDiffer) {
    const BothCase& c = GetParam();
    startWith(snippetFile({{"Brief", "Hallo"}, {"Adresse", "Weg 1"}}));
    showMainWindow();
    selectEntry("Brief");
    editByHand();
    typeIntoEditor(c.typed);
    if (c.leftEditor) clickNotepad();
    if (!c.savedInNotepad.empty()) saveInNotepad(c.savedInNotepad);
    for (MessageAnswer answer : c.answers) sim.dialogs.answerNext(answer);
    notepadEnds();
    EXPECT_EQ(briefInFile(), c.briefInFile);
    std::vector<std::string> about;
    for (const auto& m : messages()) {
        EXPECT_EQ(m.buttons, MessageButtons::YesNo) << m.text;
        about.push_back(m.text.substr(0, m.text.find('\r')));
    }
    std::vector<std::string> expected;
    for (const std::string& text : c.questionsAbout) expected.push_back(text);
    EXPECT_EQ(about, expected);
    EXPECT_EQ(shown(), c.shownAfter);
    EXPECT_EQ(readEntry(1).name == "Adresse" ? readEntry(1).text : readEntry(2).text, "Weg 1");
}

const std::string Changed = "Der Text des Eintrags 'Brief' wurde in Scrivlet und zugleich in der Datei "
                            "'C:\\Programme\\Scrivlet\\Scrivlet.ini' geändert.";
const std::string Gone = "Den Eintrag 'Brief', dessen Text Sie in Scrivlet geändert haben, gibt es in der Datei "
                         "'C:\\Programme\\Scrivlet\\Scrivlet.ini' nicht mehr.";

INSTANTIATE_TEST_SUITE_P(
    Cases, BothSidesChanged,
    ::testing::Values(
        BothCase{"OnlyOtherEntriesRenumbered", " Welt", false, snippetFile({{"Adresse", "Weg 1"}, {"Brief", "Hallo"}}), {},
                 {}, "Hallo Welt", "Hallo Welt"},
        BothCase{"NotepadSavedItsOlderCopyOverTheWrittenText", " Welt", true,
                 snippetFile({{"Brief", "Hallo"}, {"Adresse", "Weg 1"}, {"Neu", "n"}}), {}, {}, "Hallo Welt",
                 "Hallo Welt"},
        BothCase{"BothChangedTheTextAndScrivletsHolds", " Welt", false,
                 snippetFile({{"Brief", "Servus"}, {"Adresse", "Weg 1"}}), {MessageAnswer::Yes}, {Changed},
                 "Hallo Welt", "Hallo Welt"},
        BothCase{"BothChangedTheTextAndTheFilesHolds", " Welt", true,
                 snippetFile({{"Adresse", "Weg 1"}, {"Brief", "Servus"}}), {MessageAnswer::No}, {Changed}, "Servus",
                 "Servus"},
        BothCase{"TheEntryIsGoneAndMadeAnew", " Welt", false, snippetFile({{"Adresse", "Weg 1"}}), {MessageAnswer::Yes},
                 {Gone}, "Hallo Welt", "Hallo Welt"},
        BothCase{"TheEntryIsGoneAndStaysGone", " Welt", true, snippetFile({{"Adresse", "Weg 1"}}), {MessageAnswer::No},
                 {Gone}, "<none>", "Weg 1"},
        BothCase{"TheSameTextOnBothSides", " Welt", false, snippetFile({{"Adresse", "Weg 1"}, {"Brief", "Hallo Welt"}}),
                 {}, {}, "Hallo Welt", "Hallo Welt"},
        BothCase{"OnlyTheEditorChanged", " Welt", false, "", {}, {}, "Hallo Welt", "Hallo Welt"},
        BothCase{"OnlyTheFileChanged", "", false, snippetFile({{"Brief", "Servus"}, {"Adresse", "Weg 1"}}), {}, {},
                 "Servus", "Servus"}),
    [](const auto& p) { return std::string(p.param.label); });

// The file is read anew only once no dialog, menu or send of the program is
// open: the code that opened one acts on what it saw before.
struct ModalCase {
    const char* label;
    // Opens something modal; meanwhile, notepad ends after saving a file in
    // which "Aaron" came first, and time passes.
    std::function<void(EditorTextStory&, const std::function<void()>& meanwhile)> open;
};

[[maybe_unused]] void PrintTo(const ModalCase& c, std::ostream* out) { *out << c.label; }

class WhileSomethingModalIsOpen : public EditorTextStory, public ::testing::WithParamInterface<ModalCase> {};

TEST_P(WhileSomethingModalIsOpen, TheFileIsReadAnewOnlyAfterItClosed) {
    startWith(snippetFile({{"Beta", "b"}, {"Alpha", "a"}}));
    showMainWindow();
    selectEntry("Beta");
    editByHand();
    std::vector<std::string> listedMeanwhile;
    GetParam().open(*this, [this, &listedMeanwhile] {
        saveInNotepad(snippetFile({{"Beta", "b"}, {"Alpha", "a"}, {"Aaron", "x"}}));
        sim.programs.end(0);
        sim.ui.advance(1000);
        listedMeanwhile = listed();
    });
    EXPECT_EQ(listedMeanwhile, (std::vector<std::string>{"Alpha", "Beta"})) << "read inside the modal loop";
    idle();
    EXPECT_EQ(listed(), (std::vector<std::string>{"Aaron", "Alpha", "Beta"}));
}

INSTANTIATE_TEST_SUITE_P(
    Loops, WhileSomethingModalIsOpen,
    ::testing::Values(
        ModalCase{"DeleteQuestion",
                  [](EditorTextStory& s, const std::function<void()>& meanwhile) {
                      s.sim.dialogs.whileNextOpen(meanwhile);
                      s.sim.dialogs.answerNext(MessageAnswer::Yes);
                      s.form().btnDelete.click();
                      // Changed under the question: nothing is deleted by a number
                      // that may name another entry now.
                      EXPECT_EQ(s.stored("Name", 1), "Beta");
                  }},
        ModalCase{"RenameInputBox",
                  [](EditorTextStory& s, const std::function<void()>& meanwhile) {
                      s.sim.dialogs.whileNextOpen(meanwhile);
                      s.sim.dialogs.answerInput("Gamma");
                      s.form().btnRename.click();
                  }},
        ModalCase{"PopupMenu",
                  [](EditorTextStory& s, const std::function<void()>& meanwhile) {
                      s.sim.ui.whenMenu([meanwhile](ui::Menu&) { meanwhile(); });
                      s.sim.tray.iconMessage(NotificationArea::LeftButtonDown);
                  }},
        ModalCase{"ModalOptionsDialog",
                  [](EditorTextStory& s, const std::function<void()>& meanwhile) {
                      s.sim.ui.whenModal([meanwhile](ui::Form& dialog) {
                          meanwhile();
                          dialog.hide();
                      });
                      s.choose(s.form().mExtras, s.form().miOptions);
                  }},
        ModalCase{"Typing",
                  [](EditorTextStory& s, const std::function<void()>& meanwhile) {
                      s.clickNotepad();
                      bool once = true;
                      s.sim.windows.whileTyping = [&once, meanwhile] {
                          if (once) meanwhile();
                          once = false;
                      };
                      ASSERT_TRUE(s.chooseFromIconMenu("Beta"));
                      s.sim.windows.whileTyping = nullptr;
                  }}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(EditorTextStory, ACommandOnAFileAnotherProgramChangedReadsItAnewInstead) {
    startWith(snippetFile({{"Beta", "b"}, {"Alpha", "a"}}));
    showMainWindow();
    selectEntry("Beta");
    saveInNotepad(snippetFile({{"Alpha", "a"}, {"Beta", "b"}}));
    sim.dialogs.answerNext(MessageAnswer::Yes);
    form().btnDelete.click();
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1].text,
              "Die Datei 'C:\\Programme\\Scrivlet\\Scrivlet.ini' wurde inzwischen von einem anderen Programm "
              "geändert.\r\rScrivlet liest sie neu ein. Bitte wiederholen Sie den Befehl danach.");
    EXPECT_EQ(stored("Name", 2), "Beta");
    idle();
    // Read anew, the command acts on the entry the user chose.
    sim.dialogs.answerNext(MessageAnswer::Yes);
    form().btnDelete.click();
    EXPECT_EQ(listed(), std::vector<std::string>{"Alpha"});
    EXPECT_EQ(stored("Name", 1), "Alpha");
    EXPECT_EQ(stored("Name", 2), "");
}

TEST_F(EditorTextStory, AnOpenOptionsDialogKeepsWhatTheUserHasNotConfirmed) {
    startWith(snippetFile({{"Brief", "Hallo"}}) + "[Common]\r\nPumActPos=0\r\nPumMode=0\r\n");
    showMainWindow();
    form().btnOptions.click();
    OptionsForm& options = lastingForm<OptionsForm>("OptionsForm");
    ASSERT_TRUE(options.visible());
    options.pumModeChk.click();
    editByHand();
    saveInNotepad(snippetFile({{"Brief", "Hallo"}}) + "[Common]\r\nPumActPos=3\r\nPumMode=0\r\n");
    notepadEnds();
    EXPECT_EQ(options.pumModeChk.value(), 1) << "the user's choice, not yet confirmed";
    EXPECT_TRUE(options.pumActPosOpt(3).value()) << "what was changed in notepad";
    EXPECT_EQ(selected(), "Brief");
    options.btnOk.click();
    EXPECT_EQ(sim.profile.readString("Common", "PumMode", "", StandardFile, 100), "1");
    EXPECT_EQ(sim.profile.readString("Common", "PumActPos", "", StandardFile, 100), "3");
}

}  // namespace
}  // namespace scrivlet
