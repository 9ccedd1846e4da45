#pragma once
#include <string>
#include <string_view>

#include "platform/system_info.h"

namespace scrivlet {

class Win32System : public SystemInfo {
public:
    std::string executablePath() override;
    std::string commandLine() override;
    unsigned platformId() override;
};

// What follows the program name in a whole command line: the name ends at its
// closing quote when it starts with one, else at the first blank or tab; the
// blanks and tabs after it are not part of the arguments. This is the shell's
// own rule (CommandLineToArgvW), so the program sees the arguments the user
// typed, their quotes and inner blanks untouched.
std::string argumentsAfterProgramName(std::string_view commandLine);

}  // namespace scrivlet
