// Reading back the text a program put on the clipboard, in both of its text formats.
#pragma once

#include "framework/Win32.h"

#include <string>

namespace ClipboardText {

// Empties the clipboard, so that text read afterwards was put there since.
bool Clear(HWND owner, std::string& error);
// Puts UTF-8 text on the clipboard as another program would: CF_TEXT in Windows-1251, the host's code
// page, and CF_UNICODETEXT.
bool Write(HWND owner, const std::string& utf8, std::string& error);
// The clipboard's text as UTF-8. Fails, with error set, when there is none or when CF_TEXT read as
// Windows-1251 and CF_UNICODETEXT are not the same text.
bool Read(HWND owner, std::string& utf8, std::string& error);

} // namespace ClipboardText
