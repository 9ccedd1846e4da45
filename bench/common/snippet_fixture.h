#pragma once
#include <string>

namespace scrivlet::bench {

// The bytes of a snippet file with this many entries, as the program writes
// them: names, enciphered and plain texts, some titles, the ignore list and
// the options.
std::string snippetFileWithEntries(int count);

// The same with names that begin with every letter and with digits, as a
// user's names do ("Angebot 1", "Brief 2", ... "10 Uhr 27"), so that the
// cascaded menu fills all of its groups.
std::string snippetFileWithVariedNames(int count);

// Entries as a user who types letters keeps them: names of two or three
// words from every letter ("Rechnung Müller 17"), texts of 4 to 8 sentences
// (282 characters on average) times textScale, with Enter, Tab, umlauts and
// placeholders, every third one enciphered.
std::string snippetFileWithLetters(int count, int textScale = 1);

}  // namespace scrivlet::bench
