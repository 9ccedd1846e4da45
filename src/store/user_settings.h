#pragma once
#include <string>

#include "platform/registry.h"
#include "store/write_result.h"

namespace scrivlet {

// Per-user settings of the program: string values under
// HKEY_CURRENT_USER\Software\Morwick Software\Scrivlet.
class UserSettings {
public:
    static constexpr const char* Key = "Software\\Morwick Software\\Scrivlet";

    explicit UserSettings(Registry& registry) : registry_(registry) {}

    WriteResult save(const std::string& name, const std::string& value);
    std::string get(const std::string& name, const std::string& fallback);

private:
    Registry& registry_;
};

}  // namespace scrivlet
