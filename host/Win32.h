// The one place the demo host includes the platform headers from. It uses the ANSI functions: records
// are Windows-1251 bytes, converted to UTF-16 only where text is shown.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
