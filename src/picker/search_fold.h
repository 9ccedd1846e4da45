#pragma once
#include <string>
#include <string_view>

namespace scrivlet {

// How the picker compares letters: a text and a query are both brought into
// one folded form, in which a plain substring search does the comparing.
//
// - Letter case as Windows maps it (the one case table): "GRUSS" is "gruss".
// - German spellings: "ß" (and the capital "ẞ") is "ss"; "ä", "ö", "ü" are
//   "ae", "oe", "ue" as a German writes them without umlauts, so "strasse"
//   finds "Straße", "ae" finds "ä" and "ä" finds "ae".
// - Every other accented Latin letter is its base letter ("é" is "e", "ł" is
//   "l", "ñ" is "n"), as users type names from elsewhere; "æ", "œ" are "ae",
//   "oe", "þ" is "th". Combining accents (a text typed as letter plus accent)
//   fall away the same way; a combining diaeresis after a, o, u counts as an
//   umlaut.
// - Every kind of white space is a blank.
//
// Umlauts::Base folds the umlauts to their base letter instead ("ä" is "a"):
// the picker keeps a name in this form too when it differs, so "mull" finds
// "Müller" while the user is still typing without umlauts. A query is always
// folded with the spelled umlauts.
enum class Umlauts { Spelled, Base };
std::string foldForSearch(std::string_view text, Umlauts umlauts = Umlauts::Spelled);

// Whether a word of a folded text starts at byte `at` (the start of a
// character): at the very start, or after a blank, a punctuation mark or a
// symbol.
bool startsWord(std::string_view folded, std::size_t at);

}  // namespace scrivlet
