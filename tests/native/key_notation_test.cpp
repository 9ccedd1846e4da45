#include <gtest/gtest.h>

#include "transmit/key_notation.h"

namespace scrivlet {
namespace {

TEST(KeyNotation, KeyStringsEscapeTheTenSpecialCharacters) {
    const struct {
        const char* plain;
        const char* keys;
    } cases[] = {
        {"50% (netto) ~ok", "50{%} {(}netto{)} {~}ok"},
        {"a{b}", "a{{}b{}}"},
        {"x+y^2", "x{+}y{^}2"},
        {"[a]", "{[}a{]}"},
        {"a\rb\tc", "a~b{TAB}c"},
        {"~\r{\t", "{~}~{{}{TAB}"},  // produced ~ and braces are not escaped again
        {"a\nb", "a\nb"},            // other control characters pass unchanged
        {"Grüße €", "Grüße €"},
    };
    for (const auto& c : cases) EXPECT_EQ(toKeyString(c.plain), c.keys) << c.plain;
}

TEST(KeyNotation, EditorFormRoundTrip) {
    EXPECT_EQ(textToEditorForm("a\rb\tc"), "a\uF0C3" "b\uF0F0" "c");
    const struct {
        const char* editor;
        const char* plain;
    } cases[] = {
        {"a\uF0C3\r\nb\uF0F0\r\nc", "a\rb\tc"},  // display line breaks after markers are dropped
        {"Zeile 1\r\nZeile 2", "Zeile 1Zeile 2"},  // pasted line breaks join the lines
        {"\uF0C3\uF0C3", "\r\r"},
        {"ok\n", "ok\n"},                     // a lone LF is no display break
    };
    for (const auto& c : cases) EXPECT_EQ(editorFormToText(c.editor), c.plain) << c.editor;
    const std::string plain = "Sehr geehrte\r\r\tDamen";
    EXPECT_EQ(editorFormToText(textToEditorForm(plain)), plain);
}

TEST(ReplaceAll, ContinuesAfterTheReplacement) {
    EXPECT_EQ(replaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(replaceAll("%Datum% und %DATUM%", "%datum%", "7.12.", true), "7.12. und 7.12.");
    EXPECT_EQ(replaceAll("%Datum%", "%datum%", "x", false), "%Datum%");
    EXPECT_EQ(replaceAll("ÄPFEL äpfel", "äpfel", "1", true), "1 1");
    EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
}

}  // namespace
}  // namespace scrivlet
