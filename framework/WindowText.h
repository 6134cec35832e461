// The text a window shows now, read with the ANSI function.
#pragma once

#include "Win32.h"

#include <string>

// One message for a short text (the grid's cells and headers, titles of ordinary length); a long one
// takes a second message for its length and a third for the text.
std::string WindowText(HWND window);
