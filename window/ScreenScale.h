// The screen's scale: lengths laid out for a screen of 96 dots per inch, taken to the screen's own.
// A window reads it once, when it opens, and sizes everything it draws by it.
#pragma once

#ifdef _WIN32
#include "framework/WindowDc.h"
#endif

class ScreenScale {
public:
    static constexpr int kStandardDpi = 96;

    // A dpi of 0 or below (a screen that would not say) counts as the standard one.
    constexpr explicit ScreenScale(int dpi = kStandardDpi) : m_dpi(dpi > 0 ? dpi : kStandardDpi) {}

    constexpr int Dpi() const { return m_dpi; }

    // A length of the standard screen on this one, to the nearest pixel, ties away from zero.
    constexpr int Pixels(int standard) const {
        const long long twice = 2LL * standard * m_dpi;
        const long long rounded = (twice < 0 ? -twice + kStandardDpi : twice + kStandardDpi) / (2 * kStandardDpi);
        return static_cast<int>(twice < 0 ? -rounded : rounded);
    }

#ifdef _WIN32
    // The scale of the screen a window is on, as the system sizes the window's dialog fonts by it.
    static ScreenScale Of(HWND window) {
        const WindowDc dc(window);
        return ScreenScale(dc ? ::GetDeviceCaps(dc.Get(), LOGPIXELSY) : kStandardDpi);
    }
#endif

private:
    int m_dpi;
};
