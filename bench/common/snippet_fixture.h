#pragma once
#include <string>

namespace scrivlet::bench {

// The bytes of a snippet file with this many entries, as the program writes
// them: names, enciphered and plain texts, some titles, the ignore list and
// the options.
std::string snippetFileWithEntries(int count);

}  // namespace scrivlet::bench
