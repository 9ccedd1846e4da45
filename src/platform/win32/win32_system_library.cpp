#include "platform/win32/win32_system_library.h"

#include <string>

namespace scrivlet {

namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

// kernel32 is mapped into every process before the program runs, so asking
// for its handle loads nothing.
template <typename Function>
Function kernel32Function(const char* name) {
    const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    if (!kernel32) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(kernel32, name)));
}

}  // namespace

void restrictLibrarySearch() {
    if (const auto setDefault = kernel32Function<SetDefaultDllDirectoriesFunction>("SetDefaultDllDirectories"))
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE loadSystemLibrary(const wchar_t* name) {
    // The flag is known wherever SetDefaultDllDirectories is; elsewhere
    // LoadLibraryExW refuses it, and the full path serves instead.
    if (kernel32Function<SetDefaultDllDirectoriesFunction>("SetDefaultDllDirectories"))
        return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, length) + L"\\" + name;
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace scrivlet
