// A portable copy unpacked into a folder that also holds a riched20.dll (the
// Downloads folder, say) must not load that library. Wine prefers its own
// built-in libraries; with native ones preferred it searches as Windows does,
// and a program that loads riched20.dll by its bare name loads the planted one.
#include <gtest/gtest.h>

#include <cstdlib>

#include "e2e/scrivlet_run.h"

namespace e2e {
namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Wine's native-first order for the two rich-text libraries in scrivlet.exe,
// as WINEDLLOVERRIDES="riched20,msftedit=n,b" gives it; Wine reads that
// variable from the environment it was started with only, not from the one
// a Windows process hands its child, so the test writes the same order into
// the prefix's registry, where Wine reads it at every process's start.
bool preferNativeRichText() {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\scrivlet.exe\\DllOverrides", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    bool ok = true;
    for (const char* library : {"riched20", "msftedit"})
        ok = ok && RegSetValueExA(key, library, 0, REG_SZ, reinterpret_cast<const BYTE*>("native,builtin"),
                                  sizeof "native,builtin") == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

TEST(LibraryE2E, ALibraryBesideTheProgramIsNotLoadedAndTheEditorWorks) {
    const std::string folder = freshFolder("geplant");
    ASSERT_TRUE(CopyFileA(environment("SCRIVLET_EXE").c_str(), (folder + "\\scrivlet.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(environment("SCRIVLET_PLANTED_LIBRARY").c_str(), (folder + "\\riched20.dll").c_str(), FALSE))
        << "no library at SCRIVLET_PLANTED_LIBRARY '" << environment("SCRIVLET_PLANTED_LIBRARY") << "'";
    const std::string snippets = folder + "\\Scrivlet.ini";
    writeFile(snippets, "[Name]\r\n1=Brief\r\n[Text]\r\n1=Hallo\r\n[Crypt]\r\n1=0\r\n[Ignore]\r\n1=x\r\n");
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Morwick Software");
    const std::string marker = folder + "\\geladen.txt";

    ASSERT_TRUE(preferNativeRichText());
    Process program("\"" + folder + "\\scrivlet.exe\"", folder);
    HWND main = waitForWindow(program.id(), MainCaption);
    ASSERT_NE(main, nullptr);
    // The right button on the icon shows the main window, with its editor.
    PostMessageA(main, 1024, 0, WM_RBUTTONDOWN);
    ASSERT_TRUE(waitFor([&] { return GetForegroundWindow() == main; }));
    EXPECT_EQ(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES) << "loaded by " << readFile(marker);
    HWND editor = findChild(main, "RichEdit", "", true);
    ASSERT_NE(editor, nullptr);

    RECT area{};
    GetClientRect(editor, &area);
    ASSERT_TRUE(clickIn(editor, area.right - 20, 8));
    typeText(" Welt");
    ASSERT_TRUE(waitFor([&] { return windowText(editor) == "Hallo Welt"; })) << windowText(editor);
    ASSERT_TRUE(waitUntilKeysTaken(editor));
    // A close request from another program ends it after the editor's text
    // is written.
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.waitForExit());
    EXPECT_EQ(iniValue(snippets, "Text", "1"), "Hallo Welt");
    EXPECT_EQ(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace e2e
