#pragma once
#include <string_view>

namespace scrivlet {

// The leading decimal number of a text ("2.5x" is 2.5, " -1" is -1, "1e3" is
// 1000); a text that does not begin with a number is 0.
double leadingNumber(std::string_view text);

// Rounds to the nearest integer, a half to the even neighbour (2.5 gives 2,
// 3.5 gives 4).
long long roundHalfEven(double value);

}  // namespace scrivlet
