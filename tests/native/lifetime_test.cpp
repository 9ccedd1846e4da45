// A handler that unloads the form whose click runs it, or a program that ends
// after its starter went: the code that called out must learn that its object
// is gone, and the watch it holds must not keep the object's token alive.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/lifetime.h"

namespace scrivlet {
namespace {

struct Ending {
    const char* label;
    void (*end)(std::unique_ptr<Lifetime>& owner);
    bool alive;
};

class LifetimeWatch : public ::testing::TestWithParam<Ending> {};

TEST_P(LifetimeWatch, TellsWhetherItsOwnerStillLives) {
    auto owner = std::make_unique<Lifetime>();
    const Lifetime::Watch watch = owner->watch();
    GetParam().end(owner);
    EXPECT_EQ(watch.alive(), GetParam().alive);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, LifetimeWatch,
    ::testing::Values(Ending{"Living", [](std::unique_ptr<Lifetime>&) {}, true},
                      Ending{"EndedInItsDestructor", [](std::unique_ptr<Lifetime>& o) { o->end(); }, false},
                      Ending{"Destroyed", [](std::unique_ptr<Lifetime>& o) { o.reset(); }, false}),
    [](const auto& p) { return std::string(p.param.label); });

}  // namespace
}  // namespace scrivlet
