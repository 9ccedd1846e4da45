#include "platform/sim/sim_registry.h"

#include "platform/text.h"

namespace scrivlet {

std::string SimRegistry::normalKey(RegistryHive hive, const std::string& key) {
    std::string path = hive == RegistryHive::CurrentUser ? "HKCU" : "HKLM";
    std::string part;
    for (std::size_t i = 0; i <= key.size(); ++i) {
        if (i == key.size() || key[i] == '\\') {
            if (!part.empty()) {
                path += '\\';
                path += toUpper(part);
            }
            part.clear();
        } else {
            part += key[i];
        }
    }
    return path;
}

bool SimRegistry::deniedBelow(const std::string& normal) const {
    for (const auto& [path, key] : keys_)
        if (key.denied && (normal == path || normal.rfind(path + "\\", 0) == 0)) return true;
    return false;
}

bool SimRegistry::keyExists(RegistryHive hive, const std::string& key) {
    return keys_.count(normalKey(hive, key)) > 0;
}

std::optional<RegistryValue> SimRegistry::queryValue(RegistryHive hive, const std::string& key,
                                                     const std::string& name) {
    auto k = keys_.find(normalKey(hive, key));
    if (k == keys_.end()) return std::nullopt;
    auto v = k->second.values.find(toUpper(name));
    if (v == k->second.values.end()) return std::nullopt;
    return v->second;
}

bool SimRegistry::setValue(RegistryHive hive, const std::string& key, const std::string& name,
                           const RegistryValue& value) {
    const std::string normal = normalKey(hive, key);
    if (deniedBelow(normal)) return false;
    // Creating a key creates its parents, as RegCreateKeyEx does.
    for (std::size_t i = normal.find('\\'); i != std::string::npos; i = normal.find('\\', i + 1))
        keys_[normal.substr(0, i)];
    keys_[normal].values[toUpper(name)] = value;
    return true;
}

bool SimRegistry::deleteValue(RegistryHive hive, const std::string& key, const std::string& name) {
    const std::string normal = normalKey(hive, key);
    auto k = keys_.find(normal);
    if (k == keys_.end() || deniedBelow(normal)) return false;
    return k->second.values.erase(toUpper(name)) > 0;
}

void SimRegistry::denyWrites(RegistryHive hive, const std::string& key) {
    keys_[normalKey(hive, key)].denied = true;
}

}  // namespace scrivlet
