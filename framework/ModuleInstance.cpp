// The module's own instance handle, known to the linker without waiting for the loader's call.
#include "ModuleInstance.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

HINSTANCE ModuleInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }
