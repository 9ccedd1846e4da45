#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace scrivlet {

// A message text with "\n" for line breaks (any storage escape, in fact) and
// "%1" .. "%10" for values; a missing value is "". Values go in as they are:
// a path such as "C:\neu" keeps its backslashes.
std::string formatMessageText(std::string_view text, const std::vector<std::string>& values = {});

}  // namespace scrivlet
