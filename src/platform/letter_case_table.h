#pragma once
#include <span>

namespace scrivlet {

// Letters first to last, every stride-th, whose other case lies delta away.
struct CaseRange {
    char16_t first;
    char16_t last;
    int delta;
    int stride;
};

// Sorted by first; letters without another case are in no run.
extern const std::span<const CaseRange> UpperCase;
extern const std::span<const CaseRange> LowerCase;

}  // namespace scrivlet
