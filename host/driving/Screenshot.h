// A picture of a window as it is on the screen, frame and all, saved as a 24-bit BMP file.
#pragma once

#include "framework/Win32.h"

#include <string>

class Screenshot {
public:
    static bool SaveBmp(HWND window, const std::string& path, std::string& error);
};
