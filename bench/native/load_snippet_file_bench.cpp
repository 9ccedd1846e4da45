#include <benchmark/benchmark.h>

#include <vector>

#include "common/sim_snippet_file.h"
#include "common/snippet_fixture.h"

namespace {

using namespace scrivlet;

// A snippet file of the benchmark's size on a simulated desktop of its own.
struct BenchFile : bench::SimSnippetFile {
    BenchFile(const benchmark::State& state, const char* name)
        : SimSnippetFile(name, bench::snippetFileWithEntries(static_cast<int>(state.range(0)))) {}
};

// Loading reads the name and title of every entry (one section read each), the
// ignore list and the options, as at every start and after every change of the
// file's location.
void LoadSnippetFile(benchmark::State& state) {
    BenchFile bench(state, "scrivlet-bench-load");
    for (auto _ : state) {
        // A touch of the file makes every load read it afresh, as after a write.
        bench.sim.files.setAttributes(BenchFile::Path, {});
        SnippetList list = bench.file.load();
        benchmark::DoNotOptimize(list);
        if (list.entries.size() != static_cast<std::size_t>(state.range(0)))
            state.SkipWithError("not every entry was loaded");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(LoadSnippetFile)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The names of all entries, as the pop-up menu reads them at every opening: one
// read of the section "Name", the file unchanged since the last opening.
void ReadEntryNames(benchmark::State& state) {
    BenchFile bench(state, "scrivlet-bench-names");
    for (auto _ : state) {
        std::vector<NamedEntry> names = bench.file.readNames();
        benchmark::DoNotOptimize(names);
        if (names.size() != static_cast<std::size_t>(state.range(0)))
            state.SkipWithError("not every name was read");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ReadEntryNames)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
