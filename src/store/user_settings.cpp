#include "store/user_settings.h"

namespace scrivlet {

WriteResult UserSettings::save(const std::string& name, const std::string& value) {
    RegistryValue stored{registry_type::String, value + '\0'};
    return registry_.setValue(RegistryHive::CurrentUser, Key, name, stored) ? WriteResult::Ok
                                                                             : WriteResult::Failed;
}

std::string UserSettings::get(const std::string& name, const std::string& fallback) {
    auto value = registry_.queryValue(RegistryHive::CurrentUser, Key, name);
    if (!value || (value->type != registry_type::String && value->type != registry_type::ExpandString))
        return fallback;
    std::string text = value->data;
    if (auto nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
    return text;
}

}  // namespace scrivlet
