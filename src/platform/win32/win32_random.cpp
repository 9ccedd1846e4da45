#include "platform/win32/win32_random.h"

#include <windows.h>
#include <ntsecapi.h>

#include <array>

namespace scrivlet {

namespace {

std::array<std::uint32_t, 8> entropy() {
    std::array<std::uint32_t, 8> words{};
    if (!RtlGenRandom(words.data(), static_cast<ULONG>(sizeof words))) {
        // RtlGenRandom has never been known to fail; should it, the C runtime's
        // source (rand_s) is the next best, and still not the clock.
        std::random_device device;
        for (auto& word : words) word = device();
    }
    return words;
}

std::mt19937_64 seededEngine() {
    const auto words = entropy();
    std::seed_seq seed(words.begin(), words.end());
    return std::mt19937_64(seed);
}

}  // namespace

Win32Random::Win32Random() : engine_(seededEngine()) {}

double Win32Random::next() {
    // The top 53 bits make a double in [0, 1) exactly; uniform_real_distribution
    // may round up to 1.0 in some library versions.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

}  // namespace scrivlet
