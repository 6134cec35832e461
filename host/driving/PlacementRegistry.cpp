// Reading and writing the saved placement.
#include "PlacementRegistry.h"

#include "contract/ModuleContract.h"
#include "framework/Win32.h"

#include <charconv>
#include <cstdint>
#include <cstring>

namespace PlacementRegistry {

using ModuleContract::kPlacementKey;

std::string Describe() {
    std::string lines;
    for (const char* name : ModuleContract::kPlacementValues) {
        BYTE data[64];
        DWORD type = 0, size = sizeof data;
        const LSTATUS status = ::RegGetValueA(HKEY_CURRENT_USER, kPlacementKey, name, RRF_RT_ANY, &type, data, &size);
        std::string line = name;
        if (status != ERROR_SUCCESS) {
            line += " absent";
        } else if (type == REG_DWORD && size == 4) {
            std::int32_t value;
            std::memcpy(&value, data, sizeof value);
            line += "=" + std::to_string(value);
        } else {
            line += " of type " + std::to_string(type) + ", " + std::to_string(size) + " bytes";
        }
        lines += (lines.empty() ? "" : "\n") + line;
    }
    return lines;
}

bool Store(const std::string& name, const std::string& type, const std::string& text, std::string& error) {
    DWORD kind = REG_SZ;
    std::int32_t number = 0;
    const BYTE* data = reinterpret_cast<const BYTE*>(text.c_str());
    DWORD size = static_cast<DWORD>(text.size() + 1);
    if (type == "DWORD") {
        const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), number);
        if (text.empty() || status != std::errc() || end != text.data() + text.size()) {
            error = "VALUE must be a 32-bit whole number, not '" + text + "'";
            return false;
        }
        kind = REG_DWORD;
        data = reinterpret_cast<const BYTE*>(&number);
        size = sizeof number;
    } else if (type != "SZ") {
        error = "TYPE must be DWORD or SZ, not '" + type + "'";
        return false;
    }
    const LSTATUS status = ::RegSetKeyValueA(HKEY_CURRENT_USER, kPlacementKey, name.c_str(), kind, data, size);
    if (status != ERROR_SUCCESS) {
        error = "the registry refused the value (error " + std::to_string(status) + ")";
        return false;
    }
    return true;
}

bool Remove(const std::string& name, std::string& error) {
    const LSTATUS status = ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kPlacementKey, name.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
        error = "the registry refused to remove the value (error " + std::to_string(status) + ")";
        return false;
    }
    return true;
}

} // namespace PlacementRegistry
