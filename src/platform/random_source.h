#pragma once

namespace scrivlet {

// Uniform random numbers from a generator seeded once per run.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A number in [0, 1).
    virtual double next() = 0;
};

}  // namespace scrivlet
