#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

#include "common/sim_snippet_file.h"
#include "common/snippet_fixture.h"
#include "picker/picker_index.h"
#include "picker/recent_entries.h"
#include "platform/unicode.h"

namespace {

using namespace scrivlet;

// The first `letters` characters of a query.
std::string typedSoFar(std::string_view query, std::size_t letters) {
    std::size_t end = 0;
    for (std::size_t i = 0; i < letters && end < query.size(); ++i) end += utf8Length(query, end);
    return std::string(query.substr(0, end));
}

// The picker's index of a snippet file with the benchmark's number of entries
// on a simulated desktop of its own, read once.
struct PickerBench : bench::SimSnippetFile {
    PickerBench(const benchmark::State& state, const char* name, int textScale = 1)
        : SimSnippetFile(name, bench::snippetFileWithLetters(static_cast<int>(state.range(0)), textScale)) {
        index.refresh(file);
    }

    PickerIndex index{sim.files};
    RecentEntries recent;
};

// One keystroke in the picker's search field: the query before it is in
// place, and the time is that of the search with the letter typed. The
// second argument is how many letters of "rechnung müller" stand after it;
// the first letter searches everything, the others narrow what was found.
void PickerKeystroke(benchmark::State& state) {
    PickerBench bench(state, "scrivlet-bench-picker-keystroke");
    const std::string typed = "rechnung müller";
    const auto letters = static_cast<std::size_t>(state.range(1));
    const std::string before = typedSoFar(typed, letters - 1), after = typedSoFar(typed, letters);
    std::size_t found = 0;
    for (auto _ : state) {
        state.PauseTiming();
        benchmark::DoNotOptimize(bench.index.search(before, bench.recent));
        state.ResumeTiming();
        std::vector<EntryNumber> hits = bench.index.search(after, bench.recent);
        found = hits.size();
        benchmark::DoNotOptimize(hits);
    }
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(PickerKeystroke)
    ->ArgsProduct({{10000}, {1, 2, 3, 8, 9, 10, 11, 15}})
    ->ArgNames({"entries", "letters"})
    ->Iterations(200)  // the untimed search before each keystroke would multiply the run
    ->Unit(benchmark::kMillisecond);

// The slowest keystrokes: a query that finds nothing and narrows nothing (a
// letter typed at the front, or one taken away), so every name and every text
// is searched to its end. Two queries take turns: with a rare letter (which
// the search runs for), or of the most frequent letters only, whose every
// place in a text is a candidate. The texts are 282 characters long on
// average, or four times that.
void PickerKeystrokeFindingNothing(benchmark::State& state) {
    PickerBench bench(state, "scrivlet-bench-picker-nothing", static_cast<int>(state.range(2)));
    const bool frequentLetters = state.range(1) != 0;
    const std::string queries[] = {frequentLetters ? "einee" : "eqx", frequentLetters ? "neinee" : "enqx"};
    std::size_t turn = 0, found = 0;
    for (auto _ : state) {
        std::vector<EntryNumber> hits = bench.index.search(queries[turn++ % 2], bench.recent);
        found += hits.size();
        benchmark::DoNotOptimize(hits);
    }
    if (found != 0) state.SkipWithError("the queries found entries");
}
BENCHMARK(PickerKeystrokeFindingNothing)
    ->ArgsProduct({{10000}, {0, 1}, {1, 4}})
    ->ArgNames({"entries", "frequentLetters", "textScale"})
    ->Unit(benchmark::kMillisecond);

// The picker opened with an empty query: the recent entries, then all.
void PickerEmptyQuery(benchmark::State& state) {
    PickerBench bench(state, "scrivlet-bench-picker-empty");
    for (EntryNumber n : {EntryNumber{5}, EntryNumber{17}, EntryNumber{3}}) bench.recent.sent(n, bench.index.entry(n)->name);
    for (auto _ : state) benchmark::DoNotOptimize(bench.index.search("", bench.recent));
}
BENCHMARK(PickerEmptyQuery)->Arg(10000)->ArgName("entries")->Unit(benchmark::kMillisecond);

// Reading the index after a change of the file: names and texts by section,
// sorted into the menu's order, folded, previews made.
void PickerIndexRead(benchmark::State& state) {
    PickerBench bench(state, "scrivlet-bench-picker-read");
    for (auto _ : state) {
        // A touch of the file makes the profile read it afresh, as after a write.
        bench.sim.files.setAttributes(PickerBench::Path, {});
        PickerIndex index(bench.sim.files);
        index.refresh(bench.file);
        if (index.entries().size() != static_cast<std::size_t>(state.range(0)))
            state.SkipWithError("not every entry was read");
        benchmark::DoNotOptimize(index);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(PickerIndexRead)->Arg(1000)->Arg(10000)->ArgName("entries")->Unit(benchmark::kMillisecond);

}  // namespace
