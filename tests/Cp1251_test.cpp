// Windows-1251 by its table: every byte a character and back, and what UTF-8 cannot take there.
#include "framework/Cp1251.h"

#include "framework/Utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1251, EveryByteComesBackWhole) {
    for (int byte = 0; byte < 256; ++byte) {
        SCOPED_TRACE(byte);
        const std::string bytes(1, static_cast<char>(byte));
        const std::string utf8 = Cp1251::ToUtf8(bytes);
        EXPECT_TRUE(Utf8::IsValid(utf8));
        EXPECT_EQ(Cp1251::Character(static_cast<unsigned char>(byte)), Utf8::Decode(utf8));
        std::size_t unwritten = 0;
        EXPECT_EQ(bytes, Cp1251::FromUtf8(utf8, unwritten));
        EXPECT_EQ(0u, unwritten);
        EXPECT_EQ(std::wstring(1, static_cast<wchar_t>(Cp1251::Character(static_cast<unsigned char>(byte)))),
                  Cp1251::ToWide(bytes));
    }
}

TEST(Cp1251, ReadsTheCodePagesLetters) {
    const struct {
        unsigned char byte;
        char32_t character;
    } cases[] = {{'A', U'A'},       {0xC0, U'\u0410'}, {0xDF, U'\u042F'}, {0xE0, U'\u0430'},
                 {0xFF, U'\u044F'}, {0xA8, U'\u0401'}, {0xB8, U'\u0451'}, {0xB9, U'\u2116'},
                 {0x88, U'\u20AC'}, {0xA5, U'\u0490'}, {0x98, U'\u0098'}, {0xA0, U'\u00A0'}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.byte);
        EXPECT_EQ(c.character, Cp1251::Character(c.byte));
    }
    EXPECT_EQ("\xD0\x9D\xD0\xBE\xD0\xB2\xD0\xB0\xD1\x8F", Cp1251::ToUtf8("\xCD\xEE\xE2\xE0\xFF")); // Новая
}

TEST(Cp1251, MarksWhatItCannotWrite) {
    const struct {
        const char* utf8;
        const char* bytes;
        std::size_t unwritten;
    } cases[] = {
        {"\xD0\x9D\xD0\xBE\xD0\xB2\xD0\xB0\xD1\x8F 1", "\xCD\xEE\xE2\xE0\xFF 1", 0},
        {"\xE6\x97\xA5\xE6\x9C\xAC", "??", 2}, // two CJK characters
        {"\xF0\x9F\x9A\x80x", "?x", 1},        // a character past U+FFFF, one '?'
        {"\xC3\xA9", "?", 1},                  // é: Latin-1, not Cyrillic
        {"\xFF\xD0", "??", 2},                 // bytes of no sequence, one '?' each
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        std::size_t unwritten = 0;
        EXPECT_EQ(c.bytes, Cp1251::FromUtf8(c.utf8, unwritten));
        EXPECT_EQ(c.unwritten, unwritten);
    }
}

} // namespace
