#pragma once
#include <string>
#include <string_view>

namespace scrivlet {

// The three forms of an entry text. Plain text: CR is the Enter key, TAB the
// Tab key. Editor form: the markers below stand for them, each followed by a
// line break that is there for the eye only. Key string: what the keystroke
// injection types ("~" Enter, "{TAB}" Tab, "{c}" a literal special character).
// The markers are the symbol font's code points U+F0C3 and U+F0F0, which show
// its glyphs 0xC3 and 0xF0 (a red arrow, a blue arrow in Wingdings) and can
// never be confused with a typed letter such as "Ã" or "ð".
constexpr char32_t EnterMarkerCode = 0xF0C3;
constexpr char32_t TabMarkerCode = 0xF0F0;
constexpr std::string_view EnterMarker = "\xEF\x83\x83";
constexpr std::string_view TabMarker = "\xEF\x83\xB0";

// Replaces every match, continuing after the inserted replacement.
std::string replaceAll(std::string_view text, std::string_view find, std::string_view replacement,
                       bool ignoreCase = false);

// Wraps each of the key string's special characters in braces.
std::string escapeKeyCharacters(std::string_view text);
std::string toKeyString(std::string_view plainText);

std::string textToEditorForm(std::string_view plainText);
std::string editorFormToText(std::string_view editorText);

}  // namespace scrivlet
