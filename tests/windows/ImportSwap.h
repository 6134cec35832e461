// Replaces a function the module imports, in the module's own import address table: calls from the
// module go to the replacement, calls from anybody else (the test, the system) are not touched.
#pragma once

#include <windows.h>

// Writes function into the slot through which module calls `name` of `library` (any letter case);
// returns what the slot held, or nullptr when the module does not import that function.
void* SwapImport(HMODULE module, const char* library, const char* name, void* function);
// Whether module imports `name` from `library`.
bool Imports(HMODULE module, const char* library, const char* name);
