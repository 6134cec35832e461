// The one place the module and the demo host include the platform headers from. Both use the ANSI
// functions throughout: records and titles are multibyte text in the host's code page, converted to
// UTF-16 only where the demo host shows text.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
