// Times loading a snippet file of 1,000 and 10,000 entries through the real
// profile functions, the way the program loads at start, and reading the names
// of its entries, the way the pop-up menu does at every opening.
//
// Wine answers from the file as it parsed it last only while the file's time of
// last write is more than 2.1 seconds past; for two seconds after a write it
// parses the whole file again at every call. The names are timed both ways.
//
// With --one-key-at-a-time the names are also read one key per call, as the
// program did before it read whole sections, for comparison.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "common/settle_file.h"
#include "common/snippet_fixture.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_profile.h"
#include "platform/win32/win32_random.h"
#include "store/snippet_file.h"

namespace {

using namespace scrivlet;

struct Timing {
    double median = 0;
    double best = 0;
};

// Runs the work `runs` times, `prepare` before each run and outside the time.
Timing timed(int runs, const std::function<void()>& prepare, const std::function<bool()>& work) {
    std::vector<double> took;
    for (int run = 0; run < runs; ++run) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        if (!work()) return {-1, -1};
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - start;
        took.push_back(elapsed.count());
    }
    std::sort(took.begin(), took.end());
    return {took[took.size() / 2], took.front()};
}


// The names as the program read them before, one key per call.
std::size_t namesOneKeyAtATime(IniAccess& ini, const std::string& path) {
    std::size_t count = 0;
    for (int n = 1; n <= MaxEntries; ++n) {
        if (ini.read("Name", std::to_string(n), "", path).empty()) break;
        ++count;
    }
    return count;
}

void report(const char* what, int count, const char* how, const Timing& timing) {
    if (timing.median < 0)
        std::printf("%s/%d (%s): FAILED, not every entry was read\n", what, count, how);
    else
        std::printf("%s/%d (%s): median %.1f ms, best %.1f ms\n", what, count, how,
                    timing.median, timing.best);
}

}  // namespace

int main(int argc, char** argv) {
    const bool oneKeyAtATime = argc > 1 && std::strcmp(argv[1], "--one-key-at-a-time") == 0;
    Win32Profile profile;
    Win32FileSystem files;
    Win32Random random;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "scrivlet-bench-load.ini";
    bool allRead = true;

    for (int count : {1000, 10000}) {
        const std::string bytes = bench::snippetFileWithEntries(count);
        const auto expected = static_cast<std::size_t>(count);
        IniAccess ini(profile);
        SnippetFile file(ini, random);
        file.setPath(path);
        // Rewriting the file makes the profile code read it afresh, as after any
        // change, so no run profits from the previous one's parse.
        const auto rewrite = [&] { files.writeAll(path, bytes); };
        const auto nothing = [] {};

        const auto load = timed(5, rewrite, [&] { return file.load().entries.size() == expected; });
        report("LoadSnippetFile", count, "win32 profile functions under Wine, just written", load);

        const auto names = [&] { return file.readNames().size() == expected; };
        const Timing fresh = timed(5, rewrite, names);
        report("ReadEntryNames", count, "just written", fresh);
        rewrite();
        scrivlet::bench::settleFile(path);
        file.readNames();  // the first opening after a change parses the file
        const Timing settled = timed(5, nothing, names);
        report("ReadEntryNames", count, "file unchanged", settled);
        allRead = allRead && load.median >= 0 && fresh.median >= 0 && settled.median >= 0;

        if (oneKeyAtATime) {
            const auto keys = [&] { return namesOneKeyAtATime(ini, path) == expected; };
            const Timing keysSettled = timed(3, nothing, keys);
            report("ReadEntryNames", count, "file unchanged, one key per call", keysSettled);
            // Two seconds after a write every call parses the file again: one run,
            // and only of the smaller file, which takes seconds already.
            if (count == 1000) {
                const Timing keysFresh = timed(1, rewrite, keys);
                report("ReadEntryNames", count, "just written, one key per call", keysFresh);
            }
        }
    }
    files.remove(path);
    return allRead ? 0 : 1;
}
