// The installer made from this build, installed and removed silently (/S) as
// an administrator hands it out: everything lands in the user's own folders
// and registry, the installed program starts as Windows starts it at logon and
// shows its icon, and the uninstaller leaves nothing but the user's snippets.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "e2e/scrivlet_run.h"
#include "version.h"

namespace e2e {
namespace {

const char* const RunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const UninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Scrivlet";
const char* const SettingsKey = "Software\\Morwick Software\\Scrivlet";

std::optional<std::string> registryString(const char* key, const char* value) {
    char data[2048];
    DWORD size = sizeof data;
    if (RegGetValueA(HKEY_CURRENT_USER, key, value, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::string(data);
}

bool keyExists(const char* key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

std::string shellFolder(int csidl) {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

// The path in double quotes, as command lines hold it.
std::string inQuotes(const std::string& path) {
    std::string text = "\"";
    text += path;
    text += '"';
    return text;
}

bool exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The uninstaller runs as a copy of itself from the temporary folder
// ("Un_A.exe"; "Au_.exe" from older NSIS), which goes on after the started
// one ended.
bool uninstallerRunning() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    bool running = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !running; more = Process32NextW(snapshot, &entry))
        running = _wcsnicmp(entry.szExeFile, L"Un_", 3) == 0 || _wcsnicmp(entry.szExeFile, L"Au_", 3) == 0;
    CloseHandle(snapshot);
    return running;
}

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// A folder with everything in it, as Explorer deletes it, without asking.
void removeTree(const std::string& folder) {
    if (!exists(folder)) return;
    std::string from = folder;
    from.push_back('\0');  // the list of paths ends with two nulls
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&operation);
}

// The shell knows the icon when it lets it be modified (nothing changes: no
// flags are given).
bool shellKnowsIcon(HWND window) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = 0;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

// The main window of a running copy of the installed program of another
// process than the one given, found as the installer finds it; null when none.
HWND newMainWindow(DWORD except) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "ScrivletMainForm", nullptr)) != nullptr) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != except) return window;
    }
    return nullptr;
}

// Ends a program this test did not start (the installer did) as the task
// manager would, and waits until its window has gone.
bool closeAndWait(HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    return waitFor([&] { return !IsWindow(window); }, 30000);
}

class Installer : public ::testing::Test {
protected:
    void SetUp() override {
        const char* installer = std::getenv("SCRIVLET_INSTALLER");
        installer_ = installer ? installer : "";
        ASSERT_TRUE(exists(installer_)) << "no installer at SCRIVLET_INSTALLER '" << installer_
                                        << "' (is makensis installed?)";
        RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKey);
        // Each test installs into an empty folder: an earlier test of the
        // suite may have left the snippet file and its backups there.
        removeTree(folder);
    }

    // Runs the installer silently and waits until it has ended.
    void install() {
        Process setup(inQuotes(installer_) + " /S", "");
        ASSERT_TRUE(setup.waitForExit(120000)) << "the installer did not end";
        DWORD code = 1;
        GetExitCodeProcess(setup.handle(), &code);
        ASSERT_EQ(code, 0u);
        ASSERT_TRUE(exists(programFile()));
    }

    // The uninstaller goes on from a copy of itself in the temporary folder
    // and the one started ends at once: it has done all but removing the
    // folder when it has removed itself.
    void uninstall() {
        Process remover(inQuotes(folder + "\\uninstall.exe") + " /S", folder);
        // Its last step removes the folder if it is empty: a look into the
        // folder meanwhile finds it locked.
        ASSERT_TRUE(waitFor([&] { return !exists(folder + "\\uninstall.exe") && !uninstallerRunning(); }, 120000))
            << "the uninstaller did not finish";
    }

    // Starts the installed program with the command line Windows takes from
    // the Run value at logon, waits for its icon and ends it as the task
    // manager would.
    void startAndEnd() {
        const std::optional<std::string> command = registryString(RunKey, "Scrivlet");
        ASSERT_TRUE(command);
        Process app(*command, folder);
        const HWND main = waitForWindow(app.id(), MainCaption);
        ASSERT_NE(main, nullptr) << "the installed program shows no main window";
        EXPECT_TRUE(waitFor([&] { return shellKnowsIcon(main); })) << "the icon was not added";
        EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(main); })) << "the main window stays on screen";
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_TRUE(app.waitForExit(30000));
    }

    std::string programFile() const { return folder + "\\scrivlet.exe"; }

    std::string installer_;
    const std::string folder = shellFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Scrivlet";
    const std::string startMenuEntry = shellFolder(CSIDL_PROGRAMS) + "\\Scrivlet.lnk";
};

TEST_F(Installer, InstallsForTheUserAndUninstallsWithoutATrace) {
    // The user keeps the snippets in a folder of their own.
    const std::string own = freshFolder("snippets") + "\\Scrivlet.ini";
    const std::string snippets = windows1252("[Name]\r\n1=Gruß\r\n[Text]\r\n1=Hallo\r\n[Ignore]\r\n1=Uhr\r\n");
    writeFile(own, snippets);
    HKEY settings = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, SettingsKey, &settings), ERROR_SUCCESS);
    RegSetValueExA(settings, "path", 0, REG_SZ, reinterpret_cast<const BYTE*>(own.c_str()),
                   static_cast<DWORD>(own.size() + 1));
    RegCloseKey(settings);

    install();
    for (const char* file : {"scrivlet.exe", "sample.ini", "LIESMICH.txt", "uninstall.exe"})
        EXPECT_TRUE(exists(folder + "\\" + file)) << file;
    EXPECT_TRUE(exists(startMenuEntry));
    EXPECT_EQ(registryString(RunKey, "Scrivlet"), inQuotes(programFile()) + " /AUTOSTART");
    const struct {
        const char* name;
        std::string value;
    } registered[] = {
        {"DisplayName", "Scrivlet"},
        {"DisplayVersion", std::to_string(scrivlet::VersionMajor) + "." + std::to_string(scrivlet::VersionMinor) + "." +
                               std::to_string(scrivlet::VersionRevision)},
        {"Publisher", "Morwick Software"},
        {"UninstallString", inQuotes(folder + "\\uninstall.exe")},
        {"QuietUninstallString", inQuotes(folder + "\\uninstall.exe") + " /S"},
        {"InstallLocation", folder},
        {"DisplayIcon", programFile()},
    };
    for (const auto& r : registered) EXPECT_EQ(registryString(UninstallKey, r.name), r.value) << r.name;

    startAndEnd();
    EXPECT_FALSE(exists(folder + "\\Scrivlet.ini")) << "the program did not use the user's own file";

    uninstall();
    EXPECT_TRUE(waitFor([&] { return !exists(folder); }, 20000))
        << "left: " << ::testing::PrintToString(filesIn(folder));
    EXPECT_FALSE(exists(startMenuEntry));
    EXPECT_EQ(registryString(RunKey, "Scrivlet"), std::nullopt);
    EXPECT_FALSE(keyExists(UninstallKey));
    EXPECT_EQ(readFile(own), snippets);
}

TEST_F(Installer, AnUpgradeKeepsTheTypedTextAndTheSettingsAndStartsTheProgramAgain) {
    install();
    const std::string snippets = folder + "\\Scrivlet.ini";
    writeFile(snippets, windows1252("[Name]\r\n1=Gruß\r\n[Text]\r\n1=Hallo\r\n"));
    HKEY settings = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, SettingsKey, &settings), ERROR_SUCCESS);
    const std::string kept = "bleibt";
    RegSetValueExA(settings, "Probe", 0, REG_SZ, reinterpret_cast<const BYTE*>(kept.c_str()),
                   static_cast<DWORD>(kept.size() + 1));
    RegCloseKey(settings);

    const std::optional<std::string> command = registryString(RunKey, "Scrivlet");
    ASSERT_TRUE(command);
    Process app(*command, folder);
    const HWND main = waitForWindow(app.id(), MainCaption);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(waitFor([&] { return shellKnowsIcon(main); }));
    // The right button on the icon, as the shell reports it; then the user
    // clicks behind the text and types, and leaves the window as it is.
    PostMessageA(main, 1024, 0, WM_RBUTTONDOWN);
    ASSERT_TRUE(waitFor([&] { return GetForegroundWindow() == main; })) << windowsOf(app.id());
    const HWND editor = findChild(main, "RichEdit", "", true);
    RECT area{};
    GetClientRect(editor, &area);
    ASSERT_TRUE(clickIn(editor, area.right - 20, 8));
    typeText(" Welt");
    ASSERT_TRUE(waitFor([&] { return windowText(editor) == "Hallo Welt"; })) << windowText(editor);
    ASSERT_TRUE(waitUntilKeysTaken(editor));

    install();
    EXPECT_TRUE(app.waitForExit(30000)) << "the installer left the running program alone";
    EXPECT_EQ(iniValue(snippets, "Text", "1"), "Hallo Welt");
    HWND again = nullptr;
    EXPECT_TRUE(waitFor([&] { return (again = newMainWindow(app.id())) != nullptr; }))
        << "the program was not started again";
    EXPECT_EQ(registryString(SettingsKey, "Probe"), kept);
    if (again) {
        EXPECT_TRUE(closeAndWait(again));
    }
}

TEST_F(Installer, AnUpgradeEndsAnOlderBuildAndStartsTheNewOne) {
    // An older build's windows: its main window of the common class, with
    // its version in the caption and a menu bar, and an owned dialog of the
    // same class that lies first.
    const char* older = std::getenv("SCRIVLET_OLDER");
    ASSERT_TRUE(older && exists(older)) << "no stand-in at SCRIVLET_OLDER";
    const std::string marker = freshFolder("older") + "\\beendet.txt";
    Process old(inQuotes(older) + " " + inQuotes(marker), "");
    ASSERT_NE(waitForWindow(old.id(), "• Scrivlet 2.2a"), nullptr);

    install();
    EXPECT_TRUE(old.waitForExit(30000)) << "the installer left the older build running";
    EXPECT_EQ(readFile(marker), "beendet") << "the older build was not ended through its main window";
    HWND started = nullptr;
    EXPECT_TRUE(waitFor([&] { return (started = newMainWindow(old.id())) != nullptr; }))
        << "the new program was not started";
    if (started) {
        EXPECT_TRUE(closeAndWait(started));
    }
}

TEST_F(Installer, ASilentUninstallKeepsTheUsersSnippets) {
    install();
    // The first start makes the sample the user's snippet file beside the program.
    startAndEnd();
    ASSERT_TRUE(exists(folder + "\\Scrivlet.ini"));
    // A daily backup the program made beside the file stays with it.
    const std::string backups = folder + "\\Sicherung";
    CreateDirectoryA(backups.c_str(), nullptr);
    writeFile(backups + "\\Scrivlet-2026-03-02.ini", "[Name]\r\n");

    uninstall();
    std::vector<std::string> left = filesIn(folder);
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"Scrivlet.ini", "Sicherung"}));
    EXPECT_EQ(filesIn(backups), std::vector<std::string>{"Scrivlet-2026-03-02.ini"});
    EXPECT_EQ(registryString(RunKey, "Scrivlet"), std::nullopt);
    EXPECT_FALSE(keyExists(UninstallKey));
    DeleteFileA((backups + "\\Scrivlet-2026-03-02.ini").c_str());
    RemoveDirectoryA(backups.c_str());
    DeleteFileA((folder + "\\Scrivlet.ini").c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace e2e
