// Whatever the program stores comes back exactly as it was written, through
// each back-end's profile functions: entry texts through the editor form, the
// storage escape and the cipher; names and titles as the user typed them.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "platform/sim/sim_random.h"
#include "store/snippet_file.h"
#include "store/storage_escape.h"
#include "platform/unicode.h"
#include "support/backend.h"
#include "transmit/key_notation.h"

namespace scrivlet::test {
namespace {

class StoredValues : public ::testing::Test {
protected:
    StoredValues() { file.setPath(fixture->folder() + "\\Scrivlet.ini"); }

    // Writes a plain text as the editor would save it, reads it back as the
    // editor would show it.
    void roundTrip(const std::string& name, const std::string& text, const std::string& title, int crypt) {
        const std::string editorForm = textToEditorForm(text);
        const Entry written{name, textForFile(editorFormToText(editorForm)), title, crypt, 0};
        ASSERT_EQ(file.writeEntry(1, written), WriteResult::Ok);
        const Entry read = file.readEntry(1);
        EXPECT_EQ(read.name, name);
        EXPECT_EQ(textToEditorForm(textFromFile(read.text)), editorForm);
        EXPECT_EQ(read.title, title);
        EXPECT_EQ(read.crypt, crypt);
        const auto names = file.readNames();
        if (!name.empty()) {
            EXPECT_EQ(names.at(0).name, name);
        }
    }

    std::unique_ptr<ProfileFixture> fixture = makeProfileFixture();
    IniAccess ini{fixture->profile()};
    SimRandom random;
    SnippetFile file{ini, random};
};

TEST_F(StoredValues, BlanksAndQuotesAroundAValueComeBack) {
    const char* cases[] = {
        "  zwei Blanks vorn", "hinten  ", "'in Apostrophen'", "\"Zitat\"", "\"", "'", "\"\"", "''",
        "'a\"",               " ",        "\t",               "\x1a",       "x\x0b", "\"'\"", "a",
    };
    for (const char* c : cases) {
        SCOPED_TRACE(c);
        roundTrip(c, c, c, 0);
    }
}

// Every character of Windows-1252 but NUL and characters beyond it (other
// alphabets, emoji, unpaired surrogates, a literal "\u{41}"), with blanks and
// quotes at the ends far more often than chance would put them there.
TEST_F(StoredValues, GeneratedValuesComeBack) {
    std::mt19937 engine(4711);
    const std::u32string edges = U" \t\x0b\x0c\x1a\"'\\\r\nÃð\u0141\u2713\U0001F600\u00A0";
    auto generate = [&](bool lineBreaks) {
        std::string s;
        for (std::size_t n = engine() % 12; n > 0; --n) {
            char32_t c = 0;
            switch (engine() % 5) {
                case 0: case 1: c = edges[engine() % edges.size()]; break;
                case 2: c = fromCp1252(static_cast<unsigned char>(1 + engine() % 255)); break;
                case 3: c = static_cast<char32_t>(0x100 + engine() % 0xFF00); break;  // the BMP, surrogates too
                default: s += "\\u{41}"; continue;
            }
            if (!lineBreaks && (c == '\r' || c == '\n')) c = ' ';
            appendUtf8(s, c);
        }
        return s;
    };
    for (int i = 0; i < 400; ++i) {
        const std::string name = generate(false), text = generate(true), title = generate(false);
        SCOPED_TRACE(::testing::PrintToString(name) + " " + ::testing::PrintToString(text) + " " +
                     ::testing::PrintToString(title));
        roundTrip(name, text, title, i % 2);
        if (HasFailure()) return;
    }
}

TEST_F(StoredValues, AQuotedValueMustFitTheReadBufferWithItsQuotes) {
    const struct {
        std::string value;
        WriteResult result;
    } cases[] = {
        {std::string(32766, 'x'), WriteResult::Ok},
        {" " + std::string(32763, 'x'), WriteResult::Ok},
        {"'" + std::string(32762, 'x') + "'", WriteResult::Ok},
        {" " + std::string(32764, 'x'), WriteResult::TooLong},
        {std::string(32765, 'x') + " ", WriteResult::TooLong},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(ini.write("Title", "1", "alt", file.path()), WriteResult::Ok);
        EXPECT_EQ(ini.write("Title", "1", c.value), c.result) << c.value.size();
        EXPECT_TRUE(ini.read("Title", "1", "") == (c.result == WriteResult::Ok ? c.value : "alt")) << c.value.size();
    }
}

// A hand-edited value longer than a read brings back is known as cut; every
// value a read brings back whole is taken as it is.
TEST_F(StoredValues, AValueLongerThanAReadIsKnownAsCut) {
    const std::string x(32766, 'x');
    const struct {
        std::string stored;
        std::optional<std::string> read;
    } cases[] = {
        {x, x},
        {x + "y", std::nullopt},
        {std::string(40000, 'x'), std::nullopt},
        {'"' + x.substr(1) + '"', x.substr(1)},
        {'"' + x + '"', std::nullopt},  // a read loses its last character
        {"'" + x + "y'", std::nullopt},
    };
    for (const auto& c : cases) {
        fixture->writeBytes(file.path(), "[Text]\r\n1=" + c.stored + "\r\n");
        EXPECT_TRUE(ini.readWhole("Text", "1", file.path()) == c.read) << c.stored.size();
    }
}

}  // namespace
}  // namespace scrivlet::test
