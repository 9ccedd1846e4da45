#pragma once
#include <string>

namespace scrivlet {

// What the process knows about itself and the system it runs on.
class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    // Full path of the running executable, "C:\Programme\Scrivlet\scrivlet.exe".
    virtual std::string executablePath() = 0;
    // The arguments after the program name, as the system passed them.
    virtual std::string commandLine() = 0;
    // dwPlatformId of GetVersionExW: 2 for the Windows NT family.
    virtual unsigned platformId() = 0;
};

}  // namespace scrivlet
