#pragma once
#include <string>
#include <string_view>

namespace scrivlet {

// The three forms of an entry text. Plain text: CR is the Enter key, TAB the
// Tab key. Editor form: the markers below stand for them, each followed by a
// line break that is there for the eye only. Key string: what the keystroke
// injection types ("~" Enter, "{TAB}" Tab, "{c}" a literal special character).
constexpr char EnterMarker = '\xC3';  // shown red in Wingdings
constexpr char TabMarker = '\xF0';    // shown blue in Wingdings

// Replaces every match, continuing after the inserted replacement.
std::string replaceAll(std::string_view text, std::string_view find, std::string_view replacement,
                       bool ignoreCase = false);

// Wraps each of the key string's special characters in braces.
std::string escapeKeyCharacters(std::string_view text);
std::string toKeyString(std::string_view plainText);

std::string textToEditorForm(std::string_view plainText);
std::string editorFormToText(std::string_view editorText);

}  // namespace scrivlet
