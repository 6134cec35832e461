// UTF-8, the encoding of the tool's JSON and charts and of most text editors' files: telling well-formed
// text from other bytes, and writing characters in it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class Utf8 {
public:
    // The length of the well-formed sequence text starts with (1 for an ASCII byte), or 0 when it starts
    // with none: a stray continuation byte, an overlong form, a surrogate, a character past U+10FFFF or a
    // sequence cut short.
    static std::size_t SequenceLength(std::string_view text);
    // Whether the whole text is well-formed UTF-8.
    static bool IsValid(std::string_view text);
    // The character of a well-formed sequence, as SequenceLength measured it.
    static char32_t Decode(std::string_view sequence);
    // Appends the character; a surrogate or a value past U+10FFFF appends U+FFFD instead.
    static void Append(std::string& text, char32_t character);
    // Text of the platform's wide characters (UTF-16 on Windows) as UTF-8; a lone surrogate becomes U+FFFD.
    static std::string FromWide(std::wstring_view wide);
};
