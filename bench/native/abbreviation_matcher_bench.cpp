#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "abbreviations/abbreviation_matcher.h"
#include "common/random_abbreviations.h"

namespace {

using namespace scrivlet;

// Each key the user types, with the matcher's answer timed on its own: the
// hook's callback does this per key. Typed is prose of random words, one in
// ten of them an abbreviation, between blanks, commas, full stops and Enter.
void MatchPerKey(benchmark::State& state, bool atOnce, bool ignoreCase) {
    std::mt19937 random(7);
    const std::vector<Abbreviation> abbreviations =
        bench::randomAbbreviations(static_cast<int>(state.range(0)), random);
    AbbreviationMatcher matcher;
    matcher.setAbbreviations(abbreviations);
    matcher.setSettings({.atOnce = atOnce, .ignoreCase = ignoreCase});

    std::vector<TypedKey> keys;
    std::uniform_int_distribution<std::size_t> pick(0, abbreviations.size() - 1);
    const char delimiters[] = {' ', ' ', ' ', ' ', ',', '.', '\r'};
    for (int w = 0; w < 2000; ++w) {
        const std::string typed = w % 10 == 0 ? abbreviations[pick(random)].abbreviation : bench::randomWord(random);
        for (char c : typed) keys.push_back({TypedKey::Kind::Character, static_cast<char32_t>(c)});
        const char d = delimiters[static_cast<std::size_t>(w) % std::size(delimiters)];
        keys.push_back(d == '\r' ? TypedKey{TypedKey::Kind::Enter, 0} : TypedKey{TypedKey::Kind::Character, static_cast<char32_t>(d)});
    }

    std::vector<double> nanoseconds;
    nanoseconds.reserve(1 << 20);
    std::size_t next = 0, matches = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const auto match = matcher.key(keys[next]);
        const auto end = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(match);
        if (match) ++matches;
        const double ns = std::chrono::duration<double, std::nano>(end - start).count();
        state.SetIterationTime(ns / 1e9);
        if (nanoseconds.size() < nanoseconds.capacity()) nanoseconds.push_back(ns);
        next = (next + 1) % keys.size();
    }
    std::sort(nanoseconds.begin(), nanoseconds.end());
    auto at = [&](double q) { return nanoseconds[static_cast<std::size_t>(q * static_cast<double>(nanoseconds.size() - 1))]; };
    state.counters["median_us"] = at(0.5) / 1000;
    state.counters["p99_us"] = at(0.99) / 1000;
    state.counters["max_us"] = nanoseconds.back() / 1000;
    state.counters["matches"] = static_cast<double>(matches);
}

BENCHMARK_CAPTURE(MatchPerKey, after_delimiter, false, false)->Arg(10000)->UseManualTime();
BENCHMARK_CAPTURE(MatchPerKey, at_once, true, false)->Arg(10000)->UseManualTime();
BENCHMARK_CAPTURE(MatchPerKey, ignoring_case, false, true)->Arg(10000)->UseManualTime();

}  // namespace
