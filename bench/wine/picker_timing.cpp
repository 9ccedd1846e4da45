// Times the quick picker of the real scrivlet.exe from the hotkey to the
// picker on screen, in front, with its list filled (10,000 entries, the
// empty query lists them all), and in the same run a bare Win32 program
// (this one, started with --bare) that shows an edit field and the same
// owner-data list view of the same names on the same hotkey. Only one
// program can hold a hotkey, so the two run in turns, each started afresh
// and left to settle before its openings are timed.
//
// Run under Wine with SCRIVLET_EXE set (scripts/bench does).
#include <windows.h>
#include <commctrl.h>

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
const std::string PickerCaption = scrivlet::ownCaption("Schnellauswahl", true);
const char* const BareCaption = "Bare picker";
constexpr int Entries = 10000;

void pressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        inputs.push_back(down);
    }
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) {
        INPUT up{};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *it;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(up);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// ---- The bare program: an edit field and an owner-data list of the names ----

std::vector<std::wstring> bareNames;
HWND bareEdit = nullptr, bareList = nullptr;

std::vector<std::wstring> readNames(const std::string& file) {
    std::vector<char> buffer(1 << 22);
    const DWORD length =
        GetPrivateProfileSectionA("Name", buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
    std::vector<std::wstring> names;
    for (DWORD i = 0; i < length;) {
        const std::string line(buffer.data() + i);
        i += static_cast<DWORD>(line.size()) + 1;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string name = line.substr(equals + 1);
        std::wstring wide(name.size(), L'\0');
        wide.resize(static_cast<std::size_t>(MultiByteToWideChar(1252, 0, name.data(), static_cast<int>(name.size()),
                                                                  wide.data(), static_cast<int>(wide.size()))));
        names.push_back(wide);
    }
    return names;
}

LRESULT CALLBACK bareProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_HOTKEY:
            // The bench closes it with Esc; a second press only shows it again.
            SetWindowTextW(bareEdit, L"");
            SendMessageW(bareList, LVM_SETITEMCOUNT, bareNames.size(), 0);
            {
                LVITEMW first{};
                first.stateMask = first.state = LVIS_SELECTED | LVIS_FOCUSED;
                SendMessageW(bareList, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
            }
            // As the program does: Wine's reports of earlier focus changes
            // are taken first, or a late one takes the activation away again.
            MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_ALLINPUT, 0);
            ShowWindow(window, SW_SHOW);
            // As the program does: the documented way round the foreground
            // lock when the first request is refused.
            if (!SetForegroundWindow(window) || GetForegroundWindow() != window) {
                const DWORD front = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
                if (front && AttachThreadInput(GetCurrentThreadId(), front, TRUE)) {
                    SetForegroundWindow(window);
                    AttachThreadInput(GetCurrentThreadId(), front, FALSE);
                }
            }
            SetFocus(bareEdit);
            return 0;
        case WM_NOTIFY: {
            auto* info = reinterpret_cast<NMLVDISPINFOW*>(lParam);
            if (info->hdr.code == LVN_GETDISPINFOW && (info->item.mask & LVIF_TEXT)) {
                const std::wstring& name = bareNames.at(static_cast<std::size_t>(info->item.iItem));
                lstrcpynW(info->item.pszText, name.c_str(), info->item.cchTextMax);
            }
            return 0;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) ShowWindow(window, SW_HIDE);
            return 0;
        case WM_CLOSE: PostQuitMessage(0); return 0;
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

int runBare(const std::string& file) {
    bareNames = readNames(file);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = bareProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"BarePickerWindow";
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, windowClass.lpszClassName, L"Bare picker",
                                        WS_POPUP | WS_CAPTION, 200, 200, 366, 330, nullptr, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    bareEdit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 4, 4, 352, 21,
                               window, nullptr, GetModuleHandleW(nullptr), nullptr);
    bareList = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_NOCOLUMNHEADER |
                                   LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                               4, 29, 352, 192, window, nullptr, GetModuleHandleW(nullptr), nullptr);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = 330;
    SendMessageW(bareList, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    if (!RegisterHotKey(window, 1, MOD_WIN | MOD_SHIFT | MOD_NOREPEAT, VK_RETURN)) return 2;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

// ---- The timing run ----

// The process's visible window of that caption in front, its list filled.
bool pickerShown(DWORD process, const std::string& caption) {
    HWND window = e2e::findWindow(process, caption, nullptr, true);
    if (!window || GetForegroundWindow() != window) return false;
    HWND list = e2e::findChild(window, "SysListView32");
    return list && SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == Entries;
}

// The hotkey to the picker on screen; Esc closes it again before the next.
double openPicker(DWORD process, const std::string& caption, HWND front) {
    // Notepad in front, and the X server's reports of that given time to
    // reach every program: a late one would take the activation from the
    // picker (of either program) again. Not part of what is timed.
    e2e::clickToFront(front);
    Sleep(150);
    const auto start = Clock::now();
    pressKeys({VK_LWIN, VK_SHIFT, VK_RETURN});
    if (!pollUntil([&] { return pickerShown(process, caption); }, 20000)) {
        HWND window = e2e::findWindow(process, caption, nullptr, true);
        HWND list = window ? e2e::findChild(window, "SysListView32") : nullptr;
        std::printf("%s: no picker in front with %d rows (window %s, in front %s, rows %d)\n", caption.c_str(),
                    Entries, window ? "shown" : "none", window && GetForegroundWindow() == window ? "yes" : "no",
                    list ? static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : -1);
        return -1;
    }
    const Milliseconds took = Clock::now() - start;
    e2e::pressKey(VK_ESCAPE);
    pollUntil([&] { return !e2e::findWindow(process, caption, nullptr, true); }, 10000);
    return took.count();
}

// One program's turn: started, settled, timed at several openings, ended.
std::vector<double> turn(const std::string& commandLine, const std::string& folder, const std::string& mainCaption,
                         const std::string& pickerCaption, HWND front) {
    e2e::Process app(commandLine, folder);
    const HWND main = e2e::waitForWindow(app.id(), mainCaption);
    std::vector<double> times;
    if (!main) return times;
    // Settled: it answers, and its work after the start (the menu, the
    // picker's index) is done.
    DWORD_PTR ignored = 0;
    for (int i = 0; i < 20; ++i) {
        SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &ignored);
        Sleep(100);
    }
    e2e::clickToFront(front);
    for (int run = 0; run < 5; ++run) times.push_back(openPicker(app.id(), pickerCaption, front));
    PostMessageA(main, WM_CLOSE, 0, 0);
    app.waitForExit();
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--bare") == 0) return runBare(argv[2]);
    const char* exe = std::getenv("SCRIVLET_EXE");
    if (!exe) {
        std::printf("SCRIVLET_EXE is not set\n");
        return 1;
    }
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    e2e::moveMouse(200, 200);
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Morwick Software");
    const std::string folder = e2e::freshFolder("picker");
    CopyFileA(exe, (folder + "\\scrivlet.exe").c_str(), FALSE);
    const std::string file = folder + "\\Scrivlet.ini";
    e2e::writeFile(file, scrivlet::bench::snippetFileWithLetters(Entries));
    scrivlet::bench::settleFile(file);
    e2e::Notepad notepad;
    if (!notepad.window()) {
        std::printf("notepad did not start\n");
        return 1;
    }
    std::vector<double> bare, program;
    for (int round = 0; round < 2; ++round) {
        for (double t : turn(inQuotes(self) + " --bare " + inQuotes(file), folder, BareCaption, BareCaption,
                             notepad.window()))
            bare.push_back(t);
        for (double t : turn(inQuotes(folder + "\\scrivlet.exe"), folder, MainCaption, PickerCaption,
                             notepad.window()))
            program.push_back(t);
    }
    const bool failed = bare.empty() || program.empty() || *std::min_element(bare.begin(), bare.end()) < 0 ||
                        *std::min_element(program.begin(), program.end()) < 0;
    if (failed) {
        std::printf("Picker/%d: an opening failed\n", Entries);
        return 1;
    }
    std::printf("Picker/%d: hotkey to the picker on screen with its list filled, median of %zu: "
                "bare program %.1f ms (best %.1f), scrivlet.exe %.1f ms (best %.1f), ratio %.2f\n",
                Entries, program.size(), median(bare), *std::min_element(bare.begin(), bare.end()), median(program),
                *std::min_element(program.begin(), program.end()), median(program) / median(bare));
    return 0;
}
