#include <gtest/gtest.h>

#include "platform/text.h"
#include "store/file_text.h"
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

namespace scrivlet {
namespace {

// Program text in the file: Windows-1252 where it can, "\u{...}" where not, and
// what older versions make of it.
TEST(FileText, EveryCharacterSurvivesAndOlderVersionsKeepIt) {
    const struct {
        const char* text;       // in the program (UTF-8)
        const char* entryText;  // as an entry text stands in the file
        const char* name;       // as a name or title stands in the file
    } cases[] = {
        {"Grüße €", "Gr\xFC\xDF" "e \x80", "Gr\xFC\xDF" "e \x80"},  // within Windows-1252: as ever
        {"Łódź", "\\\\u{0141}\xF3" "d\\\\u{017A}", "\\u{0141}\xF3" "d\\u{017A}"},
        {"При ✓", "\\\\u{041F}\\\\u{0440}\\\\u{0438} \\\\u{2713}", "\\u{041F}\\u{0440}\\u{0438} \\u{2713}"},
        {"😀", "\\\\u{1F600}", "\\u{1F600}"},
        {"\xED\xA0\x80x", "\\\\u{D800}x", "\\u{D800}x"},  // an unpaired surrogate, kept
        {"\\u{41}", "\\\\u{005C}u{41}", "\\u{005C}u{41}"},   // typed literally, comes back as typed
        {"C:\\WINDOWS\\system32\\cmd.exe", "C:\\\\WINDOWS\\\\system32\\\\cmd.exe", "C:\\WINDOWS\\system32\\cmd.exe"},
        {"\\u{zz} \\u{} \\u{1234567}", "\\\\u{zz} \\\\u{} \\\\u{1234567}", "\\u{zz} \\u{} \\u{1234567}"},
        {"\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D", "\x81\x8D\x8F\x90\x9D", "\x81\x8D\x8F\x90\x9D"},
        {"a\tb\r", "a\\Tb\\N", "a\tb\r"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(textForFile(c.text), c.entryText);
        EXPECT_EQ(textFromFile(c.entryText), c.text);
        EXPECT_EQ(toFileText(c.text), c.name);
        EXPECT_EQ(fromFileText(c.name), c.text);
        // An older version reads the text, shows it, and writes it back.
        EXPECT_EQ(escapeText(unescapeText(c.entryText)), c.entryText);
    }
    // A hand-written escape in any letter case, fewer digits included.
    EXPECT_EQ(fromFileText("\\u{141}\\u{00e4}"), "Łä");
}

TEST(LetterCase, CapitalsLetterForLetterBeyondWindows1252) {
    const struct {
        const char* text;
        const char* upper;
        const char* lower;
    } cases[] = {
        {"abc xyz 0-9 ~{}", "ABC XYZ 0-9 ~{}", "abc xyz 0-9 ~{}"},
        {"äöü àéîõç ñø œšžÿ", "ÄÖÜ ÀÉÎÕÇ ÑØ ŒŠŽŸ", "äöü àéîõç ñø œšžÿ"},
        {"ß ?", "ß ?", "ß ?"},  // no capital of its own
        {"łódź Čč", "ŁÓDŹ ČČ", "łódź čč"},
        {"При ✓ 😀", "ПРИ ✓ 😀", "при ✓ 😀"},
        {"µ", "µ", "µ"},  // none for the micro sign either
        {"(unbenannt) - editor", "(UNBENANNT) - EDITOR", "(unbenannt) - editor"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toUpper(c.text), c.upper) << c.text;
        EXPECT_EQ(toLower(c.upper), c.lower) << c.text;
    }
    // Found letter case ignored, over characters of other lengths in UTF-8.
    const auto found = findIgnoringCase("xxıİ Łódź", "ŁÓDŹ");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(std::string("xxıİ Łódź").substr(found->start, found->length), "Łódź");
}

}  // namespace
}  // namespace scrivlet
