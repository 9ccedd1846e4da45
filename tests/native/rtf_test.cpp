// The RTF the editor is filled with and read back by: malformed input from the
// control or a paste never stops the program, and the markers' font is
// declared so that the font mapper keeps it.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/rtf.h"

namespace scrivlet {
namespace {

const ui::CharFormat Plain{0x000000, "Arial"};

struct Malformed {
    const char* label;
    std::string rtf;
    std::string text;
};

void PrintTo(const Malformed& m, std::ostream* out) { *out << m.label; }

class RtfReadingMalformed : public ::testing::TestWithParam<Malformed> {};

TEST_P(RtfReadingMalformed, GivesWhatIsReadableAndNeverThrows) {
    FormattedText read;
    EXPECT_NO_THROW(read = fromRtf(GetParam().rtf, Plain));
    EXPECT_EQ(read.text, GetParam().text);
    EXPECT_EQ(read.formats.size(), read.text.size());
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, RtfReadingMalformed,
    ::testing::Values(Malformed{"HexWithoutDigits", "{\\rtf1 a\\'zzb}", "azzb"},
                      Malformed{"HexWithOneDigit", "{\\rtf1 a\\'4}", "a4"},
                      Malformed{"HexCutOff", "{\\rtf1 a\\'", "a"},
                      Malformed{"TwentyDigitFont", "{\\rtf1\\f12345678901234567890 x}", "x"},
                      Malformed{"TwentyDigitNegativeColour", "{\\rtf1\\cf-99999999999999999999 x}", "x"},
                      Malformed{"TwentyDigitUnicode", "{\\rtf1\\u99999999999999999999?y}", "?y"},
                      Malformed{"TwentyDigitColourComponents",
                                "{\\rtf1{\\colortbl;\\red99999999999999999999\\green-5\\blue300;}\\cf1 x}", "x"},
                      Malformed{"UnbalancedGroups", "}}{\\rtf1 a}}}b", "ab"}),
    [](const auto& p) { return std::string(p.param.label); });

TEST(RtfReadingMalformed, ColourComponentsAreHeldToAByte) {
    const FormattedText read =
        fromRtf("{\\rtf1{\\colortbl;\\red99999999999999999999\\green-5\\blue300;}\\cf1 x}", Plain);
    ASSERT_EQ(read.formats.size(), 1u);
    EXPECT_EQ(read.formats[0].colour, 0xFF00FFu);
}

struct Charset {
    const char* font;
    const char* declared;
};

void PrintTo(const Charset& c, std::ostream* out) { *out << c.font; }

class RtfFontCharset : public ::testing::TestWithParam<Charset> {};

TEST_P(RtfFontCharset, WingdingsIsDeclaredAsSymbolFont) {
    const ui::CharFormat format{0x0000FF, GetParam().font};
    const std::string rtf = toRtf("a\xC3", {Plain, format}, Plain, 10, [](Colour c) { return c; });
    EXPECT_NE(rtf.find(std::string("\\f1\\fnil\\fcharset") + GetParam().declared + ' ' + GetParam().font + ';'),
              std::string::npos)
        << rtf;
    EXPECT_NE(rtf.find("{\\f0\\fnil\\fcharset0 Arial;}"), std::string::npos) << rtf;
}

INSTANTIATE_TEST_SUITE_P(Fonts, RtfFontCharset,
                         ::testing::Values(Charset{"wingdings", "2"}, Charset{"Wingdings", "2"},
                                           Charset{"Courier New", "0"}),
                         [](const auto& p) { return std::string(p.param.declared) + "_" + std::to_string(p.index); });

}  // namespace
}  // namespace scrivlet
