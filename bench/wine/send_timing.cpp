// Times typing into Wine's notepad: from the start of Win32KeyInjector::type
// until it returns, that is until notepad has taken the last key, for 100 and
// 2,000 characters. The floor is the same characters sent with one bare
// SendInput call and notepad's text polled until all of them are there; the
// ratio is what the chunks and the wait after each cost (medians of several
// rounds for the short text).
//
// Run under Wine: scripts/wine-run build/win64/bench/send_timing.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <utility>
#include <string>
#include <vector>

#include "../../tests/wine/desktop_test_support.h"
#include "platform/win32/win32_key_injector.h"
#include "platform/win32/win32_window_system.h"

namespace {

using namespace scrivlet;
using Milliseconds = std::chrono::duration<double, std::milli>;

// Letters and digits only: each is one character in notepad's text, so the
// length tells how many have arrived.
std::string textOf(std::size_t length) {
    const std::string alphabet = "abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text += alphabet[(i * 7) % alphabet.size()];
    return text;
}

std::size_t textLength(HWND edit) {
    return static_cast<std::size_t>(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0));
}

// Milliseconds until type() returned; negative when it failed or the text is wrong.
double injectorTime(test::Notepad& notepad, const std::string& text) {
    std::vector<KeyStep> steps;
    for (char c : text) steps.push_back({KeyStep::Kind::Character, static_cast<char32_t>(c)});
    Win32KeyInjector injector;
    const auto start = std::chrono::steady_clock::now();
    const TypingResult result = injector.type(reinterpret_cast<WindowId>(notepad.window()), steps);
    const Milliseconds took = std::chrono::steady_clock::now() - start;
    if (result != TypingResult::Typed || notepad.text() != text) return -1;
    return took.count();
}

// Milliseconds from one SendInput call with every character until notepad
// shows them all; negative when they do not all arrive.
double floorTime(test::Notepad& notepad, const std::string& text) {
    std::vector<INPUT> events;
    for (char c : text) {
        INPUT event{};
        event.type = INPUT_KEYBOARD;
        event.ki.wScan = static_cast<WORD>(static_cast<unsigned char>(c));
        event.ki.dwFlags = KEYEVENTF_UNICODE;
        events.push_back(event);
        event.ki.dwFlags |= KEYEVENTF_KEYUP;
        events.push_back(event);
    }
    const auto start = std::chrono::steady_clock::now();
    std::size_t sent = 0;
    while (sent < events.size()) {
        const UINT inserted = SendInput(static_cast<UINT>(events.size() - sent), events.data() + sent, sizeof(INPUT));
        if (inserted == 0) return -1;
        sent += inserted;
    }
    // Polled at a modest rate: every poll is a message notepad must answer
    // ahead of its keys.
    const HWND edit = notepad.edit();
    const bool complete = test::waitUntil([&] { return textLength(edit) >= text.size(); }, std::chrono::minutes(10));
    const Milliseconds took = std::chrono::steady_clock::now() - start;
    if (!complete || notepad.text() != text) return -1;
    return took.count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main() {
    test::Notepad notepad;
    if (!notepad.running()) {
        std::fprintf(stderr, "notepad did not start\n");
        return 1;
    }
    Win32WindowSystem windows;
    const auto ready = [&] {
        notepad.clear();
        return windows.bringToForeground(reinterpret_cast<WindowId>(notepad.window())) && notepad.text().empty();
    };
    std::printf("%10s %16s %16s %8s\n", "characters", "type() ms", "floor ms", "ratio");
    // Notepad's pace scatters from one run to the next by a third: the short
    // text is timed seven times in turns with its floor, and the medians
    // compared; the long one, which takes half a minute a pair, once.
    for (const auto& [length, rounds] : {std::pair<std::size_t, int>{100, 7}, std::pair<std::size_t, int>{2000, 1}}) {
        const std::string text = textOf(length);
        std::vector<double> typed, floor;
        for (int round = 0; round < rounds; ++round) {
            if (!ready()) return 1;
            typed.push_back(injectorTime(notepad, text));
            if (!ready()) return 1;
            floor.push_back(floorTime(notepad, text));
            if (typed.back() < 0 || floor.back() < 0) {
                std::fprintf(stderr, "%zu characters did not arrive complete\n", length);
                return 1;
            }
        }
        const double typedMedian = median(typed), floorMedian = median(floor);
        std::printf("%10zu %16.0f %16.0f %8.2f\n", length, typedMedian, floorMedian, typedMedian / floorMedian);
        std::fflush(stdout);
    }
    return 0;
}
