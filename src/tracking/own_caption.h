#pragma once
#include <string>

#include "platform/system_info.h"

namespace scrivlet {

struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// This program's version, as the build states it.
ProgramVersion programVersion();

// True on the Windows NT family (platform identifier 2).
bool isNtPlatform(SystemInfo& system);

// Flag 256 chooses "2.3c" over "2.3.338"; the low byte chooses the frame:
// 0 " (V...)", 1 the bare text, anything else "".
std::string versionText(int flags, const ProgramVersion& version = programVersion());

// The caption of every window of the program, by which it also recognises its
// own windows: "• Scrivlet 2.3c", with " - " and the name when there is one.
std::string ownCaption(const std::string& name, bool ntPlatform);

}  // namespace scrivlet
