// The module's own instance handle, known to the linker without waiting for the loader's call.
#include "Win32.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

HINSTANCE ModuleInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }
