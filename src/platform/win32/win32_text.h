#pragma once
#include <string>
#include <string_view>

#include "platform/unicode.h"

namespace scrivlet {

// The program's text (UTF-8) at the W functions of Windows, whose wchar_t is
// a UTF-16 code unit. Lone surrogates pass both ways, so a title or an edit
// control's text that holds one comes back to Windows unchanged.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring wide(std::string_view utf8) {
    const std::u16string units = toUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

inline std::string narrow(std::wstring_view utf16) {
    return fromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(utf16.data()), utf16.size()));
}

}  // namespace scrivlet
