#include <gtest/gtest.h>

#include "store/storage_escape.h"

namespace scrivlet {
namespace {

TEST(StorageEscape, EveryByteRoundTripsAndNothingBreaksTheLine) {
    std::string all;
    for (int c = 1; c <= 255; ++c) all += static_cast<char>(c);
    const std::string stored = escapeText(all);
    EXPECT_EQ(stored.find('\r'), std::string::npos);
    EXPECT_EQ(stored.find('\n'), std::string::npos);
    EXPECT_EQ(stored.find('\t'), std::string::npos);
    EXPECT_EQ(stored.find('"'), std::string::npos);
    EXPECT_EQ(unescapeText(stored), all);
    for (int c = 1; c <= 255; ++c) {
        const std::string one(1, static_cast<char>(c));
        EXPECT_EQ(unescapeText(escapeText(one)), one) << "byte " << c;
    }
}

TEST(StorageEscape, EscapesAsStored) {
    EXPECT_EQ(escapeText("a\\b\tc\nd\re\"f"), "a\\\\b\\Tc\\Ld\\Ne\\Hf");
}

TEST(StorageEscape, UnescapeReadsWhatOtherWritersLeft) {
    const struct {
        const char* stored;
        const char* text;
    } cases[] = {
        {"\\t\\n\\l\\h", "\t\r\n\""},   // either letter case
        {"abc\\", "abc"},               // a lone backslash at the end is dropped
        {"\\x\\Q\\1", "xQ1"},           // any other marked character stands for itself
        {"\\\\N", "\\N"},               // an escaped backslash does not mark the N
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(unescapeText(c.stored), c.text) << c.stored;
}

}  // namespace
}  // namespace scrivlet
