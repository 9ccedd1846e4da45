// The translations between the program's editor and RichEdit: positions that
// count bytes of UTF-8 and a line break twice, or UTF-16 units and a break
// once; and the markers' font in the real control.
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
#include "platform/win32/win32_native_positions.h"
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

class NativePositionsOfTexts : public ::testing::TestWithParam<Position> {};

TEST_P(NativePositionsOfTexts, TranslateBothWays) {
    const Position& p = GetParam();
    const NativePositions map(p.text);
    EXPECT_EQ(map.toNative(p.model), p.native);
    EXPECT_EQ(map.toModel(p.native), p.model);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NativePositionsOfTexts,
    ::testing::Values(Position{"NoBreakStart", "abc", 0, 0}, Position{"NoBreakEnd", "abc", 3, 3},
                      Position{"BeforeBreak", "a\r\nb", 1, 1}, Position{"AfterBreak", "a\r\nb", 3, 2},
                      Position{"EndAfterBreak", "a\r\nb", 4, 3}, Position{"TextIsABreak", "\r\n", 2, 1},
                      Position{"SecondOfTwoBreaks", "\r\n\r\n", 4, 2}, Position{"BetweenTwoBreaks", "\r\n\r\n", 2, 1},
                      Position{"LoneCrCountsOnce", "a\rb", 2, 2}, Position{"LoneLfCountsOnce", "a\nb", 2, 2},
                      Position{"MarkerBeforeBreak", "x\uF0F0\r\ny", 6, 3},
                      Position{"ManyBreaks", "1\r\n2\r\n3\r\n4", 9, 6},
                      Position{"AfterAnUmlaut", "äb", 2, 1}, Position{"AfterTwoByteLetters", "Łódź!", 7, 4},
                      Position{"AfterAThreeByteCharacter", "✓x", 3, 1},
                      Position{"BeyondUFFFFCountsTwoUnits", "😀x", 4, 2},
                      Position{"AfterPairAndBreak", "😀\r\nx", 6, 3},
                      Position{"LoneSurrogateCountsOne", "\xED\xA0\xBDx", 3, 1},
                      Position{"EndOfMixedText", "Łódź ✓\r\n😀", 17, 9}),
    [](const auto& p) { return std::string(p.param.label); });

// A position without a counterpart (inside a break, a character, a pair of
// units) goes to the one after it.
struct Inside {
    const char* label;
    const char* text;
    bool toNative;
    int from, to;
};

void PrintTo(const Inside& c, std::ostream* out) { *out << c.label; }

class PositionsInside : public ::testing::TestWithParam<Inside> {};

TEST_P(PositionsInside, GoAfterIt) {
    const Inside& c = GetParam();
    const NativePositions map(c.text);
    EXPECT_EQ(c.toNative ? map.toNative(c.from) : map.toModel(c.from), c.to);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PositionsInside,
    ::testing::Values(Inside{"BreakToNative", "a\r\nb", true, 2, 2}, Inside{"BreakToModel", "a\r\nb", false, 2, 3},
                      Inside{"LetterToNative", "aäb", true, 2, 2}, Inside{"PairToNative", "a😀b", true, 3, 3},
                      Inside{"PairToModel", "a😀b", false, 2, 5}),
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
    // Read back from the window: the markers are the symbol font's code
    // points there too, never the letters Ã and ð.
    ui.syncFromNative(form);
    ASSERT_EQ(edit.text(), "a\uF0C3\r\nb\uF0F0\r\n");
    // Positions in the window, where a line break is one character.
    const struct {
        int position;
        BYTE charset;
        const char* font;
    } expected[] = {{0, ANSI_CHARSET, "arial"}, {1, SYMBOL_CHARSET, "wingdings"}, {3, ANSI_CHARSET, "arial"},
                    {4, SYMBOL_CHARSET, "wingdings"}};
    for (const auto& e : expected) {
        SendMessageW(hwnd, EM_SETSEL, static_cast<WPARAM>(e.position), e.position + 1);
        CHARFORMAT2W format{};
        format.cbSize = sizeof format;
        SendMessageW(hwnd, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        EXPECT_TRUE(format.dwMask & CFM_CHARSET) << e.position;
        EXPECT_EQ(format.bCharSet, e.charset) << e.position;
        EXPECT_EQ(lstrcmpiW(format.szFaceName, wide(e.font).c_str()), 0) << e.position << ' ' << narrow(format.szFaceName);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fills, MarkerCharset,
    ::testing::Values(MarkerFill{"WholeText", [](ui::RichEdit& edit) { showTextInEditor(edit, "a\uF0C3\r\nb\uF0F0\r\n"); }},
                      MarkerFill{"TypedKeys",
                                 [](ui::RichEdit& edit) {
                                     attachMarkerKeys(edit);
                                     edit.type("a\rb\t");
                                 }}),
    [](const auto& p) { return std::string(p.param.label); });

}  // namespace
}  // namespace scrivlet
