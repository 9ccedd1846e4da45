#include "tracking/own_caption.h"

#include <cmath>

#include "version.h"

namespace scrivlet {

ProgramVersion programVersion() { return {VersionMajor, VersionMinor, VersionRevision}; }

bool isNtPlatform(SystemInfo& system) { return system.platformId() == 2; }

std::string versionText(int flags, const ProgramVersion& version) {
    std::string s = std::to_string(version.major) + "." + std::to_string(version.minor);
    if (flags & 0x100) {
        if (version.revision >= 100)
            s += static_cast<char>(std::nearbyint(version.revision / 100.0 + 96));
    } else {
        s += '.';
        s += std::to_string(version.revision);
    }
    switch (flags & 0xFF) {
        case 0: return " (V" + s + ")";
        case 1: return s;
        default: return "";
    }
}

std::string ownCaption(const std::string& name, bool ntPlatform) {
    std::string caption = ntPlatform ? "• " : ":: ";
    caption += "Scrivlet " + versionText(0x101);
    if (!name.empty()) caption += " - " + name;
    return caption;
}

}  // namespace scrivlet
