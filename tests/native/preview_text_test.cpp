#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "picker/preview_text.h"

namespace scrivlet {
namespace {

TEST(PreviewText, FirstLinesWithEnterAndTabAsSymbols) {
    const auto times = [](const std::string& s, int n) { std::string out; while (n--) out += s; return out; };
    const std::string x160(160, 'x'), ae160 = times("ä", 160);
    const struct { const char* label; std::string text; std::vector<std::string> lines; } cases[] = {
        {"Enter ends a line", "Hallo\rWelt", {"Hallo¶", "Welt"}}, {"LF after Enter belongs to it", "a\r\nb", {"a¶", "b"}},
        {"a line feed of its own", "x\ny", {"x", "y"}}, {"Tab", "Nr.\t%datum%", {"Nr.→%datum%"}},
        {"three lines at most", "1\r2\r3\r4", {"1¶", "2¶", "3¶"}}, {"a final Enter starts no line", "a\r", {"a¶"}},
        {"empty lines show their Enter", "a\r\r\rb", {"a¶", "¶", "¶"}}, {"empty text", "", {}}, {"just long enough", x160, {x160}},
        {"a longer line is cut", x160 + "yyy\rzwei", {x160 + "…¶", "zwei"}}, {"cut by characters", ae160 + "ö", {ae160 + "…"}},
        {"a Tab counts as one character", times("\t", 161), {times("→", 160) + "…"}},
    };
    for (const auto& c : cases) EXPECT_EQ(previewLines(c.text), c.lines) << c.label;
}

}  // namespace
}  // namespace scrivlet
