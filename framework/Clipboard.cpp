// Preparing both text formats first and handing them over in one opening of the clipboard.
#include "Clipboard.h"

#include "GlobalMemory.h"
#include "OpenedClipboard.h"

#include <cstring>

namespace {

// The bytes with a terminating zero, in memory the clipboard can take.
GlobalMemory AnsiText(std::string_view text) {
    GlobalMemory memory(text.size() + 1);
    auto* bytes = memory ? static_cast<char*>(::GlobalLock(memory.Get())) : nullptr;
    if (!bytes)
        return {};
    std::memcpy(bytes, text.data(), text.size());
    bytes[text.size()] = '\0';
    ::GlobalUnlock(memory.Get());
    return memory;
}

// The text converted from codePage, with a terminating zero, in memory the clipboard can take.
GlobalMemory UnicodeText(std::string_view text, UINT codePage) {
    const int length = static_cast<int>(text.size());
    const int wideLength = length ? ::MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0) : 0;
    if (length && wideLength <= 0)
        return {};
    GlobalMemory memory((static_cast<std::size_t>(wideLength) + 1) * sizeof(WCHAR));
    auto* wide = memory ? static_cast<WCHAR*>(::GlobalLock(memory.Get())) : nullptr;
    if (!wide)
        return {};
    const int converted = length ? ::MultiByteToWideChar(codePage, 0, text.data(), length, wide, wideLength) : 0;
    wide[wideLength] = L'\0';
    ::GlobalUnlock(memory.Get());
    if (converted != wideLength)
        return {};
    return memory;
}

// Hands the memory to the clipboard; on refusal it stays ours and is freed with the object.
bool Hand(UINT format, GlobalMemory& memory) {
    if (!::SetClipboardData(format, memory.Get()))
        return false;
    memory.Release();
    return true;
}

} // namespace

namespace Clipboard {

bool PutText(HWND owner, std::string_view text, UINT codePage) noexcept {
    // Everything that can fail for want of memory fails before the clipboard is touched.
    GlobalMemory ansi = AnsiText(text);
    GlobalMemory unicode = ansi ? UnicodeText(text, codePage) : GlobalMemory{};
    if (!ansi || !unicode)
        return false;
    const OpenedClipboard clipboard(owner);
    if (!clipboard || !::EmptyClipboard())
        return false;
    if (Hand(CF_TEXT, ansi) && Hand(CF_UNICODETEXT, unicode))
        return true;
    ::EmptyClipboard(); // frees what was handed over: no half copy stays behind
    return false;
}

std::optional<std::string> GetText(HWND owner, UINT codePage) {
    if (!::IsClipboardFormatAvailable(CF_UNICODETEXT))
        return std::nullopt;
    const OpenedClipboard clipboard(owner);
    const HANDLE data = clipboard ? ::GetClipboardData(CF_UNICODETEXT) : nullptr;
    const auto* wide = data ? static_cast<const WCHAR*>(::GlobalLock(data)) : nullptr;
    if (!wide)
        return std::nullopt;
    struct Unlock {
        HANDLE data;
        ~Unlock() { ::GlobalUnlock(data); }
    } unlock{data};
    // Up to the terminating zero, and never past the memory's end.
    const std::size_t capacity = ::GlobalSize(data) / sizeof(WCHAR);
    std::size_t length = 0;
    while (length < capacity && wide[length] != 0)
        ++length;
    if (length == 0)
        return std::string();
    const int wideLength = static_cast<int>(length);
    const int size = ::WideCharToMultiByte(codePage, 0, wide, wideLength, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::nullopt;
    std::string text(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(codePage, 0, wide, wideLength, text.data(), size, nullptr, nullptr);
    return text;
}

} // namespace Clipboard
