// Record texts are Windows-1251 bytes whatever the system's code page: these convert them for display
// (UTF-16) and for script output (UTF-8).
#pragma once

#include <string>
#include <string_view>

class Cp1251 {
public:
    static std::wstring ToWide(std::string_view bytes);
    static std::string ToUtf8(std::string_view bytes);
    // UTF-16 text (a window's title, say) as UTF-8.
    static std::string WideToUtf8(std::wstring_view wide);
};
