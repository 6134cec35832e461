// Opening the clipboard, reading both text formats and comparing them.
#include "ClipboardText.h"

#include "framework/Clipboard.h"
#include "framework/Cp1251.h"
#include "framework/OpenedClipboard.h"
#include "framework/Utf8.h"

namespace ClipboardText {
namespace {

// The zero-terminated text a clipboard format holds, or false when it holds none.
template <typename Char>
bool FormatText(UINT format, std::basic_string<Char>& text) {
    const HANDLE data = ::GetClipboardData(format);
    const auto* locked = data ? static_cast<const Char*>(::GlobalLock(data)) : nullptr;
    if (!locked)
        return false;
    const std::size_t capacity = ::GlobalSize(data) / sizeof(Char);
    std::size_t length = 0;
    while (length < capacity && locked[length] != 0)
        ++length;
    text.assign(locked, length);
    ::GlobalUnlock(data);
    return true;
}

} // namespace

bool Clear(HWND owner, std::string& error) {
    const OpenedClipboard clipboard(owner);
    if (clipboard && ::EmptyClipboard())
        return true;
    error = "the clipboard cannot be emptied";
    return false;
}

bool Write(HWND owner, const std::string& utf8, std::string& error) {
    constexpr UINT kHostCodePage = 1251;
    const int length = static_cast<int>(utf8.size());
    std::wstring wide(static_cast<std::size_t>(::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0)),
                      L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), static_cast<int>(wide.size()));
    const int wideLength = static_cast<int>(wide.size());
    std::string bytes(static_cast<std::size_t>(::WideCharToMultiByte(kHostCodePage, 0, wide.data(), wideLength, nullptr,
                                                                     0, nullptr, nullptr)),
                      '\0');
    ::WideCharToMultiByte(kHostCodePage, 0, wide.data(), wideLength, bytes.data(), static_cast<int>(bytes.size()),
                          nullptr, nullptr);
    if (Clipboard::PutText(owner, bytes, kHostCodePage))
        return true;
    error = "the clipboard cannot be written";
    return false;
}

bool Read(HWND owner, std::string& utf8, std::string& error) {
    const OpenedClipboard clipboard(owner);
    if (!clipboard) {
        error = "the clipboard cannot be opened";
        return false;
    }
    std::string bytes;
    std::wstring wide;
    if (!FormatText(CF_TEXT, bytes) || !FormatText(CF_UNICODETEXT, wide)) {
        error = "the clipboard holds no text";
        return false;
    }
    utf8 = Utf8::FromWide(wide);
    if (Cp1251::ToUtf8(bytes) != utf8) {
        error = "the clipboard's CF_TEXT, read as Windows-1251, differs from its CF_UNICODETEXT";
        return false;
    }
    return true;
}

} // namespace ClipboardText
