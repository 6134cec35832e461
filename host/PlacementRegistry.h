// The projection windows' saved placement as the registry holds it, read with the registry API.
#pragma once

#include <string>

namespace PlacementRegistry {

// One line a value, "x=40" for a REG_DWORD, "x absent" when missing, the type and size otherwise.
std::string Describe();

} // namespace PlacementRegistry
