// Windows-1251, the code page of the game's files and of the records a host sends, whatever the system's
// code page: its bytes as characters and back, the same on every platform.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class Cp1251 {
public:
    // The character a byte stands for. Every byte stands for one: 0x98, which the code page leaves
    // unassigned, stands for U+0098 as the system's converter has it, so that any bytes come back whole.
    static char32_t Character(unsigned char byte);
    // The bytes as the platform's wide characters (UTF-16 on Windows), one for each byte.
    static std::wstring ToWide(std::string_view bytes);
    static std::string ToUtf8(std::string_view bytes);
    // UTF-8 text in Windows-1251. A character the code page lacks, and each byte of a malformed
    // sequence, becomes '?' and is counted in unwritten.
    static std::string FromUtf8(std::string_view utf8, std::size_t& unwritten);
};
