#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

#include "common/snippet_fixture.h"
#include "platform/sim/sim_platform.h"
#include "store/snippet_file.h"

namespace {

using namespace scrivlet;

std::filesystem::path emptyFolder(const char* name) {
    const auto folder = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(folder);
    return folder;
}

// A snippet file of the benchmark's size on a simulated desktop of its own.
struct BenchFile {
    BenchFile(const benchmark::State& state, const char* name) : root(emptyFolder(name)), sim(root) {
        sim.files.createFolder("C:\\Scrivlet");
        sim.files.writeAll(Path, bench::snippetFileWithEntries(static_cast<int>(state.range(0))));
        file.setPath(Path);
    }
    ~BenchFile() { std::filesystem::remove_all(root); }

    static constexpr const char* Path = "C:\\Scrivlet\\Scrivlet.ini";
    std::filesystem::path root;
    SimPlatform sim;
    IniAccess ini{sim.profile};
    SnippetFile file{ini, sim.random};
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
