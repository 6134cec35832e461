// Registry access for the module's few persisted values.
#include "RegistryKey.h"

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
    if (this != &other) {
        Close();
        m_key = other.m_key;
        other.m_key = nullptr;
    }
    return *this;
}

RegistryKey RegistryKey::CreateOrOpen(HKEY root, const char* path) {
    RegistryKey key;
    HKEY opened = nullptr;
    DWORD disposition = 0;
    if (::RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &opened,
                          &disposition) == ERROR_SUCCESS)
        key.m_key = opened;
    return key;
}

void RegistryKey::Close() {
    if (m_key)
        ::RegCloseKey(m_key);
    m_key = nullptr;
}

bool RegistryKey::ReadInt32(const char* name, std::int32_t& value) const {
    std::int32_t data = 0;
    DWORD size = sizeof data;
    if (!m_key ||
        ::RegQueryValueExA(m_key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS)
        return false;
    value = data;
    return true;
}

void RegistryKey::WriteDword(const char* name, std::int32_t value) const {
    if (m_key)
        ::RegSetValueExA(m_key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}
