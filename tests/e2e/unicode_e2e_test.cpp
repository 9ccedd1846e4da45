// Every character survives the real program: typed into the editor with real
// keys, it is in the snippet file as an escape, shown again after a restart and
// typed into notepad as it was typed; a name beyond Windows-1252 shows in the
// list and types its entry from the icon's menu; and included files are read in
// their own encoding. The test never brings a window to the front but by a
// click, as the user does.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "e2e/scrivlet_run.h"
#include "platform/win32/win32_text.h"
#include "store/entry_cipher.h"

namespace e2e {
namespace {

HWND listBox(HWND main) { return findChild(main, "ListBox"); }
HWND editor(HWND main) { return findChild(main, "RichEdit", "", true); }

const std::string Ignore = windows1252("[Ignore]\r\n1=DFÜ-Netzwerkmonitor\r\n");

// The user clicks notepad's caption, clicks the icon and picks the entry
// with the arrow keys; true once notepad shows what it showed plus expected.
bool typeFromTheMenu(ScrivletRun& run, Notepad& notepad, int downs, const std::string& expected) {
    if (!clickToFront(notepad.window())) return false;
    const std::string before = notepad.text();
    // In a prefix's first seconds the very first menu sometimes closes before
    // it is drawn; the user clicks again.
    HWND menu = nullptr;
    for (int click = 0; click < 3 && !menu; ++click) {
        run.iconMessage(WM_LBUTTONDOWN);
        waitFor([&] { return (menu = run.popupMenu()) != nullptr; }, 5000);
    }
    if (!menu) return false;
    for (int i = 0; i < downs; ++i) pressKey(VK_DOWN);
    pressKey(VK_RETURN);
    const bool arrived = waitFor([&] { return notepad.text() == before + expected; });
    if (!arrived) ADD_FAILURE() << "notepad shows \"" << notepad.text() << "\"";
    return arrived;
}

// What the editor shows, read from outside in UTF-16.
std::string editorText(ScrivletRun& run) { return windowText(editor(run.mainWindow())); }

TEST(UnicodeE2E, TypedTextBeyondWindows1252IsKeptShownAgainAndTyped) {
    ScrivletRun run("[Name]\r\n1=Brief\r\n[Text]\r\n1=\r\n[Crypt]\r\n1=0\r\n" + Ignore);
    ASSERT_TRUE(run.showByIcon());
    ASSERT_TRUE(clickIn(editor(run.mainWindow()), 20, 10));
    const std::string typed = "Łódź, При ✓ 😀";
    typeText(typed);
    ASSERT_TRUE(waitFor([&] { return editorText(run) == typed; })) << editorText(run);
    // Leaving the editor for the list stores the text: escapes for what
    // Windows-1252 lacks, each backslash doubled as in every entry text.
    ASSERT_TRUE(clickIn(listBox(run.mainWindow()), 10, 5));
    const std::string stored =
        "\\\\u{0141}\xF3" "d\\\\u{017A}, \\\\u{041F}\\\\u{0440}\\\\u{0438} \\\\u{2713} \\\\u{1F600}";
    EXPECT_TRUE(waitFor([&] { return run.value("Text", 1) == stored; })) << run.value("Text", 1);

    ASSERT_TRUE(run.quit());
    run.restart();
    run.showMainWindow();
    EXPECT_TRUE(waitFor([&] { return editorText(run) == typed; })) << editorText(run);
    run.saveScreenshot(run.mainWindow(), "main-window-unicode");
    // The right button hides the main window again.
    run.iconMessage(WM_RBUTTONDOWN);
    ASSERT_TRUE(waitFor([&] { return !IsWindowVisible(run.mainWindow()); }));

    Notepad notepad;
    ASSERT_NE(notepad.window(), nullptr);
    EXPECT_TRUE(typeFromTheMenu(run, notepad, 1, typed));
}

TEST(UnicodeE2E, ANameBeyondWindows1252ShowsInTheListAndTypesItsEntry) {
    ScrivletRun run("[Name]\r\n1=Brief\r\n[Text]\r\n1=Hallo\r\n[Crypt]\r\n1=0\r\n" + Ignore);
    run.showMainWindow();
    ASSERT_TRUE(chooseMenuItem(run.mainWindow(), 'T', 'N'));  // "&Texte" - "&Neu..."
    HWND input = run.waitForDialog("Scrivlet - Neuen Eintrag erstellen");
    ASSERT_NE(input, nullptr);
    ASSERT_TRUE(waitFor([&] { return GetForegroundWindow() == input; }));
    typeText("Ahoj čau\r");
    ASSERT_TRUE(waitFor([&] { return run.value("DosBox", 2) == "0"; }));  // the last value of a new entry
    EXPECT_EQ(run.value("Name", 2), "Ahoj \\u{010D}au");
    EXPECT_EQ(listBoxItems(listBox(run.mainWindow())), (std::vector<std::string>{"Ahoj čau", "Brief"}));

    // The new entry's editor has the focus.
    typeText("Dobrý den, čau");
    ASSERT_TRUE(waitFor([&] { return editorText(run) == "Dobrý den, čau"; })) << editorText(run);
    ASSERT_TRUE(clickIn(listBox(run.mainWindow()), 10, 5));
    EXPECT_TRUE(waitFor([&] {
        return scrivlet::decipherText(run.value("Text", 2)) == "Dobr\xFD den, \\\\u{010D}au";
    })) << run.value("Text", 2);
    run.iconMessage(WM_RBUTTONDOWN);
    ASSERT_TRUE(waitFor([&] { return !IsWindowVisible(run.mainWindow()); }));

    // The menu sorts it first, as the list does; what arrives tells it was
    // this entry.
    Notepad notepad;
    ASSERT_NE(notepad.window(), nullptr);
    EXPECT_TRUE(typeFromTheMenu(run, notepad, 1, "Dobrý den, čau"));
}

// ---- included files

std::string utf16LittleEndian(const std::string& text) {
    std::string bytes = "\xFF\xFE";
    for (wchar_t unit : scrivlet::wide(text)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

struct Included {
    const char* label;
    std::string bytes;
};

void PrintTo(const Included& c, std::ostream* out) { *out << c.label; }

class IncludedFileE2E : public ::testing::TestWithParam<Included> {};

TEST_P(IncludedFileE2E, IsTypedInItsOwnEncoding) {
    const std::string file = freshFolder("include") + "\\gruss.txt";
    writeFile(file, GetParam().bytes);
    // In an entry text each backslash of the path is doubled.
    std::string stored;
    for (char c : "%datei=" + file + "%") stored += c == '\\' ? std::string("\\\\") : std::string(1, c);
    ScrivletRun run(windows1252("[Name]\r\n1=Gruß\r\n[Text]\r\n1=") + stored + "\r\n[Crypt]\r\n1=0\r\n" + Ignore);
    Notepad notepad;
    ASSERT_NE(notepad.window(), nullptr);
    EXPECT_TRUE(typeFromTheMenu(run, notepad, 1, "Grüße"));
}

INSTANTIATE_TEST_SUITE_P(Encodings, IncludedFileE2E,
                         ::testing::Values(Included{"Utf8WithByteOrderMark", "\xEF\xBB\xBF" "Grüße"},
                                           Included{"Utf8", "Grüße"},
                                           Included{"Utf16WithByteOrderMark", utf16LittleEndian("Grüße")}),
                         [](const auto& p) { return std::string(p.param.label); });

}  // namespace
}  // namespace e2e
