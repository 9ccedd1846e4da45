#pragma once
#include <cstdint>
#include <random>

#include "platform/random_source.h"

namespace scrivlet {

// Seeded once, on construction, from the system's cryptographic random source,
// so that two runs started within the same second still differ.
class Win32Random : public RandomSource {
public:
    Win32Random();
    double next() override;

private:
    std::mt19937_64 engine_;
};

}  // namespace scrivlet
