// UTF-8 by its definition: which sequences are well-formed, and wide text written in it.
#include "framework/Utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8, MeasuresOnlyWellFormedSequences) {
    const struct {
        const char* text;
        std::size_t length;
    } cases[] = {// well-formed; a stray continuation, overlong forms, a surrogate, cut short, past U+10FFFF,
                 // Windows-1251 "Но", nothing
                 {"A", 1},        {"\xD0\x96z", 2},        {"\xE2\x82\xAC", 3}, {"\xF0\x9F\x9A\x80", 4},
                 {"\x80", 0},     {"\xC0\x80", 0},         {"\xE0\x80\xAF", 0}, {"\xED\xA0\x80", 0},
                 {"\xE2\x82", 0}, {"\xF4\x90\x80\x80", 0}, {"\xCD\xEE", 0},     {"", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.length, Utf8::SequenceLength(c.text));
    }
}

TEST(Utf8, JoinsSurrogatePairsOfWideText) {
    // Windows' wide text is UTF-16: a character past U+FFFF comes as two, a lone half is no character.
    EXPECT_EQ("\xF0\x9F\x9A\x80!\xEF\xBF\xBD",
              Utf8::FromWide(std::wstring{wchar_t(0xD83D), wchar_t(0xDE80), L'!', wchar_t(0xDE80)}));
}

} // namespace
