// Console entries in a window of Windows Terminal's class: the program chooses
// Ctrl+V there (the terminal's window menu has no "Bearbeiten"), once the
// clipboard holds the text.
#include <gtest/gtest.h>

#include <cstdlib>

#include "e2e/scrivlet_run.h"

namespace e2e {
namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

TEST(ConsoleE2E, AWindowsTerminalGetsCtrlVAfterTheClipboardHoldsTheText) {
    ScrivletRun run(windows1252("[Name]\r\n1=Verzeichnis\r\n[Text]\r\n1=dir /w\r\n[Title]\r\n1=PowerShell\r\n"
                                "[Crypt]\r\n1=0\r\n[DosBox]\r\n1=1\r\n[Ignore]\r\n1=DFÜ-Netzwerkmonitor\r\n"));
    const std::string record = freshFolder("terminal") + "\\tasten.txt";
    std::string command = "\"";
    command.append(environment("SCRIVLET_TERMINAL_RECORDER")).append("\" \"").append(record);
    command.append("\" \"Windows PowerShell\"");
    Process terminal(command, run.folder());
    HWND window = waitForWindow(terminal.id(), "Windows PowerShell", "CASCADIA_HOSTING_WINDOW_CLASS", true);
    ASSERT_NE(window, nullptr) << "no terminal window at SCRIVLET_TERMINAL_RECORDER '"
                               << environment("SCRIVLET_TERMINAL_RECORDER") << "'";
    ASSERT_TRUE(waitFor([&] { return GetFileAttributesA(record.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    ASSERT_NE(run.clickIconForMenu(), nullptr);
    pressKey(VK_DOWN);
    pressKey(VK_RETURN);
    const std::string expected =
        "KEYDOWN 11\r\nKEYDOWN 56\r\nCHAR U+0016\r\nCLIPBOARD dir /w\r\nKEYUP 56\r\nKEYUP 11\r\n";
    EXPECT_TRUE(waitFor([&] { return readFile(record) == expected; }))
        << "the terminal got:\n" << readFile(record);
}

}  // namespace
}  // namespace e2e
