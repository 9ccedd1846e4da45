#pragma once
#include <map>
#include <string>

#include "platform/registry.h"

namespace scrivlet {

// An in-memory registry tree; key paths and value names compare without regard
// to case, as on Windows.
class SimRegistry : public Registry {
public:
    bool keyExists(RegistryHive hive, const std::string& key) override;
    std::optional<RegistryValue> queryValue(RegistryHive hive, const std::string& key,
                                            const std::string& name) override;
    bool setValue(RegistryHive hive, const std::string& key, const std::string& name,
                  const RegistryValue& value) override;
    bool deleteValue(RegistryHive hive, const std::string& key, const std::string& name) override;

    // A key below which every write and delete fails, as without the rights.
    void denyWrites(RegistryHive hive, const std::string& key);

private:
    struct Key {
        std::map<std::string, RegistryValue> values;  // by upper-cased name
        bool denied = false;
    };
    static std::string normalKey(RegistryHive hive, const std::string& key);
    bool deniedBelow(const std::string& normal) const;
    std::map<std::string, Key> keys_;
};

}  // namespace scrivlet
