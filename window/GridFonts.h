// The fonts the grid asks the system for: Arial, small and narrow, for the cells and for the choosers.
#pragma once

#include "framework/Win32.h"

namespace GridFonts {

inline LOGFONTA ArialRequest(int height, int width) {
    LOGFONTA font{};
    font.lfHeight = height;
    font.lfWidth = width;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = ANSI_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    lstrcpyA(font.lfFaceName, "Arial");
    return font;
}

inline LOGFONTA CellRequest() { return ArialRequest(16, 5); }
inline LOGFONTA ChooserRequest() { return ArialRequest(12, 6); }

} // namespace GridFonts
