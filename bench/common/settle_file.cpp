#include "common/settle_file.h"

#include <windows.h>

#include "platform/win32/unique_handle.h"

namespace scrivlet::bench {

void settleFile(const std::string& path) {
    const UniqueFile file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time;
    time.LowPart = now.dwLowDateTime;
    time.HighPart = now.dwHighDateTime;
    time.QuadPart -= 60ull * 10'000'000ull;
    FILETIME past;
    past.dwLowDateTime = time.LowPart;
    past.dwHighDateTime = time.HighPart;
    SetFileTime(file.get(), nullptr, nullptr, &past);
}

}  // namespace scrivlet::bench
