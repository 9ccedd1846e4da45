#pragma once
#include <cstdint>

namespace scrivlet {

// A top-level window as the platform knows it (the HWND on Windows); 0 is none.
using WindowId = std::uintptr_t;

}  // namespace scrivlet
