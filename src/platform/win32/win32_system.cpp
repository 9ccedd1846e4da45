#include "platform/win32/win32_system.h"

#include <windows.h>

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
    // A path may exceed MAX_PATH; GetModuleFileNameA says so only by filling the
    // buffer completely, so grow it until the name fits with room to spare.
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() >= 32768) return {};  // longer than any Windows path
        path.resize(path.size() * 2);
    }
}

std::string Win32System::commandLine() {
    const char* line = GetCommandLineA();
    return line ? argumentsAfterProgramName(line) : std::string();
}

unsigned Win32System::platformId() {
    // The plain OSVERSIONINFOA (148 bytes), not the EX form: this is the size the
    // oldest systems accept, and only the platform id is wanted.
    OSVERSIONINFOA info{};
    static_assert(sizeof info == 148);
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) return 0;
    return info.dwPlatformId;
}

}  // namespace scrivlet
