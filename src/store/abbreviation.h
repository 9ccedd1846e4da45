#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace scrivlet {

// An abbreviation of the snippet file ([Kuerzel]: abbreviation=entry name) and
// the entry it stands for. It names the entry, not its number, so an older
// version or a hand edit that renumbers the entries cannot make it type
// another one.
struct Abbreviation {
    std::string abbreviation;
    std::string name;
    // The first entry of that name; 0 when no entry has it (then unused).
    std::int16_t entry = 0;
    // Later entries have the same name; the first is meant.
    bool sharedName = false;
};

// The longest abbreviation, in characters: what the typing watch keeps of the
// last keys is no longer than this.
constexpr std::size_t LongestAbbreviation = 32;

enum class AbbreviationForm {
    Fit,
    Blank,          // holds a blank or another white space
    BadStart,       // begins with '[' or ';', which the file would read as a header or note
    EqualsSign,     // '=' would end the key in the file
    TooLong,        // more than LongestAbbreviation characters
};

// Whether the text can be an abbreviation: one word, as the file can hold it
// for a key.
AbbreviationForm abbreviationForm(std::string_view text);

// Blanks, tabs, line ends and the other spaces of Unicode.
bool isWhiteSpace(char32_t character);

}  // namespace scrivlet
