#pragma once
// What every harness shares: a property check that stops the run with the
// input kept, and a simulated desktop on a host folder of its own.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unistd.h>

#include "platform/sim/sim_platform.h"
#include "platform/unicode.h"

namespace scrivlet::fuzz {

#define FUZZ_CHECK(condition)                                                                         \
    do {                                                                                              \
        if (!(condition)) {                                                                           \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                             \
        }                                                                                             \
    } while (false)

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The input as UTF-16 code units (unpaired surrogates included), in the
// program's own form of text: what an edit control or a window could give it.
inline std::string textOf(const std::uint8_t* data, std::size_t size) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        units += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    return fromUtf16(units);
}

// Splits the input at the first NUL: two independent inputs from one.
inline std::pair<std::string_view, std::string_view> split(std::string_view input) {
    const auto nul = input.find('\0');
    if (nul == std::string_view::npos) return {input, {}};
    return {input.substr(0, nul), input.substr(nul + 1)};
}

// One simulated desktop for the whole run, on a fresh host folder that goes
// when the process ends.
class Desktop {
public:
    static SimPlatform& sim() {
        static Desktop desktop;
        return *desktop.sim_;
    }

private:
    Desktop() {
        root_ = std::filesystem::temp_directory_path() / ("scrivlet-fuzz-" + std::to_string(getpid()));
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
        sim_ = std::make_unique<SimPlatform>(root_);
    }
    ~Desktop() {
        sim_.reset();
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    std::filesystem::path root_;
    std::unique_ptr<SimPlatform> sim_;
};

}  // namespace scrivlet::fuzz
