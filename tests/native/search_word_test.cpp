#include <gtest/gtest.h>

#include <string>

#include "picker/search_word.h"

namespace scrivlet {
namespace {

constexpr std::size_t None = std::string::npos;

// The search starts from the word's least frequent letter, wherever it stands: every match must still be found.
TEST(SearchWord, FindsWhereAPlainSearchFinds) {
    const struct { const char* text; const char* word; std::size_t from, at; } cases[] = {
        {"sehr geehrte damen", "geehrt", 0, 5}, {"sehr geehrte damen", "s", 0, 0}, {"sehr geehrte damen", "n", 0, 17},
        {"sehr geehrte damen", "e", 2, 6}, {"sehr geehrte damen", "damenx", 0, None}, {"quiz quiz", "quiz", 1, 5},
        {"quiz quiz", "quiz", 6, None}, {"aaaxq", "axq", 0, 2}, {"eeeeeeq", "eeq", 0, 4}, {"zahl 10 %", "10 %", 0, 5},
        {"", "a", 0, None}, {"abc", "c", 3, None}, {"a\xC3\xA9z", "\xC3\xA9", 0, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SearchWord(c.word).findIn(c.text, c.from), c.at) << c.word << " in " << c.text << " from " << c.from;
        EXPECT_EQ(std::string(c.text).find(c.word, c.from), c.at) << "the table itself: " << c.word;
    }
}

TEST(SearchWord, NeedsTheBaseFormOnlyWithAnUmlautLetterBeforeItsEnd) {
    const struct { const char* word; bool needs; } cases[] = {
        {"mull", true}, {"arg", true}, {"schon", true}, {"ue", true}, {"mu", false}, {"eqx", false}, {"herr", false}};
    for (const auto& c : cases) EXPECT_EQ(SearchWord(c.word).mayNeedBase(), c.needs) << c.word;
}

}  // namespace
}  // namespace scrivlet
