#pragma once
// What the timing programs under Wine share: polling for a condition as
// often as the system lets them, the median of a run, the program's menu on
// screen, a path in quotes for a command line.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace scrivlet::bench {

// The times looked for are milliseconds: polled at every tick.
template <typename Condition>
bool pollUntil(Condition condition, int milliseconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        Sleep(1);
    }
    return true;
}

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The visible menu window of the process, if one is open.
inline bool menuShown(DWORD processId) {
    for (HWND menu = FindWindowExA(nullptr, nullptr, "#32768", nullptr); menu;
         menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(menu, &owner);
        if (owner == processId && IsWindowVisible(menu)) return true;
    }
    return false;
}

inline std::string inQuotes(const std::string& text) {
    std::string quoted = "\"";
    quoted += text;
    quoted += '"';
    return quoted;
}

}  // namespace scrivlet::bench
