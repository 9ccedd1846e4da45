// After a modal window closes, the program is the active one again, with the
// focus where it was: the user goes on typing without touching the mouse.
// The test never brings a window to the front; only the program does.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "e2e/scrivlet_run.h"
#include "store/entry_cipher.h"

namespace e2e {
namespace {

const std::string Ignore = windows1252("[Ignore]\r\n1=DFÜ-Netzwerkmonitor\r\n");

HWND listBox(HWND main) { return findChild(main, "ListBox"); }
HWND editor(HWND main) { return findChild(main, "RichEdit", "", true); }

// The shell's report of a right click on the icon: the program shows its
// main window and makes it the active one.
void showByIcon(ScrivletRun& run) { ASSERT_TRUE(run.showByIcon()) << windowsOf(run.processId()); }

// What the user types lands in the editor: it shows the text expected.
::testing::AssertionResult typedIntoEditor(ScrivletRun& run, const std::string& keys, const std::string& expected) {
    typeText(keys);
    if (waitFor([&] { return windowText(editor(run.mainWindow())) == expected; }))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the editor shows '" << windowText(editor(run.mainWindow()))
                                         << "'; windows: " << windowsOf(run.processId());
}

TEST(ModalE2E, AfterTheInputBoxOfANewEntryTheTypingGoesIntoItsEditor) {
    ScrivletRun run(Ignore);
    showByIcon(run);
    ASSERT_TRUE(chooseMenuByKeys(run.processId(), 'T', 'N'));  // "&Texte" - "&Neu..."
    HWND input = run.waitForDialog("Scrivlet - Neuen Eintrag erstellen");
    ASSERT_NE(input, nullptr);
    ASSERT_TRUE(waitFor([&] { return GetForegroundWindow() == input; }));
    typeText("Brief\r");
    ASSERT_TRUE(waitFor([&] { return run.value("DosBox", 1) == "0"; }));  // the last value of a new entry
    EXPECT_EQ(run.value("Name", 1), "Brief");
    EXPECT_TRUE(typedIntoEditor(run, "Hallo", "Hallo"));
    // Leaving the editor for the list stores the text.
    ASSERT_TRUE(clickIn(listBox(run.mainWindow()), 10, 5));
    EXPECT_TRUE(waitFor([&] { return scrivlet::decipherText(run.value("Text", 1)) == "Hallo"; }))
        << run.value("Text", 1);
}

struct ModalCase {
    const char* label;
    std::string snippetFile;
    // Opens the modal window as the user does; gives its caption and class.
    std::function<void(ScrivletRun&)> open;
    std::string caption;
    const char* className;
    // The keys that close it.
    std::function<void()> close;
};

class ModalWindows : public ::testing::TestWithParam<ModalCase> {};

TEST_P(ModalWindows, GiveTheActivationAndTheFocusBack) {
    const ModalCase& c = GetParam();
    // Programs started before: their windows came to the front by themselves.
    Notepad first, second;
    ScrivletRun run(c.snippetFile);
    showByIcon(run);
    ASSERT_TRUE(clickIn(editor(run.mainWindow()), 20, 10));
    ASSERT_TRUE(typedIntoEditor(run, "a", "a"));

    c.open(run);
    HWND modal = run.waitForDialog(c.caption, c.className);
    ASSERT_NE(modal, nullptr) << windowsOf(run.processId());
    ASSERT_TRUE(waitFor([&] { return GetForegroundWindow() == modal; })) << windowsOf(run.processId());
    c.close();
    ASSERT_TRUE(waitFor([&] { return !IsWindow(modal) || !IsWindowVisible(modal); }));
    EXPECT_TRUE(typedIntoEditor(run, "b", "ab"));
    EXPECT_EQ(first.text() + second.text(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, ModalWindows,
    ::testing::Values(
        ModalCase{"MessageBox", "[Name]\r\n1=Brief\r\n[Text]\r\n1=\r\n" + Ignore,
                  [](ScrivletRun& run) { chooseMenuByKeys(run.processId(), 'T', 'L'); },  // "&Löschen"
                  MainCaption, "#32770", [] { pressKey('N'); }},                           // "&Nein"
        ModalCase{"ModalForm", "[Name]\r\n1=Brief\r\n[Text]\r\n1=\r\n" + Ignore,
                  [](ScrivletRun& run) {
                      // "&?" - "&Info": the fifth menu of the bar, reached with the arrows.
                      pressKey(VK_F10);
                      for (int i = 0; i < 4; ++i) pressKey(VK_RIGHT);
                      pressKey(VK_DOWN);
                      if (waitFor([&] { return run.popupMenu() != nullptr; })) pressKey('I');
                  },
                  "Info - " + MainCaption, nullptr, [] { pressKey(VK_RETURN); }},
        ModalCase{"ChoiceDialog", "[Name]\r\n1=An den Editor\r\n[Text]\r\n1=\r\n[Title]\r\n1=Editor\r\n" + Ignore,
                  [](ScrivletRun& run) {
                      // A left click on the icon; the entry from the menu.
                      if (!run.clickIconForMenu()) return;
                      pressKey(VK_DOWN);
                      pressKey(VK_RETURN);
                  },
                  "Auswahl - Scrivlet", nullptr, [] { pressKey(VK_ESCAPE); }}),
    [](const auto& p) { return std::string(p.param.label); });

}  // namespace
}  // namespace e2e
