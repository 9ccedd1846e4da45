#pragma once
#include <deque>

#include "platform/random_source.h"

namespace scrivlet::test {

// Returns the numbers given, then 0.
class ScriptedRandom : public RandomSource {
public:
    ScriptedRandom() = default;
    explicit ScriptedRandom(std::deque<double> values) : values_(std::move(values)) {}
    double next() override {
        if (values_.empty()) return 0.0;
        const double v = values_.front();
        values_.pop_front();
        return v;
    }
    // The draw that makes the salt exactly this value.
    static double saltDraw(unsigned salt) { return (salt + 0.5) / 65536.0; }

private:
    std::deque<double> values_;
};

}  // namespace scrivlet::test
