// The projection windows' saved placement as the registry holds it, read and written with the
// registry API.
#pragma once

#include <string>

namespace PlacementRegistry {

// One line a value, "x=40" for a REG_DWORD, "x absent" when missing, the type and size otherwise.
std::string Describe();

// Stores one value under the placement's key, as another program or an older version might have left
// it: type "DWORD" stores text as a 32-bit number, "SZ" stores it as a string. False with error set
// when the type or number is not understood or the registry refuses.
bool Store(const std::string& name, const std::string& type, const std::string& text, std::string& error);

// Removes one value, as a first use or another program might have left the key without it. Removing a
// value that is not there succeeds. False with error set when the registry refuses.
bool Remove(const std::string& name, std::string& error);

} // namespace PlacementRegistry
