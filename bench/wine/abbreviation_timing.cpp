// Times the keyboard watch's hook callback under Wine: 10,000 abbreviations
// in the matcher, 2,000 key presses typed into Wine's notepad with
// SendInput as virtual keys, each press's callback timed inside the hook
// (the window and control in front looked up, the key translated, the
// matcher asked). Prints the median, the 99th percentile and the largest,
// and beside them the floor: a bare hook that asks only the one question of
// the system the callback asks at every key (where the keys go; under Wine a
// round trip to its server), for the same keys into the same notepad.
//
// Run under Wine: scripts/wine-run build/win64/bench/abbreviation_timing.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "../../tests/wine/desktop_test_support.h"
#include "abbreviations/abbreviation_matcher.h"
#include "common/random_abbreviations.h"
#include "platform/win32/win32_keyboard_watch.h"
#include "platform/win32/win32_window_system.h"

namespace {

using namespace scrivlet;

void pressAll(const std::string& keys) {
    std::vector<INPUT> events;
    for (char c : keys)
        for (bool up : {false, true}) {
            INPUT event{};
            event.type = INPUT_KEYBOARD;
            event.ki.wVk = c == ' ' ? VK_SPACE : static_cast<WORD>(c - 'a' + 'A');
            event.ki.wScan = static_cast<WORD>(MapVirtualKeyW(event.ki.wVk, MAPVK_VK_TO_VSC));
            event.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            events.push_back(event);
        }
    for (std::size_t sent = 0; sent < events.size();) {
        const UINT inserted = SendInput(static_cast<UINT>(events.size() - sent), events.data() + sent, sizeof(INPUT));
        if (inserted == 0) return;
        sent += inserted;
    }
}

// The hook is called on this thread: it must take its messages meanwhile.
bool pumpUntil(HWND edit, std::size_t length, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (static_cast<std::size_t>(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0)) < length) {
        if (GetTickCount64() > deadline) return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

// Types the text into the edit control a hundred keys at a time, each hundred
// taken before the next.
bool typeInto(HWND edit, const std::string& text) {
    for (std::size_t at = 0; at < text.size(); at += 100) {
        pressAll(text.substr(at, 100));
        if (!pumpUntil(edit, at + 100, 120000)) {
            std::fprintf(stderr, "notepad did not take the keys\n");
            return false;
        }
    }
    return true;
}

std::vector<LONGLONG>* bareTicks = nullptr;

LRESULT CALLBACK bareHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && (wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN)) {
        LARGE_INTEGER begin, end;
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        QueryPerformanceCounter(&begin);
        GetGUIThreadInfo(0, &gui);
        QueryPerformanceCounter(&end);
        bareTicks->push_back(end.QuadPart - begin.QuadPart);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct Spread {
    double median, p99, max;
};

Spread spreadOf(const std::vector<LONGLONG>& ticks) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> micro;
    for (LONGLONG t : ticks) micro.push_back(1e6 * static_cast<double>(t) / static_cast<double>(frequency.QuadPart));
    std::sort(micro.begin(), micro.end());
    auto at = [&](double q) { return micro[static_cast<std::size_t>(q * static_cast<double>(micro.size() - 1))]; };
    return {at(0.5), at(0.99), micro.back()};
}

}  // namespace

int main() {
    std::mt19937 random(7);
    const std::vector<Abbreviation> abbreviations = bench::randomAbbreviations(10000, random);
    AbbreviationMatcher matcher;
    matcher.setAbbreviations(abbreviations);

    test::Notepad notepad;
    if (!notepad.running()) {
        std::fprintf(stderr, "notepad did not start\n");
        return 1;
    }
    Win32WindowSystem windows;
    if (!windows.bringToForeground(reinterpret_cast<WindowId>(notepad.window()))) {
        std::fprintf(stderr, "notepad did not come to the front\n");
        return 1;
    }
    std::vector<LONGLONG> ticks;
    ticks.reserve(4096);
    Win32KeyboardWatch watch;
    watch.callbackTicks = &ticks;
    std::size_t matches = 0;
    // Matches are counted, not expanded: notepad's text then tells how many
    // keys have arrived.
    if (!watch.start({.key = [&](const TypedKey& key, WindowId) {
                          if (matcher.key(key)) ++matches;
                          return false;
                      },
                      .lost = [&] { matcher.reset(); }})) {
        std::fprintf(stderr, "the hook was refused\n");
        return 1;
    }
    // The program's watch runs long before the user types: what it does
    // after starting (learning the layout's keys) is done first.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    std::string typed;
    while (typed.size() < 2000) {
        typed += random() % 10 == 0 ? std::string("abc") : bench::randomWord(random);
        typed += ' ';
    }
    typed.resize(2000);
    if (!typeInto(notepad.edit(), typed)) return 1;
    watch.stop();
    if (ticks.empty()) {
        std::fprintf(stderr, "the hook saw no key\n");
        return 1;
    }
    // The floor: a bare hook that asks only the one question the callback
    // asks of the system at every key, where the keys go, for the same keys.
    std::vector<LONGLONG> question;
    question.reserve(4096);
    bareTicks = &question;
    HHOOK bare = SetWindowsHookExW(WH_KEYBOARD_LL, bareHook, GetModuleHandleW(nullptr), 0);
    SetWindowTextW(notepad.edit(), L"");
    const bool typedAgain = bare && typeInto(notepad.edit(), typed);
    if (bare) UnhookWindowsHookEx(bare);
    if (!typedAgain || question.empty()) {
        std::fprintf(stderr, "the bare hook saw no key\n");
        return 1;
    }
    const Spread callback = spreadOf(ticks), floor = spreadOf(question);
    std::printf("key presses %zu, abbreviations %zu, matches %zu\n", ticks.size(), matcher.size(), matches);
    std::printf("callback median %.1f us, p99 %.1f us, max %.1f us\n", callback.median, callback.p99, callback.max);
    std::printf("bare hook asking where the keys go: median %.1f us, p99 %.1f us, max %.1f us\n", floor.median,
                floor.p99, floor.max);
    return 0;
}
