// Converting Windows-1251 bytes with the system's converters.
#include "Cp1251.h"

#include "framework/Win32.h"

namespace {

constexpr UINT kCodePage = 1251;

} // namespace

std::wstring Cp1251::ToWide(std::string_view bytes) {
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    const int length = ::MultiByteToWideChar(kCodePage, 0, bytes.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(kCodePage, 0, bytes.data(), size, wide.data(), length);
    return wide;
}

std::string Cp1251::ToUtf8(std::string_view bytes) { return WideToUtf8(ToWide(bytes)); }

std::string Cp1251::WideToUtf8(std::wstring_view wide) {
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}
