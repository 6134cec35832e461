// Reading a window's text.
#include "WindowText.h"

#include <algorithm>

std::string WindowText(HWND window) {
    char buffer[64];
    const int copied = std::max(::GetWindowTextA(window, buffer, sizeof buffer), 0);
    if (copied < static_cast<int>(sizeof buffer) - 1)
        return std::string(buffer, static_cast<std::size_t>(copied));
    const int length = ::GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(std::max(::GetWindowTextA(window, text.data(), length + 1), 0)));
    return text;
}
