// Times the pop-up menu of the real scrivlet.exe: from the icon's message to
// the menu on screen, for 1,000 and 10,000 entries, with the snippet file
// unchanged and right after a write to it (when Wine reads the whole file
// again for every profile call). Run under Wine with SCRIVLET_EXE set.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/snippet_fixture.h"
#include "e2e/desktop_driver.h"

namespace {

double openMenu(DWORD processId, HWND main) {
    const auto start = std::chrono::steady_clock::now();
    PostMessageA(main, 1024, 0, WM_LBUTTONDOWN);
    e2e::waitFor([&] { return e2e::findWindow(processId, "", "#32768", true) != nullptr; }, 60000);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    e2e::pressKey(VK_ESCAPE);
    e2e::waitFor([&] { return e2e::findWindow(processId, "", "#32768", true) == nullptr; }, 10000);
    return took.count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main() {
    const char* exe = std::getenv("SCRIVLET_EXE");
    if (!exe) {
        std::printf("SCRIVLET_EXE is not set\n");
        return 1;
    }
    for (int count : {1000, 10000}) {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Morwick Software");
        const std::string folder = e2e::freshFolder("bench");
        CopyFileA(exe, (folder + "\\scrivlet.exe").c_str(), FALSE);
        const std::string file = folder + "\\Scrivlet.ini";
        const std::string bytes = scrivlet::bench::snippetFileWithEntries(count);
        e2e::writeFile(file, bytes);
        e2e::Process app("\"" + folder + "\\scrivlet.exe\"", folder);
        HWND main = e2e::waitForWindow(app.id(), "\x95 Scrivlet 2.3c");
        if (!main) {
            std::printf("scrivlet.exe did not start\n");
            return 1;
        }
        std::vector<double> unchanged, written;
        Sleep(2500);  // past Wine's two seconds of distrust after the program's own writes
        for (int run = 0; run < 5; ++run) unchanged.push_back(openMenu(app.id(), main));
        for (int run = 0; run < 5; ++run) {
            WritePrivateProfileStringA("Common", "PumMode", "0", file.c_str());
            e2e::writeFile(file, bytes);
            written.push_back(openMenu(app.id(), main));
        }
        std::printf("PopupMenu/%d: icon message to menu on screen, median %.1f ms (file unchanged), "
                    "%.1f ms (right after a write)\n",
                    count, median(unchanged), median(written));
    }
    return 0;
}
