#pragma once
#include <string>
#include <string_view>

namespace scrivlet {

// The snippet file is Windows-1252, the program's text UTF-8. A value whose
// characters all exist in Windows-1252 is written as those bytes, exactly as
// older versions wrote it. A character the code page lacks is written as
// "\u{" hexadecimal code point "}" ("Ł" as "\u{0141}", an emoji as
// "\u{1F600}"); a backslash that would start such a form is itself written as
// "\u{005C}", so a text typed as "\u{41}" comes back as typed. Nothing else is
// read as an escape: "C:\WINDOWS\system32" stays as it is.
//
// An older version shows the escape as it stands and writes it back
// unchanged (an entry text has "\\" in the file for each backslash, which
// older versions read and write as one backslash), so nothing is lost when
// the file goes back and forth.
std::string toFileText(std::string_view utf8);
std::string fromFileText(std::string_view windows1252);

// The length of the escape at byte i of a value in either form, 0 when there
// is none.
std::size_t escapeLengthAt(std::string_view text, std::size_t i);

}  // namespace scrivlet
