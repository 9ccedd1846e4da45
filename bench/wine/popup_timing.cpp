// Times the pop-up menu of the real scrivlet.exe from the icon's message to
// the menu on screen, for 1,000 and 10,000 entries, flat and cascaded, and in
// the same run a bare Win32 program (this one, started with --bare) that
// shows a menu of the same items, built once at its start, the same way:
// SetForegroundWindow and TrackPopupMenu at the mouse. The ratio is what the
// program adds to what the system needs to show such a menu at all.
//
// scrivlet.exe is timed at its first opening (the menu is built), at
// reopenings with the file unchanged, and at openings right after another
// program changed one name in the file. Its start is timed as well: from the
// process's creation to its icon in the notification area, in turns with a
// bare program that only makes a window and adds its icon.
//
// Run under Wine with SCRIVLET_EXE set (scripts/bench does).
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/settle_file.h"
#include "common/snippet_fixture.h"
#include "common/wine_timing.h"
#include "e2e/desktop_driver.h"
#include "tracking/own_caption.h"

namespace {

using namespace scrivlet::bench;

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

const std::string MainCaption = scrivlet::ownCaption("", true);
const char* const BareCaption = "Bare menu";
constexpr UINT IconMessage = 1024;
const char* const BuildTimeProperty = "ScrivletBenchBuildTime";

// The icon's message (a left press) to the menu on screen; the menu is
// closed again before the next.
double openMenu(DWORD processId, HWND window) {
    const auto start = Clock::now();
    PostMessageA(window, IconMessage, 0, WM_LBUTTONDOWN);
    if (!pollUntil([&] { return menuShown(processId); }, 60000)) return -1;
    const Milliseconds took = Clock::now() - start;
    e2e::pressKey(VK_ESCAPE);
    pollUntil([&] { return !menuShown(processId); }, 10000);
    // Let the program return to its message loop before the next message.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &ignored);
    return took.count();
}

bool shellKnowsIcon(HWND window) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = 0;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

// ---- The bare program: a window and a prebuilt menu of the same items ----

struct Named {
    std::string name;
    int number;
};

std::vector<Named> sortedNames(const std::string& file) {
    std::vector<char> section(64 * 1024 * 1024);
    const DWORD length =
        GetPrivateProfileSectionA("Name", section.data(), static_cast<DWORD>(section.size()), file.c_str());
    std::vector<Named> names;
    for (const char* p = section.data(); p < section.data() + length && *p; p += std::strlen(p) + 1) {
        const char* equals = std::strchr(p, '=');
        if (!equals) continue;
        names.push_back({equals + 1, std::atoi(p)});
    }
    std::sort(names.begin(), names.end(), [](const Named& a, const Named& b) { return a.number < b.number; });
    // As the program sorts: name, code 3, number as text, by character code.
    std::sort(names.begin(), names.end(), [](const Named& a, const Named& b) {
        return a.name + '\x03' + std::to_string(a.number) < b.name + '\x03' + std::to_string(b.number);
    });
    return names;
}

void appendFixedItems(HMENU menu) {
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, 2, "&\xD6" "ffnen");
    AppendMenuA(menu, MF_STRING, 3, "&Beenden");
    AppendMenuA(menu, MF_STRING, 4, "&Abbrechen");
    SetMenuDefaultItem(menu, 2, FALSE);
}

HMENU bareMenu(const std::string& file, bool cascade) {
    HMENU top = CreatePopupMenu();
    const std::vector<Named> names = sortedNames(file);
    if (!cascade) {
        for (const Named& n : names) AppendMenuA(top, MF_STRING, static_cast<UINT_PTR>(100 + n.number), n.name.c_str());
    } else {
        HMENU groups[27];
        bool used[27] = {};
        for (HMENU& g : groups) g = CreatePopupMenu();
        for (const Named& n : names) {
            const auto first = static_cast<unsigned char>(n.name[0]);
            const int lower = first >= 'A' && first <= 'Z' ? first + 32 : first;
            const int g = lower >= 'a' && lower <= 'z' ? lower - 'a' + 1 : 0;
            used[g] = true;
            AppendMenuA(groups[g], MF_STRING, static_cast<UINT_PTR>(100 + n.number), n.name.c_str());
        }
        for (int g = 0; g < 27; ++g) {
            if (!used[g]) continue;
            const std::string caption = g == 0 ? "&0-9" : std::string("&") + static_cast<char>('A' + g - 1);
            AppendMenuA(top, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(groups[g]), caption.c_str());
        }
    }
    appendFixedItems(top);
    return top;
}

HMENU shownMenu = nullptr;

LRESULT CALLBACK bareProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == IconMessage && lParam == WM_LBUTTONDOWN) {
        POINT at{};
        GetCursorPos(&at);
        SetForegroundWindow(window);
        TrackPopupMenu(shownMenu, TPM_RETURNCMD, at.x, at.y, 0, window, nullptr);
        PostMessageA(window, WM_NULL, 0, 0);
        return 0;
    }
    if (message == WM_CLOSE) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int runBare(const std::string& file, bool cascade) {
    const auto start = Clock::now();
    shownMenu = bareMenu(file, cascade);
    const Milliseconds built = Clock::now() - start;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = bareProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "BareMenuWindow";
    RegisterClassA(&windowClass);
    const HWND window = CreateWindowExA(0, windowClass.lpszClassName, BareCaption, WS_POPUP, 0, 0, 10, 10, nullptr,
                                        nullptr, windowClass.hInstance, nullptr);
    // What building the menu took, in tenths of a millisecond, for the timing run.
    SetPropA(window, BuildTimeProperty, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(built.count() * 10 + 1)));
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}

// The bare start: a window and its icon, nothing else.
LRESULT CALLBACK bareStartProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        NOTIFYICONDATAA data{};
        data.cbSize = NOTIFYICONDATAA_V1_SIZE;
        data.hWnd = window;
        Shell_NotifyIconA(NIM_DELETE, &data);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int runBareStart() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = bareStartProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "BareStartWindow";
    RegisterClassA(&windowClass);
    const HWND window = CreateWindowExA(0, windowClass.lpszClassName, BareCaption, WS_POPUP, 0, 0, 10, 10, nullptr,
                                        nullptr, windowClass.hInstance, nullptr);
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = IconMessage;
    data.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    lstrcpyA(data.szTip, "Bare");
    Shell_NotifyIconA(NIM_ADD, &data);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}

// ---- The timing run ----


std::string withCascade(std::string bytes, bool cascade) {
    const std::string flag = "PumMode=0";
    bytes.replace(bytes.find(flag), flag.size(), cascade ? "PumMode=1" : "PumMode=0");
    return bytes;
}

// Another program gives entry `number` a new name of the same length, so that
// only the write time tells the file changed.
std::string withRenamed(std::string bytes, int number) {
    const std::string key = "\r\n" + std::to_string(number) + "=";
    const std::size_t at = bytes.find(key) + key.size() + 1;
    bytes[at] = bytes[at] == 'q' ? 'r' : 'q';
    return bytes;
}

struct Layout {
    const char* label;
    bool cascade;
};

struct Result {
    double first = 0, unchanged = 0, changed = 0;
};

struct Bare {
    double built = 0, first = 0, again = 0;
};

double cpuMilliseconds(HANDLE process) {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return -1;
    const auto value = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return value(kernel) + value(user);
}

// Waits until the program has finished what it does after its start (it
// answers sent messages already while it adds its icon, and builds its menu
// afterwards): it answers, and has used no processor time for 200 ms.
void waitUntilIdle(HWND window, HANDLE process) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &ignored);
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    double before = cpuMilliseconds(process);
    while (Clock::now() < deadline) {
        Sleep(200);
        const double now = cpuMilliseconds(process);
        if (now == before) break;
        before = now;
    }
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &ignored);
}

struct Timings {
    Bare bare;
    Result program;
};

// Both programs run side by side and their menus open in turns, so that
// whatever else the machine does meets both alike.
Timings timeBoth(const std::string& self, const std::string& folder, const std::string& file,
                 const std::string& bytes, int count, bool cascade) {
    e2e::Process bare(inQuotes(self) + " --bare " + inQuotes(file) + (cascade ? " 1" : " 0"), folder);
    e2e::Process app(inQuotes(folder + "\\scrivlet.exe"), folder);
    const HWND bareWindow = e2e::waitForWindow(bare.id(), BareCaption, nullptr, false);
    const HWND main = e2e::waitForWindow(app.id(), MainCaption);
    if (!bareWindow || !main) return {{-1, -1, -1}, {-1, -1, -1}};
    waitUntilIdle(bareWindow, bare.handle());
    waitUntilIdle(main, app.handle());
    Timings t;
    t.bare.built = (static_cast<double>(reinterpret_cast<ULONG_PTR>(GetPropA(bareWindow, BuildTimeProperty))) - 1) / 10;
    t.bare.first = openMenu(bare.id(), bareWindow);
    t.program.first = openMenu(app.id(), main);
    std::vector<double> again, unchanged, changed;
    for (int run = 0; run < 7; ++run) {
        again.push_back(openMenu(bare.id(), bareWindow));
        unchanged.push_back(openMenu(app.id(), main));
    }
    for (int run = 0; run < 5; ++run) {
        e2e::writeFile(file, withRenamed(bytes, 1 + (run * 7919) % count));
        changed.push_back(openMenu(app.id(), main));
        again.push_back(openMenu(bare.id(), bareWindow));
    }
    e2e::writeFile(file, bytes);
    t.bare.again = median(again);
    t.program.unchanged = median(unchanged);
    t.program.changed = median(changed);
    PostMessageA(bareWindow, WM_CLOSE, 0, 0);
    PostMessageA(main, WM_CLOSE, 0, 0);
    bare.waitForExit();
    app.waitForExit();
    return t;
}

// Process creation to the icon in the notification area.
double timeStart(const std::string& commandLine, const std::string& folder, const std::string& caption) {
    const auto start = Clock::now();
    e2e::Process app(commandLine, folder);
    HWND main = nullptr;
    const bool added = pollUntil(
        [&] {
            if (!main) main = e2e::findWindow(app.id(), caption);
            return main && shellKnowsIcon(main);
        },
        60000);
    const Milliseconds took = Clock::now() - start;
    if (!added) return -1;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &ignored);
    PostMessageA(main, WM_CLOSE, 0, 0);
    app.waitForExit();
    return took.count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--bare") == 0) return runBare(argv[2], std::strcmp(argv[3], "1") == 0);
    if (argc == 2 && std::strcmp(argv[1], "--bare-start") == 0) return runBareStart();
    const char* exe = std::getenv("SCRIVLET_EXE");
    if (!exe) {
        std::printf("SCRIVLET_EXE is not set\n");
        return 1;
    }
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    // The menu opens at the mouse; the same place for both programs.
    e2e::moveMouse(200, 200);

    bool failed = false;
    std::printf("%-16s | %-23s | %-25s | %s\n", "", "bare program", "scrivlet.exe", "ratio to the bare menu");
    std::printf("%-16s | %7s %7s %7s | %7s %7s %9s | %7s %7s %7s\n", "PopupMenu (ms)", "build", "first", "again",
                "first", "changed", "unchanged", "first", "changed", "unchanged");
    for (int count : {1000, 10000}) {
        for (const Layout layout : {Layout{"flat", false}, Layout{"cascaded", true}}) {
            RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Morwick Software");
            const std::string folder = e2e::freshFolder("bench");
            CopyFileA(exe, (folder + "\\scrivlet.exe").c_str(), FALSE);
            const std::string file = folder + "\\Scrivlet.ini";
            const std::string bytes = withCascade(scrivlet::bench::snippetFileWithVariedNames(count), layout.cascade);
            e2e::writeFile(file, bytes);
            const Timings t = timeBoth(self, folder, file, bytes, count, layout.cascade);
            const Bare& bare = t.bare;
            const Result& r = t.program;
            failed = failed || bare.first < 0 || r.first < 0 || r.unchanged < 0 || r.changed < 0;
            const std::string label = std::to_string(count) + " " + layout.label;
            std::printf("%-16s | %7.1f %7.1f %7.1f | %7.1f %7.1f %9.1f | %7.2f %7.2f %7.2f\n", label.c_str(),
                        bare.built, bare.first, bare.again, r.first, r.changed, r.unchanged, r.first / bare.first,
                        r.changed / bare.again, r.unchanged / bare.again);
            std::fflush(stdout);
        }
    }
    std::printf("first: the first opening after the start; changed: right after another program changed\n"
                "a name in the file; unchanged: a reopening; ratios to the bare program's first opening\n"
                "and to its reopenings; build: the bare program's building of its menu, before it is timed\n");

    // Starts in turns with a bare program that only makes a window and adds
    // its icon: what any program needs under Wine to get that far.
    for (int count : {1000, 10000}) {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Morwick Software");
        const std::string folder = e2e::freshFolder("start");
        CopyFileA(exe, (folder + "\\scrivlet.exe").c_str(), FALSE);
        const std::string file = folder + "\\Scrivlet.ini";
        e2e::writeFile(file, scrivlet::bench::snippetFileWithVariedNames(count));
        scrivlet::bench::settleFile(file);
        std::vector<double> runs, bare;
        for (int run = 0; run < 5; ++run) {
            bare.push_back(timeStart(inQuotes(self) + " --bare-start", folder, BareCaption));
            runs.push_back(timeStart(inQuotes(folder + "\\scrivlet.exe"), folder, MainCaption));
        }
        failed = failed || *std::min_element(runs.begin(), runs.end()) < 0;
        std::printf("Start/%d: process created to icon added, median %.1f ms (best %.1f); "
                    "bare program %.1f ms (best %.1f)\n",
                    count, median(runs), *std::min_element(runs.begin(), runs.end()), median(bare),
                    *std::min_element(bare.begin(), bare.end()));
        std::fflush(stdout);
    }
    return failed ? 1 : 0;
}
