#include "platform/win32/win32_registry.h"

#include <limits>

#include "platform/win32/unique_handle.h"

namespace scrivlet {

namespace {

HKEY rootOf(RegistryHive hive) {
    return hive == RegistryHive::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

UniqueHkey openKey(RegistryHive hive, const std::string& key, REGSAM access) {
    UniqueHkey handle;
    if (RegOpenKeyExA(rootOf(hive), key.c_str(), 0, access, handle.put()) != ERROR_SUCCESS)
        return {};
    return handle;
}

}  // namespace

bool Win32Registry::keyExists(RegistryHive hive, const std::string& key) {
    return static_cast<bool>(openKey(hive, key, KEY_READ));
}

std::optional<RegistryValue> Win32Registry::queryValue(RegistryHive hive, const std::string& key,
                                                       const std::string& name) {
    const UniqueHkey handle = openKey(hive, key, KEY_QUERY_VALUE);
    if (!handle) return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(handle.get(), name.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    // The size asked for first is only an upper bound for strings (the A function
    // converts from the stored UTF-16), and another process may grow the value
    // between the calls; the second call reports the bytes really copied.
    std::string data;
    for (;;) {
        data.resize(size);
        DWORD copied = size;
        const LONG status = RegQueryValueExA(handle.get(), name.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(data.data()), &copied);
        if (status == ERROR_SUCCESS) {
            data.resize(copied);
            return RegistryValue{type, std::move(data)};
        }
        if (status != ERROR_MORE_DATA || copied <= size) return std::nullopt;
        size = copied;
    }
}

bool Win32Registry::setValue(RegistryHive hive, const std::string& key, const std::string& name,
                             const RegistryValue& value) {
    if (value.data.size() > std::numeric_limits<DWORD>::max()) return false;
    UniqueHkey handle;
    if (RegCreateKeyExA(rootOf(hive), key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, handle.put(), nullptr) != ERROR_SUCCESS)
        return false;
    return RegSetValueExA(handle.get(), name.c_str(), 0, value.type,
                          reinterpret_cast<const BYTE*>(value.data.data()),
                          static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
}

bool Win32Registry::deleteValue(RegistryHive hive, const std::string& key,
                                const std::string& name) {
    const UniqueHkey handle = openKey(hive, key, KEY_SET_VALUE);
    return handle && RegDeleteValueA(handle.get(), name.c_str()) == ERROR_SUCCESS;
}

}  // namespace scrivlet
