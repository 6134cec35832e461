// UTF-8 by its definition: which sequences are well-formed, and characters written back.
#include "framework/Utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8, MeasuresOnlyWellFormedSequences) {
    const struct {
        const char* text;
        std::size_t length;
    } cases[] = {
        {"A", 1},
        {"\xD0\x96z", 2},        // Ж, then more text
        {"\xE2\x82\xAC", 3},     // €
        {"\xF0\x9F\x9A\x80", 4}, // U+1F680
        {"\x80", 0},             // a continuation byte alone
        {"\xC0\x80", 0},         // an overlong NUL
        {"\xE0\x80\xAF", 0},     // an overlong '/'
        {"\xED\xA0\x80", 0},     // a surrogate
        {"\xF4\x90\x80\x80", 0}, // past U+10FFFF
        {"\xE2\x82", 0},         // cut short
        {"\xCD\xEE", 0},         // Windows-1251 "Но": a lead byte, then no continuation
        {"\xD0\xE5", 0},         // Windows-1251 "Ре"
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.length, Utf8::SequenceLength(c.text));
    }
    EXPECT_EQ(0u, Utf8::SequenceLength(""));
    EXPECT_TRUE(Utf8::IsValid("Terra \xD0\x9D\xD0\xBE\xD0\xB2\xD0\xB0\xD1\x8F"));
    EXPECT_FALSE(Utf8::IsValid("Terra \xCD\xEE\xE2\xE0\xFF"));
}

TEST(Utf8, WritesWhatItReads) {
    for (const char32_t character :
         {0x41u, 0x7Fu, 0x80u, 0x416u, 0x7FFu, 0x800u, 0x20ACu, 0xFFFFu, 0x10000u, 0x10FFFFu}) {
        SCOPED_TRACE(static_cast<unsigned>(character));
        std::string text;
        Utf8::Append(text, character);
        ASSERT_EQ(text.size(), Utf8::SequenceLength(text));
        EXPECT_EQ(character, Utf8::Decode(text));
    }
    std::string replaced;
    Utf8::Append(replaced, 0xD800);
    Utf8::Append(replaced, 0x110000);
    EXPECT_EQ("\xEF\xBF\xBD\xEF\xBF\xBD", replaced);
}

TEST(Utf8, JoinsSurrogatePairsOfWideText) {
    // Windows' wide text is UTF-16: a character past U+FFFF comes as two, a lone half is no character.
    EXPECT_EQ("\xF0\x9F\x9A\x80!", Utf8::FromWide(std::wstring{wchar_t(0xD83D), wchar_t(0xDE80), L'!'}));
    EXPECT_EQ("\xEF\xBF\xBD"
              "a",
              Utf8::FromWide(std::wstring{wchar_t(0xDE80), L'a'}));
    EXPECT_EQ("\xD0\x96", Utf8::FromWide(L"\x0416"));
}

} // namespace
