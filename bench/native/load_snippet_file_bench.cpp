#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

#include "common/snippet_fixture.h"
#include "platform/sim/sim_platform.h"
#include "store/snippet_file.h"

namespace {

using namespace scrivlet;

// Loading reads the name and title of every entry (one section read each), the
// ignore list and the options, as at every start and after every change of the
// file's location.
void LoadSnippetFile(benchmark::State& state) {
    const auto root = std::filesystem::temp_directory_path() / "scrivlet-bench-load";
    std::filesystem::remove_all(root);
    SimPlatform sim(root);
    sim.files.createFolder("C:\\Scrivlet");
    sim.files.writeAll("C:\\Scrivlet\\Scrivlet.ini",
                       bench::snippetFileWithEntries(static_cast<int>(state.range(0))));
    IniAccess ini(sim.profile);
    SnippetFile file(ini, sim.random);
    file.setPath("C:\\Scrivlet\\Scrivlet.ini");
    for (auto _ : state) {
        // A touch of the file makes every load read it afresh, as after a write.
        sim.files.setAttributes("C:\\Scrivlet\\Scrivlet.ini", {});
        SnippetList list = file.load();
        benchmark::DoNotOptimize(list);
        if (list.entries.size() != static_cast<std::size_t>(state.range(0)))
            state.SkipWithError("not every entry was loaded");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    std::filesystem::remove_all(root);
}
BENCHMARK(LoadSnippetFile)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The names of all entries, as the pop-up menu reads them at every opening: one
// read of the section "Name", the file unchanged since the last opening.
void ReadEntryNames(benchmark::State& state) {
    const auto root = std::filesystem::temp_directory_path() / "scrivlet-bench-names";
    std::filesystem::remove_all(root);
    SimPlatform sim(root);
    sim.files.createFolder("C:\\Scrivlet");
    sim.files.writeAll("C:\\Scrivlet\\Scrivlet.ini",
                       bench::snippetFileWithEntries(static_cast<int>(state.range(0))));
    IniAccess ini(sim.profile);
    SnippetFile file(ini, sim.random);
    file.setPath("C:\\Scrivlet\\Scrivlet.ini");
    for (auto _ : state) {
        std::vector<NamedEntry> names = file.readNames();
        benchmark::DoNotOptimize(names);
        if (names.size() != static_cast<std::size_t>(state.range(0)))
            state.SkipWithError("not every name was read");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    std::filesystem::remove_all(root);
}
BENCHMARK(ReadEntryNames)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
