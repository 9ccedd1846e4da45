#pragma once
#include <string>

namespace scrivlet::bench {

// Sets the file's time of last write a minute back, as for a file the user
// has not changed for a while: Wine parses a file written in the last two
// seconds again at every profile call, and keeps what it parsed of an older
// one. Windows only.
void settleFile(const std::string& path);

}  // namespace scrivlet::bench
