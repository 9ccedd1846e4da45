#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace scrivlet {

enum class RegistryHive { CurrentUser, LocalMachine };

namespace registry_type {
constexpr std::uint32_t String = 1;        // REG_SZ
constexpr std::uint32_t ExpandString = 2;  // REG_EXPAND_SZ
constexpr std::uint32_t Binary = 3;        // REG_BINARY
constexpr std::uint32_t Dword = 4;         // REG_DWORD
constexpr std::uint32_t MultiString = 7;   // REG_MULTI_SZ
}  // namespace registry_type

struct RegistryValue {
    std::uint32_t type = 0;
    // The stored bytes, a string's terminating NUL included; the strings
    // (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) as the program's text (UTF-8).
    std::string data;
};

// Values below HKEY_CURRENT_USER (and, for reading, HKEY_LOCAL_MACHINE); key
// paths use backslashes and compare without regard to case.
class Registry {
public:
    virtual ~Registry() = default;
    virtual bool keyExists(RegistryHive hive, const std::string& key) = 0;
    virtual std::optional<RegistryValue> queryValue(RegistryHive hive, const std::string& key,
                                                    const std::string& name) = 0;
    // Creates the key (and its parents) when it is missing.
    virtual bool setValue(RegistryHive hive, const std::string& key, const std::string& name,
                          const RegistryValue& value) = 0;
    virtual bool deleteValue(RegistryHive hive, const std::string& key,
                             const std::string& name) = 0;
};

}  // namespace scrivlet
