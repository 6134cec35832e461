// Text on the clipboard in both its text formats, whole or not at all.
#pragma once

#include "Win32.h"

#include <optional>
#include <string>
#include <string_view>

namespace Clipboard {

// Puts text, bytes in codePage, on the clipboard as CF_TEXT (those bytes) and as CF_UNICODETEXT (the
// same text converted), with owner as the clipboard's owner. True when both are there. On failure the
// clipboard holds either what it held before (nothing could be prepared, or the clipboard could not be
// opened) or nothing (the system refused one of the two): never half the copy. Memory not handed to
// the system is freed, and nothing throws.
bool PutText(HWND owner, std::string_view text, UINT codePage) noexcept;

// The clipboard's text, as bytes in codePage (read from CF_UNICODETEXT, which the system also makes
// from a CF_TEXT put there alone); nothing when it holds no text or cannot be opened. Throws
// std::bad_alloc when memory runs out.
std::optional<std::string> GetText(HWND owner, UINT codePage);

} // namespace Clipboard
