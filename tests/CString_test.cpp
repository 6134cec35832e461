// Byte strings: embedded zeros, high bytes and the class library's Left.
#include "framework/CString.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

TEST(CString, KeepsEmbeddedZerosAndHighBytes) {
    const CString text(std::string_view("a\0\xFF", 3));
    EXPECT_EQ(3, text.GetLength());
    EXPECT_EQ("Ga", CString("Game.").Left(2));
    EXPECT_EQ("Game.", CString("Game.").Left(99));
    EXPECT_EQ("", CString("Game.").Left(-1));
}

} // namespace
