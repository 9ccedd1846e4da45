// Times how soon an entry starts to arrive in Wine's notepad, typed by the
// real scrivlet.exe two ways in the same run and in turns:
//  - abbreviation: "mfg" typed into notepad with SendInput keys, then the
//    blank that ends it pressed; timed from that press to the first
//    character of the entry's text in notepad's edit control, after the
//    Backspaces took the abbreviation away;
//  - menu: the icon's menu opened, the entry highlighted with Down, and
//    Enter pressed; timed from that press to the same first character.
// Prints the medians of each and the ratio abbreviation/menu: an
// abbreviation should start its text about as soon as the menu does. Beside
// them, what notepad alone needs for the abbreviation's part of it: the
// bench itself presses three Backspaces and a letter after "mfg", timed
// until the letter shows (under Wine notepad takes a key in some 5 to 10
// ms), and the median of each round's abbreviation less its bare keys.
//
// Run under Wine with SCRIVLET_EXE set (scripts/bench does).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/settle_file.h"
#include "common/wine_timing.h"
#include "e2e/desktop_driver.h"
#include "tracking/own_caption.h"

namespace {

using namespace scrivlet::bench;

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

const std::string MainCaption = scrivlet::ownCaption("", true);
constexpr UINT IconMessage = 1024;
const std::string EntryText = "Mit freundlichen Gruessen";
constexpr int Rounds = 10;

// Two entries, the first in the menu the one the abbreviation names.
const std::string SnippetFile =
    "[Name]\r\n1=Grussformel\r\n2=Zeile\r\n"
    "[Text]\r\n1=" + EntryText + "\r\n2=Hauptstr. 1\r\n"
    "[Crypt]\r\n1=0\r\n2=0\r\n"
    "[Kuerzel]\r\nmfg=Grussformel\r\n"
    "[Common]\r\nPumMode=0\r\nAbbrevOn=1\r\n";

// Keys as a keyboard gives them: a virtual key per letter, Enter for CR,
// Backspace for BS.
void typeKeys(const std::string& keys) {
    std::vector<INPUT> events;
    for (char c : keys)
        for (bool up : {false, true}) {
            INPUT event{};
            event.type = INPUT_KEYBOARD;
            event.ki.wVk = c == '\r'  ? VK_RETURN
                           : c == ' ' ? VK_SPACE
                           : c == '\b' ? VK_BACK
                                       : static_cast<WORD>(c - 'a' + 'A');
            event.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            events.push_back(event);
        }
    SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
}

class Bench {
public:
    Bench(e2e::Notepad& notepad, const e2e::Process& app, HWND main)
        : notepad_(notepad), processId_(app.id()), process_(app.handle()), main_(main) {}

    // The blank after "mfg" to the entry's first character; a new line
    // first, so that the abbreviation begins a word whatever came before.
    double abbreviation() {
        const std::string before = notepad_.text() + "\r\n";
        typeKeys("\rmfg");
        if (!pollUntil([&] { return notepad_.text() == before + "mfg"; }, 20000)) return fail("mfg not typed");
        settle();
        const auto start = Clock::now();
        typeKeys(" ");
        if (!pollUntil([&] { return startsWith(before + EntryText.substr(0, 1)); }, 20000))
            return fail("the abbreviation's text did not begin");
        const Milliseconds took = Clock::now() - start;
        return finish(before + EntryText + " ") ? took.count() : -1;
    }

    // The three Backspaces and a letter pressed by the bench after "mfg"
    // (no blank: nothing expands) to the letter in notepad.
    double erasure() {
        const std::string before = notepad_.text() + "\r\n";
        typeKeys("\rmfg");
        if (!pollUntil([&] { return notepad_.text() == before + "mfg"; }, 20000)) return fail("mfg not typed");
        settle();
        const auto start = Clock::now();
        typeKeys("\b\b\bx");
        if (!pollUntil([&] { return notepad_.text() == before + "x"; }, 20000))
            return fail("the Backspaces and the letter did not arrive");
        const Milliseconds took = Clock::now() - start;
        return finish(before + "x") ? took.count() : -1;
    }

    // Enter on the highlighted entry of the icon's menu to its first character.
    double menu() {
        const std::string before = notepad_.text();
        PostMessageA(main_, IconMessage, 0, WM_LBUTTONDOWN);
        if (!pollUntil([&] { return menuShown(processId_); }, 20000)) return fail("no menu");
        e2e::pressKey(VK_DOWN);
        settle();
        const auto start = Clock::now();
        e2e::pressKey(VK_RETURN);
        if (!pollUntil([&] { return startsWith(before + EntryText.substr(0, 1)); }, 20000))
            return fail("the chosen entry's text did not begin");
        const Milliseconds took = Clock::now() - start;
        return finish(before + EntryText) ? took.count() : -1;
    }

private:
    bool startsWith(const std::string& prefix) const { return notepad_.text().compare(0, prefix.size(), prefix) == 0; }

    // The keys before the timed one have been taken by every thread on
    // their way, and the program waits for messages again.
    void settle() {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &ignored);
        Sleep(150);
    }

    // The program waits for notepad to take its last key with the same
    // sentinel key waitUntilKeysTaken sends: the two must not overlap. Its
    // typing is over when it has used no processor time for 100 ms.
    bool waitUntilIdle() {
        const auto deadline = Clock::now() + std::chrono::seconds(20);
        double before = cpuMilliseconds();
        while (Clock::now() < deadline) {
            Sleep(100);
            const double now = cpuMilliseconds();
            if (now == before) return true;
            before = now;
        }
        return false;
    }

    double cpuMilliseconds() const {
        FILETIME created, ended, kernel, user;
        if (!GetProcessTimes(process_, &created, &ended, &kernel, &user)) return -1;
        const auto value = [](const FILETIME& t) {
            return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) /
                   1e4;
        };
        return value(kernel) + value(user);
    }

    // The whole text is there, the program has finished its typing, and
    // notepad has taken every key.
    bool finish(const std::string& expected) {
        const char* fault = nullptr;
        DWORD_PTR ignored = 0;
        if (!pollUntil([&] { return notepad_.text() == expected; }, 20000))
            fault = "the text is incomplete";
        else if (!waitUntilIdle())
            fault = "scrivlet.exe does not finish its typing";
        else if (!e2e::waitUntilKeysTaken(notepad_.window()))
            fault = "notepad did not take its keys";
        else if (!SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &ignored))
            fault = "scrivlet.exe does not answer";
        else if (GetForegroundWindow() != notepad_.window())
            fault = "notepad is no longer in front";
        if (fault) fail(fault);
        return !fault;
    }

    double fail(const char* what) {
        std::fprintf(stderr, "%s; notepad shows \"%s\"\n", what, notepad_.text().c_str());
        return -1;
    }

    e2e::Notepad& notepad_;
    DWORD processId_;
    HANDLE process_;
    HWND main_;
};

}  // namespace

int main() {
    const char* exe = std::getenv("SCRIVLET_EXE");
    if (!exe) {
        std::printf("SCRIVLET_EXE is not set\n");
        return 1;
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Morwick Software");
    const std::string folder = e2e::freshFolder("abbreviation-start");
    CopyFileA(exe, (folder + "\\scrivlet.exe").c_str(), FALSE);
    const std::string file = folder + "\\Scrivlet.ini";
    e2e::writeFile(file, SnippetFile);
    scrivlet::bench::settleFile(file);

    e2e::Process app("\"" + folder + "\\scrivlet.exe\"", folder);
    const HWND main = e2e::waitForWindow(app.id(), MainCaption);
    // Loaded (the list filled) means the keyboard is watched.
    if (!main || !e2e::waitFor([&] { return e2e::listBoxItems(e2e::findChild(main, "ListBox")).size() == 2; })) {
        std::fprintf(stderr, "scrivlet.exe did not start\n");
        return 1;
    }
    e2e::Notepad notepad;
    // The menu opens at the mouse, away from notepad.
    e2e::moveMouse(900, 700);
    if (!notepad.window() || !e2e::clickToFront(notepad.window())) {
        std::fprintf(stderr, "notepad did not come to the front\n");
        return 1;
    }
    e2e::moveMouse(900, 700);
    Bench bench(notepad, app, main);
    // Once each untimed: the first menu and the first send set things up.
    if (bench.abbreviation() < 0 || bench.menu() < 0) return 1;
    std::vector<double> typed, chosen, bare;
    for (int round = 0; round < Rounds; ++round) {
        typed.push_back(bench.abbreviation());
        chosen.push_back(bench.menu());
        bare.push_back(bench.erasure());
        if (typed.back() < 0 || chosen.back() < 0 || bare.back() < 0) return 1;
    }
    const auto show = [](const char* label, const std::vector<double>& times) {
        std::printf("%-44s", label);
        for (double t : times) std::printf(" %6.1f", t);
        std::printf("\n");
    };
    show("abbreviation, blank to first character (ms)", typed);
    show("menu, Enter to first character (ms)", chosen);
    show("bare, 3 Backspaces and a letter (ms)", bare);
    // Rounds follow each other closely: a round's difference leaves out most
    // of what other work on the machine adds to both.
    std::vector<double> beyondBare;
    for (std::size_t round = 0; round < typed.size(); ++round) beyondBare.push_back(typed[round] - bare[round]);
    const double a = median(typed), b = median(chosen);
    std::printf("Entry start, median of %d: abbreviation %.1f ms, menu %.1f ms, ratio %.2f; "
                "bare Backspaces and letter %.1f ms, abbreviation beyond them %.1f ms\n",
                Rounds, a, b, a / b, median(bare), median(beyondBare));
    PostMessageA(main, WM_CLOSE, 0, 0);
    app.waitForExit();
    return 0;
}
