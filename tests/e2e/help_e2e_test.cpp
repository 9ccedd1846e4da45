// The help button hands the start page to the program the shell associates
// with .htm files; without help pages the user is told so.
#include <gtest/gtest.h>

#include <cstdlib>

#include "e2e/scrivlet_run.h"

namespace e2e {
namespace {

const std::string Entries =
    windows1252("[Name]\r\n1=Brief\r\n[Text]\r\n1=Hallo\r\n[Ignore]\r\n1=DFÜ-Netzwerkmonitor\r\n");

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool setDefault(HKEY root, const std::string& key, const std::string& value) {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result = RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                       static_cast<DWORD>(value.size() + 1));
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}

// .htm pages open with the recorder, which writes what it was handed into
// the record file. Windows takes a user's own association from
// HKCU\Software\Classes; Wine 8 reads only the machine's classes, so the
// association goes into both.
void associatePagesWithRecorder(const std::string& record) {
    std::string command = "\"";
    command.append(environment("SCRIVLET_OPEN_RECORDER")).append("\" \"").append(record).append("\" \"%1\"");
    for (const char* classes : {"Software\\Classes\\", ""}) {
        HKEY root = *classes ? HKEY_CURRENT_USER : HKEY_CLASSES_ROOT;
        ASSERT_TRUE(setDefault(root, std::string(classes) + ".htm", "ScrivletTestPage"));
        ASSERT_TRUE(setDefault(root, std::string(classes) + "ScrivletTestPage\\shell\\open\\command", command));
    }
}

// The pages of the help (not their pictures) beside the program, in hilfe\.
void installHelp(const std::string& programFolder) {
    const std::string from = environment("SCRIVLET_HELP");
    const std::string to = programFolder + "\\hilfe";
    ASSERT_TRUE(CreateDirectoryA(to.c_str(), nullptr));
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE) << "no help pages at SCRIVLET_HELP '" << from << "'";
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        ASSERT_TRUE(CopyFileA((from + "\\" + found.cFileName).c_str(), (to + "\\" + found.cFileName).c_str(), FALSE));
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// The user clicks the "&Hilfe" button of the shown main window.
void clickHelpButton(ScrivletRun& run) {
    run.showMainWindow();
    HWND button = findChild(run.mainWindow(), "Button", "&Hilfe");
    ASSERT_NE(button, nullptr);
    RECT r{};
    GetClientRect(button, &r);
    ASSERT_TRUE(clickIn(button, r.right / 2, r.bottom / 2));
}

TEST(HelpE2E, TheHelpButtonHandsTheStartPageToTheAssociatedProgram) {
    const std::string record = freshFolder("help") + "\\opened.txt";
    ASSERT_NO_FATAL_FAILURE(associatePagesWithRecorder(record));
    ScrivletRun run(Entries);
    ASSERT_NO_FATAL_FAILURE(installHelp(run.folder()));
    ASSERT_NO_FATAL_FAILURE(clickHelpButton(run));
    std::string opened;
    ASSERT_TRUE(waitFor([&] { return !(opened = readFile(record)).empty(); })) << "the recorder was not started";
    // Exactly one argument: the page's full path.
    const std::string expected = run.folder() + "\\hilfe\\index.htm\r\n";
    EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, opened.c_str(), -1, expected.c_str(), -1),
              CSTR_EQUAL)
        << "the recorder received '" << opened << "', expected '" << expected << "'";
    EXPECT_EQ(findWindow(run.processId(), MainCaption, "#32770", true), nullptr);
}

TEST(HelpE2E, WithoutHelpPagesTheButtonSaysSo) {
    const std::string record = freshFolder("help") + "\\opened.txt";
    ASSERT_NO_FATAL_FAILURE(associatePagesWithRecorder(record));
    ScrivletRun run(Entries);
    ASSERT_NO_FATAL_FAILURE(clickHelpButton(run));
    HWND box = run.waitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_NE(findChild(box, "Static", "Die Online-Hilfe konnte leider nicht gefunden werden ..."), nullptr);
    run.saveScreenshot(box, "help-missing");
    clickButton(box, "OK");
    EXPECT_TRUE(waitFor([&] { return !IsWindow(box); }));
    EXPECT_EQ(readFile(record), "");
}

}  // namespace
}  // namespace e2e
