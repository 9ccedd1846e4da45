#pragma once
#include <string>

#include "platform/system_info.h"

namespace scrivlet {

class SimSystem : public SystemInfo {
public:
    std::string executablePath() override { return executablePath_; }
    std::string commandLine() override { return commandLine_; }
    unsigned platformId() override { return platformId_; }

    std::string executablePath_ = "C:\\Programme\\Scrivlet\\scrivlet.exe";
    std::string commandLine_;
    unsigned platformId_ = 2;
};

}  // namespace scrivlet
