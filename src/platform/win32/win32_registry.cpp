#include "platform/win32/win32_registry.h"

#include <algorithm>
#include <limits>

#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_text.h"

namespace scrivlet {

namespace {

HKEY rootOf(RegistryHive hive) {
    return hive == RegistryHive::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

UniqueHkey openKey(RegistryHive hive, const std::string& key, REGSAM access) {
    UniqueHkey handle;
    if (RegOpenKeyExW(rootOf(hive), wide(key).c_str(), 0, access, handle.put()) != ERROR_SUCCESS)
        return {};
    return handle;
}

// The registry keeps strings in UTF-16; the program hands them over and gets
// them back as its own text, terminating NULs (and the inner ones of a
// multi-string) included. Every other type is bytes as they are.
bool isText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

std::string storedBytes(DWORD type, const std::string& data) {
    if (!isText(type)) return data;
    const std::wstring text = wide(data);
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

std::string programData(DWORD type, std::string bytes) {
    if (!isText(type)) return bytes;
    // A string another program wrote with an odd number of bytes: the last
    // byte is half a character.
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    std::copy_n(bytes.data(), text.size() * sizeof(wchar_t), reinterpret_cast<char*>(text.data()));
    return narrow(text);
}

}  // namespace

bool Win32Registry::keyExists(RegistryHive hive, const std::string& key) {
    return static_cast<bool>(openKey(hive, key, KEY_READ));
}

std::optional<RegistryValue> Win32Registry::queryValue(RegistryHive hive, const std::string& key,
                                                       const std::string& name) {
    const UniqueHkey handle = openKey(hive, key, KEY_QUERY_VALUE);
    if (!handle) return std::nullopt;
    const std::wstring wideName = wide(name);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(handle.get(), wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    // Another process may grow the value between the calls; the second call
    // reports the bytes really copied.
    std::string data;
    for (;;) {
        data.resize(size);
        DWORD copied = size;
        const LONG status = RegQueryValueExW(handle.get(), wideName.c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(data.data()), &copied);
        if (status == ERROR_SUCCESS) {
            data.resize(copied);
            return RegistryValue{type, programData(type, std::move(data))};
        }
        if (status != ERROR_MORE_DATA || copied <= size) return std::nullopt;
        size = copied;
    }
}

bool Win32Registry::setValue(RegistryHive hive, const std::string& key, const std::string& name,
                             const RegistryValue& value) {
    const std::string bytes = storedBytes(value.type, value.data);
    if (bytes.size() > std::numeric_limits<DWORD>::max()) return false;
    UniqueHkey handle;
    if (RegCreateKeyExW(rootOf(hive), wide(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, handle.put(), nullptr) != ERROR_SUCCESS)
        return false;
    return RegSetValueExW(handle.get(), wide(name).c_str(), 0, value.type,
                          reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size())) ==
           ERROR_SUCCESS;
}

bool Win32Registry::deleteValue(RegistryHive hive, const std::string& key, const std::string& name) {
    const UniqueHkey handle = openKey(hive, key, KEY_SET_VALUE);
    return handle && RegDeleteValueW(handle.get(), wide(name).c_str()) == ERROR_SUCCESS;
}

}  // namespace scrivlet
