#include <gtest/gtest.h>

#include "e2e/scrivlet_run.h"

namespace e2e {
namespace {

const std::string PickerCaption = scrivlet::ownCaption("Schnellauswahl", true);

std::string snippetFile() {
    return windows1252("[Name]\r\n1=Gruß\r\n2=Rechnung offen\r\n3=Abrechnung\r\n"
                       "[Text]\r\n1=Viele Grüße\r\n2=Bitte zahlen Sie.\r\n3=Anbei die Abrechnung.\r\n"
                       "[Crypt]\r\n1=0\r\n2=0\r\n3=0\r\n[Ignore]\r\n1=DFÜ-Netzwerkmonitor\r\n");
}

// The user presses Win+Umschalt+Eingabe, the picker's hotkey, once.
void pressPickerHotkey() {
    const WORD keys[] = {VK_LWIN, VK_SHIFT, VK_RETURN};
    INPUT inputs[6] = {};
    for (int i = 0; i < 3; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i];
        inputs[5 - i].type = INPUT_KEYBOARD;
        inputs[5 - i].ki.wVk = keys[i];
        inputs[5 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(6, inputs, sizeof(INPUT));
}

// The picker on screen and in front after the hotkey, or null and a failure.
HWND openPicker(ScrivletRun& run) {
    pressPickerHotkey();
    HWND picker = run.waitForDialog(PickerCaption);
    if (!picker || !waitFor([&] { return GetForegroundWindow() == picker; })) {
        ADD_FAILURE() << "no picker in front (" << (picker ? "shown" : "never shown") << ", in front '"
                      << windowText(GetForegroundWindow()) << "'): " << windowsOf(run.processId());
        return nullptr;
    }
    return picker;
}

// Notepad in front, where the user is typing, with the program running.
struct PickerE2E : ::testing::Test {
    void SetUp() override {
        ASSERT_NE(notepad.window(), nullptr);
        ASSERT_TRUE(clickToFront(notepad.window()));
    }
    ScrivletRun run{snippetFile()};
    Notepad notepad;
};

TEST_F(PickerE2E, TheHotkeyAFewLettersAndEnterSendTheFirstHitIntoNotepad) {
    HWND picker = openPicker(run);
    ASSERT_NE(picker, nullptr);
    typeText("rech");
    ASSERT_TRUE(waitFor([&] { return windowText(findChild(picker, "Edit")) == "rech"; }));
    pressKey(VK_RETURN);
    EXPECT_TRUE(waitFor([&] { return notepad.text() == "Bitte zahlen Sie."; })) << notepad.text();
    EXPECT_TRUE(waitFor([&] { return GetForegroundWindow() == notepad.window(); }));
    EXPECT_FALSE(IsWindowVisible(picker));
    EXPECT_FALSE(IsWindowVisible(run.mainWindow()));
}

TEST_F(PickerE2E, EscLeavesNotepadUntouchedAndActive) {
    HWND picker = openPicker(run);
    ASSERT_NE(picker, nullptr);
    typeText("gr");
    pressKey(VK_ESCAPE);
    EXPECT_TRUE(waitFor([&] { return GetForegroundWindow() == notepad.window() && !IsWindowVisible(picker); }));
    EXPECT_EQ(notepad.text(), "");
}

// Rows are 13 to 24 pixels high at any scale the runs use: 24 pixels down
// is on the second row.
TEST_F(PickerE2E, AClickOnARowThenEnterSendsItAndAClickOnNotepadClosesThePicker) {
    HWND picker = openPicker(run);
    ASSERT_NE(picker, nullptr);
    HWND list = findChild(picker, "SysListView32");
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(clickIn(list, 20, 24));  // "Gruß", below "Abrechnung"
    pressKey(VK_RETURN);  // the keys stayed with the search field
    EXPECT_TRUE(waitFor([&] { return notepad.text() == "Viele Grüße"; })) << notepad.text();
    EXPECT_TRUE(waitFor([&] { return GetForegroundWindow() == notepad.window(); }));

    picker = openPicker(run);
    ASSERT_NE(picker, nullptr);
    RECT area;
    GetClientRect(notepad.window(), &area);
    ASSERT_TRUE(clickIn(notepad.window(), area.right / 2, area.bottom / 2));
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(picker) && GetForegroundWindow() == notepad.window(); }));
    EXPECT_EQ(notepad.text(), "Viele Grüße");
}

}  // namespace
}  // namespace e2e
