// The translations between the program's editor and RichEdit: positions that
// count a line break once or twice, and the RTF that carries text and formats
// in one step.
#include <gtest/gtest.h>
#include <windows.h>
#include <richedit.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "mainwindow/editor_text.h"
#include "platform/rtf.h"
#include "platform/ui/form.h"
#include "platform/win32/win32_control_peer.h"
#include "platform/win32/win32_line_breaks.h"
#include "platform/win32/win32_ui.h"

namespace scrivlet {

namespace ui {
// Readable failures: the colour and the font of a character.
[[maybe_unused]] static void PrintTo(const CharFormat& format, std::ostream* out) {
    *out << std::hex << format.colour << std::dec << ' ' << format.font;
}
}  // namespace ui

namespace {

using ui::CharFormat;

// ---- positions

struct Position {
    const char* label;
    const char* text;
    int model, native;
};

void PrintTo(const Position& c, std::ostream* out) { *out << c.label; }

class LineBreakPositions : public ::testing::TestWithParam<Position> {};

TEST_P(LineBreakPositions, TranslateBothWays) {
    const Position& p = GetParam();
    const LineBreakMap map(p.text);
    EXPECT_EQ(map.toNative(p.model), p.native);
    EXPECT_EQ(map.toModel(p.native), p.model);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LineBreakPositions,
    ::testing::Values(Position{"NoBreakStart", "abc", 0, 0}, Position{"NoBreakEnd", "abc", 3, 3},
                      Position{"BeforeBreak", "a\r\nb", 1, 1}, Position{"AfterBreak", "a\r\nb", 3, 2},
                      Position{"EndAfterBreak", "a\r\nb", 4, 3}, Position{"TextIsABreak", "\r\n", 2, 1},
                      Position{"SecondOfTwoBreaks", "\r\n\r\n", 4, 2}, Position{"BetweenTwoBreaks", "\r\n\r\n", 2, 1},
                      Position{"LoneCrCountsOnce", "a\rb", 2, 2}, Position{"LoneLfCountsOnce", "a\nb", 2, 2},
                      Position{"MarkerBeforeBreak", "x\xF0\r\ny", 4, 3},
                      Position{"ManyBreaks", "1\r\n2\r\n3\r\n4", 9, 6}),
    [](const auto& p) { return std::string(p.param.label); });

TEST(LineBreakPositions, APositionInsideABreakGoesAfterIt) {
    const LineBreakMap map("a\r\nb");
    EXPECT_EQ(map.toNative(2), 2);
    EXPECT_EQ(map.toModel(2), 3);
}

// ---- RTF

Colour rgb(Colour c) { return c & 0xFFFFFF; }

const CharFormat Plain{0x000000, "Arial"};
const CharFormat Red{0x0000FF, "Arial"};
const CharFormat Mono{0xFF8000, "Courier New"};

std::vector<CharFormat> repeat(std::vector<std::pair<int, CharFormat>> runs) {
    std::vector<CharFormat> formats;
    for (const auto& [count, format] : runs) formats.insert(formats.end(), static_cast<std::size_t>(count), format);
    return formats;
}

struct RoundTrip {
    const char* label;
    std::string text;
    std::vector<CharFormat> formats;
};

void PrintTo(const RoundTrip& c, std::ostream* out) { *out << c.label; }

class RtfRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(RtfRoundTrip, ReadingWhatWasWrittenGivesTextAndFormats) {
    const RoundTrip& c = GetParam();
    const FormattedText read = fromRtf(toRtf(c.text, c.formats, Plain, 10, rgb), Plain);
    EXPECT_EQ(read.text, c.text);
    EXPECT_EQ(read.formats, c.formats);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RtfRoundTrip,
    ::testing::Values(
        RoundTrip{"Empty", "", {}}, RoundTrip{"Plain", "Hallo", repeat({{5, Plain}})},
        RoundTrip{"Markers", "a\xF0" "b\xC3", repeat({{1, Plain}, {1, Red}, {1, Plain}, {1, Red}})},
        RoundTrip{"LineBreaks", "a\r\n\r\nb", repeat({{1, Plain}, {4, Mono}, {1, Plain}})},
        RoundTrip{"RtfCharacters", "{\\}", repeat({{3, Mono}})},
        RoundTrip{"Umlauts", "Größe €", repeat({{7, Plain}})},
        RoundTrip{"Tab", "a\tb", repeat({{3, Red}})},
        RoundTrip{"ControlCharacter", "a\x01z", repeat({{3, Plain}})}),
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

struct Written {
    const char* label;
    const char* rtf;
    std::string text;
    std::vector<CharFormat> formats;
};

void PrintTo(const Written& c, std::ostream* out) { *out << c.label; }

class RtfAsRichEditWritesIt : public ::testing::TestWithParam<Written> {};

TEST_P(RtfAsRichEditWritesIt, GivesTextAndFormats) {
    const Written& c = GetParam();
    const FormattedText read = fromRtf(c.rtf, Plain);
    EXPECT_EQ(read.text, c.text);
    EXPECT_EQ(read.formats, c.formats);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, RtfAsRichEditWritesIt,
    ::testing::Values(
        Written{"AutomaticColourAndClosingParagraph",
                "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0\\deflang1031\\deflangfe1031{\\fonttbl{\\f0\\fcharset0 "
                "Arial;}}\r\n{\\colortbl;}\r\n{\\*\\generator Wine Riched20 2.0;}\r\n\\pard\\f0\\fs20 ab\\par\r\n}",
                "ab\r\n", repeat({{4, Plain}})},
        Written{"ColourTableAndFontTable",
                "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\fnil Courier New;}}{\\colortbl;\\red0\\green128"
                "\\blue255;}\\pard\\cf1\\f1 x\\cf0\\f0 y}",
                "xy", {Mono, Plain}},
        Written{"HexAndUnicodeCharacters",
                "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\uc1\\f0 \\'f0\\u8364?\\u26085?\\tab}", "\xF0\x80?\t",
                repeat({{4, Plain}})},
        Written{"GroupsRestoreTheFormat",
                "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\\f0 a{\\cf1 b}c\\line d}",
                "abc\vd", {Plain, Red, Plain, Plain, Plain}},
        Written{"SkippedDestinations",
                "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}{\\*\\unknown x}"
                "\\f0 ok}",
                "ok", repeat({{2, Plain}})}),
    [](const auto& p) { return std::string(p.param.label); });

// ---- the markers' font in the real control

// Wingdings declared with the ANSI character set lets the font mapper show
// another font (under Wine the letters), so the markers must carry the symbol
// set however their format reaches the control.
struct MarkerFill {
    const char* label;
    std::function<void(ui::RichEdit&)> fill;  // leaves "a", Enter marker, break, "b", Tab marker, break
};

[[maybe_unused]] void PrintTo(const MarkerFill& f, std::ostream* out) { *out << f.label; }

class MarkerCharset : public ::testing::TestWithParam<MarkerFill> {
protected:
    Win32Ui ui;
};

TEST_P(MarkerCharset, MarkersAreWingdingsInTheSymbolSet) {
    ui::Form form(ui, "frmEditor", 6000, 4000, {});
    ui::RichEdit edit(&form, "rtfText", {120, 120, 5000, 3000}, CharFormat{TextColour, TextFont});
    form.realize();
    GetParam().fill(edit);
    auto* peer = dynamic_cast<Win32ControlPeer*>(edit.peer());
    ASSERT_TRUE(peer && peer->hwnd());
    const HWND hwnd = peer->hwnd();
    ASSERT_EQ(edit.text(), "a\xC3\r\nb\xF0\r\n");
    // Positions in the window, where a line break is one character.
    const struct {
        int position;
        BYTE charset;
        const char* font;
    } expected[] = {{0, ANSI_CHARSET, "arial"}, {1, SYMBOL_CHARSET, "wingdings"}, {3, ANSI_CHARSET, "arial"},
                    {4, SYMBOL_CHARSET, "wingdings"}};
    for (const auto& e : expected) {
        SendMessageA(hwnd, EM_SETSEL, static_cast<WPARAM>(e.position), e.position + 1);
        CHARFORMAT2A format{};
        format.cbSize = sizeof format;
        SendMessageA(hwnd, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        EXPECT_TRUE(format.dwMask & CFM_CHARSET) << e.position;
        EXPECT_EQ(format.bCharSet, e.charset) << e.position;
        EXPECT_EQ(lstrcmpiA(format.szFaceName, e.font), 0) << e.position << ' ' << format.szFaceName;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fills, MarkerCharset,
    ::testing::Values(MarkerFill{"WholeText", [](ui::RichEdit& edit) { showTextInEditor(edit, "a\xC3\r\nb\xF0\r\n"); }},
                      MarkerFill{"TypedKeys",
                                 [](ui::RichEdit& edit) {
                                     attachMarkerKeys(edit);
                                     edit.type("a\rb\t");
                                 }}),
    [](const auto& p) { return std::string(p.param.label); });

}  // namespace
}  // namespace scrivlet
