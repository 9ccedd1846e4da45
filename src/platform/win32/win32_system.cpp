#include "platform/win32/win32_system.h"

#include <windows.h>

#include "platform/win32/win32_text.h"

namespace scrivlet {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

std::string argumentsAfterProgramName(std::string_view commandLine) {
    std::size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        const std::size_t close = commandLine.find('"', 1);
        i = close == std::string_view::npos ? commandLine.size() : close + 1;
    } else {
        while (i < commandLine.size() && !isBlank(commandLine[i])) ++i;
    }
    while (i < commandLine.size() && isBlank(commandLine[i])) ++i;
    return std::string(commandLine.substr(i));
}

std::string Win32System::executablePath() {
    // A path may exceed MAX_PATH; GetModuleFileNameW says so only by filling the
    // buffer completely, so grow it until the name fits with room to spare.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return narrow(path);
        }
        if (path.size() >= 32768) return {};  // longer than any Windows path
        path.resize(path.size() * 2);
    }
}

std::string Win32System::commandLine() {
    const wchar_t* line = GetCommandLineW();
    return line ? argumentsAfterProgramName(narrow(line)) : std::string();
}

unsigned Win32System::platformId() {
    // The plain OSVERSIONINFOW, not the EX form: only the platform id is wanted.
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExW(&info)) return 0;
    return info.dwPlatformId;
}

}  // namespace scrivlet
