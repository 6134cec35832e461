// Windows-1251 by its table: every byte a character and back, and what UTF-8 cannot take there.
#include "framework/Cp1251.h"

#include "framework/Utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1251, EveryByteComesBackWhole) {
    for (int byte = 0; byte < 256; ++byte) {
        SCOPED_TRACE(byte);
        const std::string bytes(1, static_cast<char>(byte)), utf8 = Cp1251::ToUtf8(bytes);
        std::size_t unwritten = 0;
        EXPECT_TRUE(Utf8::IsValid(utf8) && Cp1251::FromUtf8(utf8, unwritten) == bytes && unwritten == 0);
    }
}

TEST(Cp1251, MarksWhatItCannotWrite) {
    const struct {
        const char* utf8;
        const char* bytes;
        std::size_t unwritten;
    } cases[] = {
        {"\xD0\x9D\xD0\xBE\xD0\xB2\xD0\xB0\xD1\x8F \xE2\x84\x96", "\xCD\xEE\xE2\xE0\xFF \xB9", 0}, // Новая №
        {"\xE6\x97\xA5\xC3\xA9", "??", 2}, // a CJK character, and é, which is Latin-1
        {"\xF0\x9F\x9A\x80x", "?x", 1},    // past U+FFFF: one '?'
        {"\xFF\xD0", "??", 2},             // bytes of no sequence: one '?' each
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        std::size_t unwritten = 0;
        EXPECT_EQ(c.bytes, Cp1251::FromUtf8(c.utf8, unwritten));
        EXPECT_EQ(c.unwritten, unwritten);
    }
}

} // namespace
