// An owning registry key handle: closed when the object goes, on every path.
#pragma once

#include "Win32.h"

#include <cstdint>

class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(RegistryKey&& other) noexcept : m_key(other.m_key) { other.m_key = nullptr; }
    RegistryKey& operator=(RegistryKey&& other) noexcept;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() { Close(); }

    // Creates the key if it is missing, opens it otherwise: non-volatile, no class, full access.
    static RegistryKey CreateOrOpen(HKEY root, const char* path);

    explicit operator bool() const { return m_key != nullptr; }
    void Close();

    // Reads a value into a four-byte integer, whatever its stored type; data longer than four bytes
    // fails, shorter data fills the low bytes of a zeroed integer.
    bool ReadInt32(const char* name, std::int32_t& value) const;
    // Writes a REG_DWORD; the result is not reported.
    void WriteDword(const char* name, std::int32_t value) const;

private:
    HKEY m_key = nullptr;
};
