#pragma once
// What the abbreviations' benchmarks type and look for: lower-case words of
// two to eight letters, and abbreviations made of them, from the caller's
// seeded generator.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "store/abbreviation.h"

namespace scrivlet::bench {

inline std::string randomWord(std::mt19937& random) {
    std::uniform_int_distribution<int> length(2, 8), letter('a', 'z');
    std::string w;
    for (int i = length(random); i > 0; --i) w += static_cast<char>(letter(random));
    return w;
}

// Each one unique by its number, all naming the same entry.
inline std::vector<Abbreviation> randomAbbreviations(int count, std::mt19937& random) {
    std::vector<Abbreviation> abbreviations;
    for (int i = 0; i < count; ++i)
        abbreviations.push_back({randomWord(random) + std::to_string(i), "Eintrag", static_cast<std::int16_t>(1 + i % 32000), false});
    return abbreviations;
}

}  // namespace scrivlet::bench
