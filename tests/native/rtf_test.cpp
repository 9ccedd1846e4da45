// The RTF the editor is filled with and read back by: text and formats come
// back as they were written, every character included; RTF as RichEdit writes
// it is read in each font's character set; malformed input from the control or
// a paste never stops the program; and the markers' font is declared so that
// the font mapper keeps it.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/rtf.h"
#include "transmit/key_notation.h"

namespace scrivlet {

namespace ui {
// Readable failures: the colour and the font of a character.
[[maybe_unused]] static void PrintTo(const CharFormat& format, std::ostream* out) {
    *out << std::hex << format.colour << std::dec << ' ' << format.font;
}
}  // namespace ui

namespace {

using ui::CharFormat;

const CharFormat Plain{0x000000, "Arial"};
const CharFormat Red{0x0000FF, "Arial"};
const CharFormat Mono{0xFF8000, "Courier New"};
const CharFormat Marker{0x0000FF, "Wingdings"};

Colour rgb(Colour c) { return c & 0xFFFFFF; }

// A text of runs in their formats, with a format for every byte.
FormattedText runs(const std::vector<std::pair<std::string, CharFormat>>& pieces) {
    FormattedText result;
    for (const auto& [text, format] : pieces) {
        result.text += text;
        result.formats.insert(result.formats.end(), text.size(), format);
    }
    return result;
}

// ---- writing and reading back

struct RoundTrip {
    const char* label;
    FormattedText written;
};

void PrintTo(const RoundTrip& c, std::ostream* out) { *out << c.label; }

class RtfRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(RtfRoundTrip, ReadingWhatWasWrittenGivesTextAndFormats) {
    const FormattedText& c = GetParam().written;
    const FormattedText read = fromRtf(toRtf(c.text, c.formats, Plain, 10, rgb), Plain);
    EXPECT_EQ(read.text, c.text);
    EXPECT_EQ(read.formats, c.formats);
}

const std::string EnterMarkerText(EnterMarker), TabMarkerText(TabMarker);

INSTANTIATE_TEST_SUITE_P(
    Texts, RtfRoundTrip,
    ::testing::Values(
        RoundTrip{"Empty", {}}, RoundTrip{"Plain", runs({{"Hallo", Plain}})},
        RoundTrip{"Markers", runs({{"a", Plain}, {TabMarkerText, Marker}, {"b", Plain}, {EnterMarkerText, Marker}})},
        RoundTrip{"LettersLikeTheMarkersStayLetters", runs({{"Ãð", Plain}, {EnterMarkerText, Marker}, {"ð", Red}})},
        RoundTrip{"LineBreaks", runs({{"a", Plain}, {"\r\n\r\n", Mono}, {"b", Plain}})},
        RoundTrip{"RtfCharacters", runs({{"{\\}", Mono}})},
        RoundTrip{"Umlauts", runs({{"Größe €", Plain}})},
        RoundTrip{"BeyondWindows1252", runs({{"Łódź ", Plain}, {"При ✓", Red}})},
        RoundTrip{"BeyondUFFFF", runs({{"a😀b", Plain}})},
        RoundTrip{"LoneSurrogates", runs({{"x\xED\xA0\xBD" "y\xED\xB8\x80", Plain}})},
        RoundTrip{"LettersInTheSymbolFont", runs({{"a{Ã", Marker}})},
        RoundTrip{"Tab", runs({{"a\tb", Red}})},
        RoundTrip{"ControlCharacter", runs({{"a\x01z", Plain}})}),
    [](const auto& p) { return std::string(p.param.label); });

struct Spelling {
    const char* label;
    FormattedText text;
    const char* rtf;  // how its characters appear in the RTF
};

void PrintTo(const Spelling& c, std::ostream* out) { *out << c.label; }

class RtfWritingCharacters : public ::testing::TestWithParam<Spelling> {};

TEST_P(RtfWritingCharacters, AreAsciiInTheFontsTerms) {
    const Spelling& c = GetParam();
    const std::string rtf = toRtf(c.text.text, c.text.formats, Plain, 10, rgb);
    EXPECT_NE(rtf.find(c.rtf), std::string::npos) << rtf;
    for (char b : rtf) EXPECT_LT(static_cast<unsigned char>(b), 0x80) << rtf;
}

INSTANTIATE_TEST_SUITE_P(
    Characters, RtfWritingCharacters,
    ::testing::Values(Spelling{"Windows1252Letter", runs({{"ä", Plain}}), " \\u228?}"},
                      Spelling{"LetterBeyond", runs({{"Ł", Plain}}), " \\u321?}"},
                      Spelling{"NegativeUnit", runs({{"\xEF\xBF\xBD", Plain}}), " \\u-3?}"},
                      Spelling{"SurrogatePair", runs({{"😀", Plain}}), " \\u-10179?\\u-8704?}"},
                      Spelling{"EnterMarkerAsTheFontsCode", runs({{EnterMarkerText, Marker}}), " \\'c3}"},
                      Spelling{"TabMarkerAsTheFontsCode", runs({{TabMarkerText, Marker}}), " \\'f0}"},
                      Spelling{"LetterInTheSymbolFont", runs({{"a", Marker}}), " \\u97?}"},
                      Spelling{"MarkerCodeInAnotherFont", runs({{EnterMarkerText, Plain}}), " \\u-3901?}"},
                      Spelling{"BraceInAnsiFont", runs({{"{", Plain}}), " \\{}"}),
    [](const auto& p) { return std::string(p.param.label); });

TEST(RtfWriting, SystemColoursAreWrittenAsTheirRgb) {
    const std::string rtf =
        toRtf("x", {CharFormat{0x80000008, "Arial"}}, Plain, 10, [](Colour c) -> Colour { return c ? 0x123456 : 0; });
    EXPECT_NE(rtf.find("\\red86\\green52\\blue18;"), std::string::npos) << rtf;
}

TEST(RtfWriting, AnEmptyTextStillNamesTheStandardFormat) {
    const std::string rtf = toRtf("", {}, Mono, 10, rgb);
    EXPECT_NE(rtf.find("{\\fonttbl{\\f0\\fnil\\fcharset0 Courier New;}}"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\red0\\green128\\blue255;"), std::string::npos) << rtf;
}

// ---- RTF as RichEdit writes it

struct Written {
    const char* label;
    const char* rtf;
    FormattedText read;
};

void PrintTo(const Written& c, std::ostream* out) { *out << c.label; }

class RtfAsRichEditWritesIt : public ::testing::TestWithParam<Written> {};

TEST_P(RtfAsRichEditWritesIt, GivesTextAndFormats) {
    const Written& c = GetParam();
    const FormattedText read = fromRtf(c.rtf, Plain);
    EXPECT_EQ(read.text, c.read.text);
    EXPECT_EQ(read.formats, c.read.formats);
}

#define WINGDINGS_TABLE "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fnil\\fcharset2 Wingdings;}}"

INSTANTIATE_TEST_SUITE_P(
    Samples, RtfAsRichEditWritesIt,
    ::testing::Values(
        Written{"AutomaticColourAndClosingParagraph",
                "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0\\deflang1031\\deflangfe1031{\\fonttbl{\\f0\\fcharset0 "
                "Arial;}}\r\n{\\colortbl;}\r\n{\\*\\generator Wine Riched20 2.0;}\r\n\\pard\\f0\\fs20 ab\\par\r\n}",
                runs({{"ab\r\n", Plain}})},
        Written{"ColourTableAndFontTable",
                "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\fnil Courier New;}}{\\colortbl;\\red0\\green128"
                "\\blue255;}\\pard\\cf1\\f1 x\\cf0\\f0 y}",
                runs({{"x", Mono}, {"y", Plain}})},
        Written{"HexAndUnicodeCharacters",
                "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\uc1\\f0 \\'f0\\'80\\u8364?\\u26085?\\tab}",
                runs({{"ð€€日\t", Plain}})},
        Written{"RawBytesAreWindows1252", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Gr\xFC\xDF" "e}",
                runs({{"Grüße", Plain}})},
        Written{"SurrogatePair", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 a\\u-10179?\\u-8704?b}",
                runs({{"a😀b", Plain}})},
        Written{"LoneSurrogatesStayAlone",
                "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 \\u-10179?x\\u-8704?\\u-10179?\\par}",
                runs({{"\xED\xA0\xBD" "x\xED\xB8\x80\xED\xA0\xBD\r\n", Plain}})},
        Written{"SkipCounts", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0{\\uc0\\u321 a}{\\uc2\\u243\\'f3\\'3fd}\\u378?}",
                runs({{"Łaódź", Plain}})},
        Written{"MarkersInTheSymbolFont",
                "{\\rtf1\\ansi\\ansicpg1252\\deff0" WINGDINGS_TABLE
                "{\\colortbl ;\\red255\\green0\\blue0;}\\f1\\cf1\\'c3\\par\\f0\\cf0 \\'c3 \\f1\\cf1\\'f0 a}",
                runs({{EnterMarkerText + "\r\n", Marker}, {"Ã ", Plain}, {TabMarkerText + "\xEF\x80\xA0\xEF\x81\xA1",
                                                                          Marker}})},
        Written{"SymbolFontKnownByItsName",
                "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Wingdings;}}{\\colortbl ;\\red255\\green0\\blue0;}"
                "\\f1\\cf1\\'f0}",
                runs({{TabMarkerText, Marker}})},
        Written{"TypographicWords", "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\lquote\\rquote\\ldblquote\\rdblquote"
                                    "\\bullet\\endash\\emdash\\~}",
                runs({{"‘’“”•–—\xC2\xA0", Plain}})},
        Written{"GroupsRestoreTheFormat",
                "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\\f0 a{\\cf1 b}c\\line d}",
                runs({{"a", Plain}, {"b", Red}, {"c\vd", Plain}})},
        Written{"SkippedDestinations",
                "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}{\\*\\unknown x}"
                "\\f0 ok}",
                runs({{"ok", Plain}})}),
    [](const auto& p) { return std::string(p.param.label); });

// ---- malformed RTF

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
                      // Only the low 16 bits of the number count, as in RichEdit.
                      Malformed{"TwentyDigitUnicode", "{\\rtf1\\u99999999999999999999?y}", "\xEF\xBF\xBFy"},
                      Malformed{"UnicodeWithoutNumber", "{\\rtf1\\u x}", "?"},
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

// ---- the markers' font

struct Charset {
    const char* font;
    const char* declared;
};

void PrintTo(const Charset& c, std::ostream* out) { *out << c.font; }

class RtfFontCharset : public ::testing::TestWithParam<Charset> {};

TEST_P(RtfFontCharset, WingdingsIsDeclaredAsSymbolFont) {
    const FormattedText text = runs({{"a", Plain}, {EnterMarkerText, CharFormat{0x0000FF, GetParam().font}}});
    const std::string rtf = toRtf(text.text, text.formats, Plain, 10, [](Colour c) { return c; });
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
