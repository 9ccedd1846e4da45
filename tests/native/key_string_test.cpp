#include <gtest/gtest.h>

#include "platform/key_string.h"

namespace scrivlet {
namespace {

using K = KeyStep::Kind;

TEST(KeyString, ReadsTheNotationTheProgramProduces) {
    const struct {
        const char* keys;
        std::vector<KeyStep> steps;
    } cases[] = {
        {"a~{TAB}", {{K::Character, 'a'}, {K::Enter, 0}, {K::Tab, 0}}},
        {"% BE", {{K::AltKey, ' '}, {K::Key, 'B'}, {K::Key, 'E'}}},
        {"^v", {{K::CtrlKey, 'v'}}},
        {"^V", {{K::CtrlKey, 'V'}}},
        // A letter after a chord is typed, not pressed as a menu's access key.
        {"^vb", {{K::CtrlKey, 'v'}, {K::Character, 'b'}}},
        {"{^}v", {{K::Character, '^'}, {K::Character, 'v'}}},
    };
    for (const auto& c : cases) {
        const auto steps = parseKeyString(c.keys);
        ASSERT_TRUE(steps.has_value()) << c.keys;
        EXPECT_EQ(*steps, c.steps) << c.keys;
    }
}

TEST(KeyString, RefusesWhatItCannotSendAndSaysWhere) {
    const struct {
        const char* keys;
        std::size_t position;
    } cases[] = {
        {"ab^", 2}, {"^1", 0}, {"x^ ", 1}, {"^~", 0}, {"^%a", 0}, {"%", 0}, {"a+b", 1},
    };
    for (const auto& c : cases) {
        KeyStringError error;
        EXPECT_FALSE(parseKeyString(c.keys, &error).has_value()) << c.keys;
        EXPECT_EQ(error.position, c.position) << c.keys;
    }
}

}  // namespace
}  // namespace scrivlet
