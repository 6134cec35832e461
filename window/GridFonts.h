// The fonts the grid asks the system for: Arial, small and narrow, for the cells and for the choosers,
// sized for the screen's scale.
#pragma once

#include "framework/Win32.h"
#include "window/ScreenScale.h"

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

// On the standard screen the cells' font is 16 pixels high and 5 wide, the choosers' 12 and 6.
inline LOGFONTA CellRequest(ScreenScale scale) { return ArialRequest(scale.Pixels(16), scale.Pixels(5)); }
inline LOGFONTA ChooserRequest(ScreenScale scale) { return ArialRequest(scale.Pixels(12), scale.Pixels(6)); }

} // namespace GridFonts
