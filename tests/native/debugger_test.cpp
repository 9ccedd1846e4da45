// The debugger dialog and the debug window: what the user sees of the
// tracker, the ignore list, and the snippet file edited by hand.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "native/main_window_story.h"
#include "platform/text.h"
#include "store/user_settings.h"
#include "tracking/own_caption.h"

namespace scrivlet {
namespace {

using Kind = SimWindowSystem::Kind;
using test::snippetFile;

const std::string Hint = "Bitte markieren Sie zunächst den betreffenden Fenstertitel";

std::vector<std::string> texts(const ui::ListBox& list) {
    std::vector<std::string> rows;
    for (const auto& item : list.items()) rows.push_back(item.text);
    return rows;
}

struct DebuggerTest : test::MainWindowStory {
    SimWindowSystem& desktop() { return sim.windows; }
    // The user clicks the icon: the capture runs, the menu is dismissed.
    void capture() { sim.tray.iconMessage(NotificationArea::LeftButtonDown); }
    DebuggerForm* dialog() { return shownForm<DebuggerForm>("DebFrm"); }
    std::vector<std::string> titles() { return dialog() ? texts(dialog()->titelListe) : std::vector<std::string>{}; }
    void select(const std::string& title) {
        ui::ListBox& list = dialog()->titelListe;
        for (int i = 0; i < list.count(); ++i)
            if (list.text(i) == title) list.setListIndex(i);
    }
    DebugWindowForm* debugWindow() { return shownForm<DebugWindowForm>("ZRDEBUGFRM"); }
    std::vector<std::string> windowList() { return texts(debugWindow()->wList); }
};

TEST_F(DebuggerTest, TheFirstCaptureMakesTheDialogHiddenBesideTheMainWindow) {
    startWith(snippetFile({{"Gruß", "Hallo"}}));
    EXPECT_EQ(dialog(), nullptr);
    desktop().open("Unbenannt - Editor", Kind::Notepad);
    desktop().open("Rechner");
    capture();
    ASSERT_NE(dialog(), nullptr);
    EXPECT_FALSE(dialog()->visible());
    EXPECT_EQ(dialog()->caption(), ownCaption("Debugger", true));
    EXPECT_EQ(titles(), (std::vector<std::string>{"Rechner", "Unbenannt - Editor"}));
    EXPECT_EQ(dialog()->label1.caption().rfind("Beim Klick in das Popup-Menü der Tex", 0), 0u);
    const ui::Rect main = form().geometry(), placed = dialog()->geometry();
    EXPECT_EQ(placed.left, main.left + 50 * 15);
    EXPECT_EQ(placed.top, main.top + 50 * 15);
}

struct OpenCase {
    const char* label;
    std::function<void(DebuggerTest&)> open;
};
[[maybe_unused]] void PrintTo(const OpenCase& c, std::ostream* out) { *out << c.label; }

class OpeningTheDebugger : public DebuggerTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpeningTheDebugger, ShowsTheDialogModelessWithTheLastCapturesTitles) {
    startWith(snippetFile({{"Gruß", "Hallo"}}));
    desktop().open("Unbenannt - Editor", Kind::Notepad);
    capture();
    form().show();
    GetParam().open(*this);
    ASSERT_NE(dialog(), nullptr);
    EXPECT_TRUE(dialog()->visible());
    EXPECT_EQ(desktop().foreground(), sim.ui.windowOf(*dialog()));
    EXPECT_EQ(titles(), std::vector<std::string>{"Unbenannt - Editor"});
    // Shown again, it is the same dialog, in front.
    desktop().open("Rechner");
    GetParam().open(*this);
    EXPECT_EQ(desktop().foreground(), sim.ui.windowOf(*dialog()));
    EXPECT_EQ(titles(), std::vector<std::string>{"Unbenannt - Editor"});
}

INSTANTIATE_TEST_SUITE_P(
    Commands, OpeningTheDebugger,
    ::testing::Values(OpenCase{"Button", [](DebuggerTest& story) { story.form().btnDebug.click(); }},
                      OpenCase{"Menu", [](DebuggerTest& story) { story.choose(story.form().mExtras, story.form().miDebugger); }}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(DebuggerTest, BeforeAnyCaptureTheCommandShowsAnEmptyList) {
    startWith(snippetFile({{"Gruß", "Hallo"}}));
    form().btnDebug.click();
    ASSERT_NE(dialog(), nullptr);
    EXPECT_TRUE(dialog()->visible());
    EXPECT_TRUE(titles().empty());
}

// The ignore button: the hint without a selection, the question with one.
struct IgnoreCase {
    const char* label;
    const char* selected;  // null: no row selected
    std::vector<MessageAnswer> answers;
    std::vector<MessageIcon> shown;
    bool ignored;
};
[[maybe_unused]] void PrintTo(const IgnoreCase& c, std::ostream* out) { *out << c.label; }

class IgnoringATitle : public DebuggerTest, public ::testing::WithParamInterface<IgnoreCase> {};

TEST_P(IgnoringATitle, ChangesTheIgnoreListOnlyOnYes) {
    const IgnoreCase& c = GetParam();
    startWith(snippetFile({{"Gruß", "Hallo"}}));
    const WindowId notepad = desktop().open("Unbenannt - Editor", Kind::Notepad);
    const WindowId calculator = desktop().open("Rechner");
    capture();
    form().btnDebug.click();
    if (c.selected) select(c.selected);
    for (MessageAnswer a : c.answers) sim.dialogs.answerNext(a);
    const std::string before = fileText(StandardFile);
    dialog()->btnIgnore.click();

    std::vector<MessageIcon> icons;
    for (const auto& m : messages()) icons.push_back(m.icon);
    EXPECT_EQ(icons, c.shown);
    const std::string asked =
        c.selected ? std::string("Soll der Fenstertitel '") + c.selected + "'\rin Zukunft wirklich immer ignoriert werden?"
                   : Hint;
    EXPECT_EQ(messages().at(0).text, asked);
    for (const auto& m : messages()) EXPECT_EQ(m.caption, ownCaption("", true));
    // The list is not changed by the answer, only by the next capture.
    EXPECT_EQ(titles(), (std::vector<std::string>{"Rechner", "Unbenannt - Editor"}));

    // The entry chosen next goes to the window the capture took.
    desktop().activate(calculator);
    ASSERT_TRUE(chooseFromIconMenu("Gruß"));
    const WindowId target = c.ignored ? notepad : calculator;
    for (WindowId w : {notepad, calculator}) EXPECT_EQ(desktop().window(w).keys.empty(), w != target);
    if (c.ignored) {
        EXPECT_EQ(stored("Ignore", 2), c.selected);
        EXPECT_EQ(titles(), std::vector<std::string>{"Unbenannt - Editor"});
    } else {
        EXPECT_EQ(fileText(StandardFile), before);
        EXPECT_EQ(titles(), (std::vector<std::string>{"Rechner", "Unbenannt - Editor"}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, IgnoringATitle,
    ::testing::Values(
        IgnoreCase{"NothingSelectedShowsTheHint", nullptr, {}, {MessageIcon::Information}, false},
        IgnoreCase{"NoChangesNothing", "Rechner", {MessageAnswer::No}, {MessageIcon::Question}, false},
        IgnoreCase{"YesIgnoresTheWindowFromTheNextCapture", "Rechner", {MessageAnswer::Yes},
                   {MessageIcon::Question}, true}),
    [](const auto& p) { return std::string(p.param.label); });

// A title the file cannot take is reported with the file's name, and the next
// title still goes to the next key the file can be read back by.
struct RefusedCase {
    const char* label;
    std::string title;
    bool readOnly;
    std::string message;
};
[[maybe_unused]] void PrintTo(const RefusedCase& c, std::ostream* out) { *out << c.label; }

class ARefusedIgnoreTitle : public DebuggerTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(ARefusedIgnoreTitle, IsReportedAndLeavesNoGapInTheFile) {
    const RefusedCase& c = GetParam();
    startWith(snippetFile({{"Gruß", "Hallo"}}));
    desktop().open(c.title);
    capture();
    form().btnDebug.click();
    select(c.title);
    sim.dialogs.answerNext(MessageAnswer::Yes);
    if (c.readOnly) sim.files.setAttributes(StandardFile, {false, false, false, true});
    dialog()->btnIgnore.click();
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1].icon, MessageIcon::Error);
    EXPECT_EQ(messages()[1].text, c.message);
    EXPECT_EQ(stored("Ignore", 2), "<none>");

    sim.files.setAttributes(StandardFile, {false, false, false, false});
    desktop().open("Rechner");
    capture();
    select("Rechner");
    sim.dialogs.answerNext(MessageAnswer::Yes);
    dialog()->btnIgnore.click();
    EXPECT_EQ(stored("Ignore", 2), "Rechner");
    EXPECT_EQ(ignoreListInFile(), (std::vector<std::string>{"", "DFÜ-Netzwerkmonitor", "Rechner"}));
}

INSTANTIATE_TEST_SUITE_P(
    Writes, ARefusedIgnoreTitle,
    ::testing::Values(
        RefusedCase{"ReadOnlyFile", "Kalender", true,
                    "Die Änderung konnte nicht in der Datei 'C:\\Programme\\Scrivlet\\Scrivlet.ini' gespeichert "
                    "werden.\r\rBitte prüfen Sie, ob die Datei schreibgeschützt ist und ob ihr Ordner noch "
                    "existiert."},
        RefusedCase{"LineBreakInTheTitle", "Zwei\r\nZeilen", false,
                    "Der Wert enthält einen Zeilenumbruch und kann nicht in der Datei "
                    "'C:\\Programme\\Scrivlet\\Scrivlet.ini' gespeichert werden."}),
    [](const auto& p) { return std::string(p.param.label); });

struct CloseCase {
    const char* label;
    std::function<void(DebuggerForm&)> close;
};
[[maybe_unused]] void PrintTo(const CloseCase& c, std::ostream* out) { *out << c.label; }

class ClosingTheDebugger : public DebuggerTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ClosingTheDebugger, EndsItAndTheNextCaptureMakesItAnew) {
    startWith(snippetFile({{"Gruß", "Hallo"}}));
    desktop().open("Unbenannt - Editor", Kind::Notepad);
    capture();
    form().btnDebug.click();
    DebuggerForm* closed = dialog();
    ASSERT_NE(closed, nullptr);
    GetParam().close(*closed);
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_FALSE(desktop().exists(sim.ui.windowOf(*closed)));
    EXPECT_EQ(sim.ui.windowOf(*closed), 0u);

    desktop().open("Rechner");
    capture();
    ASSERT_NE(dialog(), nullptr);
    EXPECT_FALSE(dialog()->visible());
    EXPECT_EQ(titles(), (std::vector<std::string>{"Rechner", "Unbenannt - Editor"}));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, ClosingTheDebugger,
    ::testing::Values(CloseCase{"CloseButton", [](DebuggerForm& d) { d.btnClose.click(); }},
                      CloseCase{"CloseBox", [](DebuggerForm& d) { d.requestClose(ui::CloseReason::User); }}),
    [](const auto& p) { return std::string(p.param.label); });

// Notepad gets the snippet file as one argument, wherever the file lies.
struct NotepadCase {
    const char* label;
    std::string path;
};
[[maybe_unused]] void PrintTo(const NotepadCase& c, std::ostream* out) { *out << c.label; }

class EditingByHand : public DebuggerTest, public ::testing::WithParamInterface<NotepadCase> {
protected:
    void startAt(const std::string& path, const std::string& bytes) {
        writeFile(path, bytes);
        UserSettings settings(sim.registry);
        ASSERT_EQ(settings.save("path", path), WriteResult::Ok);
        start();
    }
};

TEST_P(EditingByHand, StartsNotepadWithTheQuotedPathAndReloadsWhenItEnds) {
    const std::string path = GetParam().path;
    startAt(path, snippetFile({{"Gruß", "Hallo"}}));
    form().btnDebug.click();
    dialog()->btnEdit.click();
    ASSERT_EQ(sim.programs.started.size(), 1u);
    EXPECT_EQ(sim.programs.started[0].commandLine, "notepad \"" + path + "\"");
    EXPECT_TRUE(messages().empty());

    // The user adds an entry and an ignore title by hand; nothing is read
    // while notepad runs.
    writeFile(path, "[Name]\r\n1=Gruß\r\n2=Adresse\r\n[Text]\r\n1=Hallo\r\n2=Weg 1\r\n[Ignore]\r\n1=Rechner\r\n");
    EXPECT_EQ(listed(), std::vector<std::string>{"Gruß"});
    sim.programs.end(0);
    // Read again from the main message loop, a moment later.
    sim.ui.advance(100);
    EXPECT_EQ(listed(), (std::vector<std::string>{"Adresse", "Gruß"}));
    // The new ignore title holds from the next capture on.
    desktop().open("Rechner");
    desktop().open("Unbenannt - Editor", Kind::Notepad);
    capture();
    EXPECT_EQ(titles(), std::vector<std::string>{"Unbenannt - Editor"});
}

INSTANTIATE_TEST_SUITE_P(
    Paths, EditingByHand,
    ::testing::Values(NotepadCase{"Standard", "C:\\Programme\\Scrivlet\\Scrivlet.ini"},
                      NotepadCase{"CommaAndBlanks", "C:\\Mueller, Hans\\Eigene Texte\\Scrivlet.ini"}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(DebuggerTest, ANotepadThatCannotStartIsReported) {
    startWith(snippetFile({{"Gruß", "Hallo"}}));
    sim.programs.installed.clear();
    form().btnDebug.click();
    dialog()->btnEdit.click();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].icon, MessageIcon::Error);
    EXPECT_NE(messages()[0].text.find("'C:\\Programme\\Scrivlet\\Scrivlet.ini'"), std::string::npos);
}

TEST_F(DebuggerTest, ANotepadEndingAfterTheProgramEndedLoadsNothing) {
    startWith(snippetFile({{"Gruß", "Hallo"}}));
    form().btnDebug.click();
    dialog()->btnEdit.click();
    dialog()->btnEdit.click();
    choose(form().mDatei, form().miQuit);
    writeFile(StandardFile, snippetFile({{"Neu", "x"}}));
    sim.programs.end(0);
    sim.ui.advance(100);
    EXPECT_EQ(listed(), std::vector<std::string>{"Gruß"});
    // Gone with the program, it is not called at all.
    program.reset();
    sim.programs.end(1);
}

// ---- the debug window

TEST(DebugWindowLine, HasPositionHandleVisibilityAndTitle) {
    const std::string own = ownCaption("", true);
    const struct {
        int position;
        WindowId window;
        bool visible;
        std::string title;
        std::string line;
    } cases[] = {
        {1, 0xA01F2, true, own, "001 000A01F2 V '" + own + "'"},
        {12, 0x10, false, "", "012 00000010 X ''"},
        {999, 0xFFFFFFFF, true, "it's", "999 FFFFFFFF V 'it's'"},
        {1000, 0x1234ABCD, true, "x", "1000 1234ABCD V 'x'"},
    };
    for (const auto& c : cases) EXPECT_EQ(windowListLine(c.position, c.window, c.visible, c.title), c.line);
}

struct DebugWindowTest : DebuggerTest {
    // A line as the window shows it, for a window of the simulated desktop.
    std::string line(int position, WindowId w, char visibility, const std::string& title) {
        char head[32];
        std::snprintf(head, sizeof head, "%03d %08X %c '", position, static_cast<unsigned>(w), visibility);
        return head + title + "'";
    }
    void startInDebugMode() {
        writeFile(StandardFile, snippetFile({{"Gruß", "Hallo"}}));
        sim.system.commandLine_ = " Debug ";
        start();
    }
    void gesture(ui::Frame& frame, int shift, ui::MouseButton button = ui::MouseButton::Left) {
        frame.mouseDown({button, shift, {30, 30}});
    }
};

TEST_F(DebugWindowTest, InDebugModeItListsTheMainWindowAndEveryWindowAbove) {
    desktop().open("Darunter");  // below the main window: not listed
    startInDebugMode();
    ASSERT_NE(debugWindow(), nullptr);
    EXPECT_TRUE(debugWindow()->visible());
    EXPECT_EQ(debugWindow()->wList.fontName, "Courier New");
    EXPECT_EQ(debugWindow()->visChk.value(), 1);
    const WindowId main = sim.ui.windowOf(form());
    const WindowId debug = sim.ui.windowOf(*debugWindow());
    const WindowId hidden = desktop().open("Versteckt", Kind::Other, false);
    const WindowId notepad = desktop().open("Unbenannt - Editor", Kind::Notepad);
    sim.clock.set(2027, 1, 2, 3, 4, 5);
    // Its own caption was the title below the main window, the only foreign
    // one when it opened; after the list, it follows notepad.
    sim.ui.advance(500);
    EXPECT_EQ(windowList(), (std::vector<std::string>{"02.01.2027 03:04:05", line(1, main, 'V', ownCaption("", true)),
                                                      line(2, debug, 'V', "Darunter"),
                                                      line(3, notepad, 'V', "Unbenannt - Editor")}));

    // Cleared, the check box lets the hidden windows in, marked X.
    debugWindow()->visChk.click();
    sim.ui.advance(500);
    EXPECT_EQ(windowList(), (std::vector<std::string>{"02.01.2027 03:04:05", line(1, main, 'V', ownCaption("", true)),
                                                      line(2, debug, 'V', "Unbenannt - Editor"),
                                                      line(3, hidden, 'X', "Versteckt"),
                                                      line(4, notepad, 'V', "Unbenannt - Editor")}));
}

TEST_F(DebugWindowTest, TheCaptionFollowsTheForegroundWindowIgnoredOrNot) {
    startInDebugMode();
    const std::string before = debugWindow()->caption();
    sim.ui.advance(500);
    // Only the program's own windows so far: the caption stays.
    EXPECT_EQ(debugWindow()->caption(), before);
    const struct {
        std::string title;
        const char* caption;
    } cases[] = {
        {"Unbenannt - Editor", "Unbenannt - Editor"},
        {"DFÜ-Netzwerkmonitor", "DFÜ-Netzwerkmonitor"},  // on the ignore list
        {"", "DFÜ-Netzwerkmonitor"},                     // no title: the one below counts
        // an own caption, any letter case ("x • SCRIVLET ... - Satellit")
        {"x " + toUpper(ownCaption("", true)) + " - Satellit", "DFÜ-Netzwerkmonitor"},
        {"Rechner", "Rechner"},
    };
    for (const auto& c : cases) {
        desktop().open(c.title);
        sim.ui.advance(500);
        EXPECT_EQ(debugWindow()->caption(), c.caption) << c.title;
    }
    // The main window in front: the walk goes down to the first foreign window.
    desktop().activate(sim.ui.windowOf(form()));
    sim.ui.advance(500);
    EXPECT_EQ(debugWindow()->caption(), "Rechner");
}

struct GestureCase {
    const char* label;
    bool onSteuerung;  // else on TextFrame
    int shift;
    ui::MouseButton button;
    bool shows;
};
[[maybe_unused]] void PrintTo(const GestureCase& c, std::ostream* out) { *out << c.label; }

class DebugGestures : public DebugWindowTest, public ::testing::WithParamInterface<GestureCase> {};

TEST_P(DebugGestures, ExactlyTheirModifiersOpenTheDebugWindow) {
    const GestureCase& c = GetParam();
    startWith(snippetFile({{"Gruß", "Hallo"}}));
    form().show();
    EXPECT_EQ(debugWindow(), nullptr);
    gesture(c.onSteuerung ? form().steuerungsFrame : form().textFrame, c.shift, c.button);
    ASSERT_EQ(debugWindow() != nullptr, c.shows);
    if (!c.shows) return;
    EXPECT_TRUE(debugWindow()->visible());
    EXPECT_EQ(desktop().foreground(), sim.ui.windowOf(*debugWindow()));
    EXPECT_EQ(windowList().size(), 3u);  // filled at once: the time, the main window, itself
}

using ui::MouseButton;
namespace sh = ui::shift;
INSTANTIATE_TEST_SUITE_P(
    Presses, DebugGestures,
    ::testing::Values(GestureCase{"CtrlAltLeftOnSteuerung", true, sh::Ctrl | sh::Alt, MouseButton::Left, true},
                      GestureCase{"CtrlAltRightOnSteuerung", true, sh::Ctrl | sh::Alt, MouseButton::Right, true},
                      GestureCase{"CtrlAltMiddleOnSteuerung", true, sh::Ctrl | sh::Alt, MouseButton::Middle, true},
                      GestureCase{"ShiftCtrlOnText", false, sh::Shift | sh::Ctrl, MouseButton::Left, true},
                      GestureCase{"ShiftCtrlRightOnText", false, sh::Shift | sh::Ctrl, MouseButton::Right, true},
                      GestureCase{"ShiftCtrlAltOnSteuerung", true, sh::Shift | sh::Ctrl | sh::Alt, MouseButton::Left,
                                  false},
                      GestureCase{"CtrlOnlyOnSteuerung", true, sh::Ctrl, MouseButton::Left, false},
                      GestureCase{"ShiftCtrlOnSteuerung", true, sh::Shift | sh::Ctrl, MouseButton::Left, false},
                      GestureCase{"CtrlAltOnText", false, sh::Ctrl | sh::Alt, MouseButton::Left, false},
                      GestureCase{"ShiftCtrlAltOnText", false, sh::Shift | sh::Ctrl | sh::Alt, MouseButton::Left,
                                  false},
                      GestureCase{"PlainClickOnText", false, sh::None, MouseButton::Left, false}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(DebugWindowTest, ThereIsOneDebugWindowAndASecondGestureBringsItForward) {
    startWith(snippetFile({{"Gruß", "Hallo"}}));
    form().show();
    gesture(form().steuerungsFrame, sh::Ctrl | sh::Alt);
    DebugWindowForm* first = debugWindow();
    ASSERT_NE(first, nullptr);
    const WindowId id = sim.ui.windowOf(*first);
    desktop().activate(sim.ui.windowOf(form()));  // the user clicks the main window
    EXPECT_NE(desktop().foreground(), id);
    gesture(form().textFrame, sh::Shift | sh::Ctrl);
    EXPECT_EQ(debugWindow(), first);
    EXPECT_EQ(desktop().foreground(), id);
    int shown = 0;
    for (WindowId w : desktop().topLevelWindows()) shown += desktop().window(w).form == first;
    EXPECT_EQ(shown, 1);
}

struct ExitCase {
    const char* label;
    std::function<void(DebugWindowForm&)> exit;
};
[[maybe_unused]] void PrintTo(const ExitCase& c, std::ostream* out) { *out << c.label; }

class EndingTheDebugWindow : public DebugWindowTest, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(EndingTheDebugWindow, StopsItsTimerAndTheProgramGoesOn) {
    startInDebugMode();
    DebugWindowForm* ended = debugWindow();
    ASSERT_NE(ended, nullptr);
    sim.ui.advance(500);
    GetParam().exit(*ended);
    EXPECT_EQ(debugWindow(), nullptr);
    EXPECT_TRUE(ended->unloaded());
    const std::vector<std::string> left = texts(ended->wList);
    sim.clock.set(2027, 1, 2, 3, 4, 5);
    desktop().open("Neu");
    sim.ui.advance(2000);
    EXPECT_EQ(texts(ended->wList), left);
    EXPECT_NE(ended->caption(), "Neu");
    EXPECT_FALSE(form().unloaded());
    EXPECT_FALSE(sim.ui.quitRequested);
    // A gesture makes a new one.
    gesture(form().steuerungsFrame, sh::Ctrl | sh::Alt);
    ASSERT_NE(debugWindow(), nullptr);
    EXPECT_TRUE(debugWindow()->visible());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, EndingTheDebugWindow,
    ::testing::Values(ExitCase{"ExitButton", [](DebugWindowForm& w) { w.command1.click(); }},
                      ExitCase{"CloseBox", [](DebugWindowForm& w) { w.requestClose(ui::CloseReason::User); }}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(DebugWindowTest, TheEndUnloadsDebuggerFirstAndDebugWindowLastThenSavesThePlacement) {
    startInDebugMode();
    desktop().open("Editor");
    form().btnDebug.click();
    ASSERT_NE(dialog(), nullptr);
    std::vector<std::string> order;
    auto record = [&](ui::Form& f) {
        f.onUnload = [&order, &f, this] {
            order.push_back(f.name() + (UserSettings(sim.registry).get("_Top", "").empty() ? "" : " after placement"));
        };
    };
    record(*dialog());
    record(*shownForm("MoveOverFrm"));
    record(*debugWindow());
    MainForm& main = form();
    choose(main.mDatei, main.miQuit);
    EXPECT_EQ(order, (std::vector<std::string>{"DebFrm", "MoveOverFrm", "ZRDEBUGFRM"}));
    EXPECT_FALSE(UserSettings(sim.registry).get("_Top", "").empty());
    // Nothing makes them again once the program ends, not even a click that
    // was still on its way.
    main.btnDebug.click();
    gesture(main.steuerungsFrame, sh::Ctrl | sh::Alt);
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_EQ(debugWindow(), nullptr);
}

}  // namespace
}  // namespace scrivlet
