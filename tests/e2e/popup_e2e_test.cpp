#include <gtest/gtest.h>

#include <random>

#include "e2e/scrivlet_run.h"
#include "platform/random_source.h"
#include "store/entry_cipher.h"

namespace e2e {
namespace {

class FixedRandom : public scrivlet::RandomSource {
public:
    double next() override { return std::uniform_real_distribution<double>(0, 1)(engine_); }

private:
    std::mt19937 engine_{5};
};

std::string snippetFile(const std::string& layout) {
    FixedRandom random;
    return "[Name]\r\n1=B Datum\r\n2=A Geheim\r\n3=C Tabelle\r\n"
           "[Text]\r\n1=Heute: %datum%\r\n2=" +
           scrivlet::encipherText("geheim\\N", random) +
           "\r\n3=a\\Tb\\Nc\r\n[Crypt]\r\n1=0\r\n2=1\r\n3=0\r\n" +
           windows1252("[Ignore]\r\n1=DFÜ-Netzwerkmonitor\r\n") + "[Common]\r\nPumMode=" + layout + "\r\n";
}

// The user clicks the icon while notepad is in front and picks an entry with
// the arrow keys; true when notepad then shows what it showed plus expected.
bool chooseFromMenu(ScrivletRun& run, Notepad& notepad, int downs, const std::string& expected,
                    const std::string& screenshot = "") {
    if (!clickToFront(notepad.window())) return false;
    const std::string before = notepad.text();
    HWND menu = run.clickIconForMenu();
    if (!menu) return false;
    if (!screenshot.empty()) run.saveScreenshot(menu, screenshot);
    for (int i = 0; i < downs; ++i) pressKey(VK_DOWN);
    pressKey(VK_RETURN);
    const bool arrived = waitFor([&] { return notepad.text() == before + expected; });
    if (!arrived) ADD_FAILURE() << "notepad shows \"" << notepad.text() << "\"";
    return arrived;
}

std::string today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[64];
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, text, sizeof text);
    return text;
}

TEST(PopupE2E, EntriesChosenFromTheIconMenuArriveInNotepad) {
    ScrivletRun run(snippetFile("0"));
    Notepad notepad;
    ASSERT_NE(notepad.window(), nullptr);
    EXPECT_TRUE(chooseFromMenu(run, notepad, 1, "geheim\r\n", "popup-flat"));  // "A Geheim", enciphered
    EXPECT_TRUE(chooseFromMenu(run, notepad, 2, "Heute: " + today()));
    EXPECT_TRUE(chooseFromMenu(run, notepad, 3, "a\tb\r\nc"));
    EXPECT_FALSE(IsWindowVisible(run.mainWindow()));
}

TEST(PopupE2E, TheCascadedMenuGroupsTheEntries) {
    ScrivletRun run(snippetFile("1"));
    Notepad notepad;
    // "&A" opens with Right; its only entry is chosen with Enter.
    ASSERT_TRUE(clickToFront(notepad.window()));
    HWND menu = run.clickIconForMenu();
    ASSERT_NE(menu, nullptr);
    run.saveScreenshot(menu, "popup-cascaded");
    pressKey(VK_DOWN);
    pressKey(VK_RIGHT);
    pressKey(VK_RETURN);
    EXPECT_TRUE(waitFor([&] { return notepad.text() == "geheim\r\n"; }));
}

TEST(PopupE2E, TheRightButtonShowsAndHidesTheMainWindow) {
    ScrivletRun run(snippetFile("0"));
    for (bool visible : {true, false, true}) {
        run.iconMessage(WM_RBUTTONDOWN);
        EXPECT_TRUE(waitFor([&] { return (IsWindowVisible(run.mainWindow()) != FALSE) == visible; })) << visible;
    }
    // Each click came with its release, which changed nothing: one click, one
    // change.
}

TEST(PopupE2E, QuitFromTheMenuEndsTheProgram) {
    ScrivletRun run(snippetFile("0"));
    Notepad notepad;
    ASSERT_TRUE(clickToFront(notepad.window()));
    ASSERT_NE(run.clickIconForMenu(), nullptr);
    pressKey(VK_UP);  // "&Abbrechen"
    pressKey(VK_UP);  // "&Beenden"
    pressKey(VK_RETURN);
    EXPECT_TRUE(waitFor([&] { return !run.running(); }));
}

}  // namespace
}  // namespace e2e

namespace e2e {
namespace {

const std::string TitledFile =
    windows1252("[Name]\r\n1=An den Editor\r\n[Text]\r\n1=Hallo Editor\r\n[Title]\r\n1=Editor\r\n"
                "[Crypt]\r\n1=0\r\n[Ignore]\r\n1=DFÜ-Netzwerkmonitor\r\n");

TEST(PopupE2E, TwoMatchingWindowsLetTheUserChoose) {
    ScrivletRun run(TitledFile);
    Notepad first, second;
    ASSERT_NE(second.window(), nullptr);
    ASSERT_TRUE(clickToFront(first.window()));
    ASSERT_NE(run.clickIconForMenu(), nullptr);
    pressKey(VK_DOWN);
    pressKey(VK_RETURN);
    HWND choice = run.waitForDialog("Auswahl - Scrivlet");
    ASSERT_NE(choice, nullptr);
    run.saveScreenshot(choice, "choice-dialog");
    HWND list = findChild(choice, "ListBox");
    ASSERT_EQ(listBoxItems(list).size(), 2u);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);  // the first is selected
    // The second row belongs to one of the two notepads; the user takes it.
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    SendMessageA(choice, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    clickButton(choice, "&OK");
    EXPECT_TRUE(waitFor([&] { return first.text() + second.text() == "Hallo Editor"; }));
    EXPECT_TRUE(first.text().empty() || second.text().empty());
}

TEST(PopupE2E, AClosedTargetReceivesNothingAndTheUserIsTold) {
    ScrivletRun run(snippetFile("0"));
    auto notepad = std::make_unique<Notepad>();
    Notepad other;
    ASSERT_TRUE(clickToFront(notepad->window()));
    ASSERT_NE(run.clickIconForMenu(), nullptr);
    notepad.reset();  // the window the user worked in closes while the menu is open
    pressKey(VK_DOWN);
    pressKey(VK_RETURN);
    HWND message = run.waitForMessageBox();
    ASSERT_NE(message, nullptr);  // "Es wurde kein passendes Zielfenster identifiziert."
    clickButton(message, "OK");
    EXPECT_EQ(other.text(), "");
}

}  // namespace
}  // namespace e2e
