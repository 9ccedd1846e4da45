#pragma once
#include <vector>

#include "store/snippet_file.h"

namespace scrivlet {

// The entries in the order the pop-up menu lists them: by name, character by
// character by its code in Windows-1252 (so "Zeta" comes before "alpha"), the
// characters that code page lacks after all of those by their code point; then
// by the entry number as text (so "Gruß" 10 comes before "Gruß" 2). Everything
// else that lists entries "as the menu does" uses this order too.
std::vector<NamedEntry> inMenuOrder(std::vector<NamedEntry> entries);

}  // namespace scrivlet
