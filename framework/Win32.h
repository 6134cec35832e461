// The one place the window side includes the platform headers from. The module uses the ANSI
// functions throughout: records and titles are multibyte text in the host's code page.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// The instance of the module this code is linked into (the DLL, not the host): resources, window
// classes and hooks all belong to it.
HINSTANCE ModuleInstance();
