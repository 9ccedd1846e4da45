// The program's random numbers: uniform in [0, 1) and different every run.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <vector>

#include "platform/win32/win32_random.h"

namespace scrivlet::test {
namespace {

constexpr int Draws = 100000;

TEST(Win32Random, NumbersLieInTheHalfOpenUnitInterval) {
    Win32Random random;
    for (int i = 0; i < Draws; ++i) {
        const double value = random.next();
        ASSERT_GE(value, 0.0) << "draw " << i;
        ASSERT_LT(value, 1.0) << "draw " << i;
    }
}

TEST(Win32Random, NumbersSpreadEvenlyOverTheInterval) {
    Win32Random random;
    std::array<int, 10> tenths{};
    std::set<double> distinct;
    double sum = 0;
    for (int i = 0; i < Draws; ++i) {
        const double value = random.next();
        ++tenths[static_cast<std::size_t>(value * 10)];
        distinct.insert(value);
        sum += value;
    }
    // Bounds many standard deviations wide: only a broken generator misses them.
    EXPECT_NEAR(sum / Draws, 0.5, 0.01);
    for (std::size_t t = 0; t < tenths.size(); ++t)
        EXPECT_NEAR(tenths[t], Draws / 10, Draws / 50) << "tenth " << t;
    EXPECT_GT(distinct.size(), static_cast<std::size_t>(Draws - 10));
}

TEST(Win32Random, TwoGeneratorsMadeAtOnceDiffer) {
    Win32Random first;
    Win32Random second;
    std::vector<double> a, b;
    for (int i = 0; i < 8; ++i) {
        a.push_back(first.next());
        b.push_back(second.next());
    }
    EXPECT_NE(a, b);
}

}  // namespace
}  // namespace scrivlet::test
