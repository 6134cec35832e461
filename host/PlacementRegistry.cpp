// Reading the saved placement.
#include "PlacementRegistry.h"

#include "Win32.h"

#include <cstdint>
#include <cstring>

namespace PlacementRegistry {

std::string Describe() {
    constexpr const char* kKey = "SOFTWARE\\Morvane\\PlugIns\\Zentharo";
    std::string lines;
    for (const char* name : {"x", "y", "cx", "cy"}) {
        BYTE data[64];
        DWORD type = 0, size = sizeof data;
        const LSTATUS status = ::RegGetValueA(HKEY_CURRENT_USER, kKey, name, RRF_RT_ANY, &type, data, &size);
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

} // namespace PlacementRegistry
