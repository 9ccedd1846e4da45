#pragma once
#include <random>

#include "platform/random_source.h"

namespace scrivlet {

// A repeatable generator: the same seed gives the same numbers.
class SimRandom : public RandomSource {
public:
    explicit SimRandom(unsigned seed = 338) : engine_(seed) {}
    double next() override { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }

private:
    std::mt19937 engine_;
};

}  // namespace scrivlet
