#pragma once
#include "platform/registry.h"

namespace scrivlet {

class Win32Registry : public Registry {
public:
    bool keyExists(RegistryHive hive, const std::string& key) override;
    std::optional<RegistryValue> queryValue(RegistryHive hive, const std::string& key,
                                            const std::string& name) override;
    bool setValue(RegistryHive hive, const std::string& key, const std::string& name,
                  const RegistryValue& value) override;
    bool deleteValue(RegistryHive hive, const std::string& key, const std::string& name) override;
};

}  // namespace scrivlet
