// The instance of the module this code is linked into (the DLL, not the host): resources, window
// classes and hooks all belong to it.
#pragma once

#include "Win32.h"

HINSTANCE ModuleInstance();
