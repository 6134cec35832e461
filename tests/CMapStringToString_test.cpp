// Records: the map's two access forms, byte-exact values, and the mark that tells ours from another library's.
#include "framework/CMapStringToString.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

namespace {

TEST(CMapStringToString, LookupReportsAMissingKeyAndChangesNothing) {
    CMapStringToString record;
    record.SetAt("Num", "17");
    CString value = "untouched";
    EXPECT_FALSE(record.Lookup("GameName", value));
    EXPECT_EQ("untouched", value);
    EXPECT_EQ(1, record.GetCount());
    EXPECT_TRUE(record.Lookup("Num", value));
    EXPECT_EQ("17", value);
}

TEST(CMapStringToString, IndexingInsertsAMissingKeyWithAnEmptyValue) {
    CMapStringToString record;
    EXPECT_EQ("", record["GameName"]);
    EXPECT_EQ(1, record.GetCount());
    CString value = "x";
    EXPECT_TRUE(record.Lookup("GameName", value));
    EXPECT_EQ("", value);
    record["GameName"] = "Alpha";
    EXPECT_EQ("Alpha", record["GameName"]);
    EXPECT_EQ(1, record.GetCount());
}

TEST(CMapStringToString, KeysAreCaseSensitiveBytes) {
    CMapStringToString record;
    record.SetAt("Game.1", "Alpha");
    record.SetAt("game.1", "Beta");
    record.SetAt("\xC8\xEC\xFF", "\xCF\xEB\xE0\xED\xE5\xF2\xE0"); // Windows-1251 bytes, not UTF-8
    EXPECT_EQ(3, record.GetCount());
    EXPECT_EQ("\xCF\xEB\xE0\xED\xE5\xF2\xE0", record["\xC8\xEC\xFF"]);
    EXPECT_EQ(7, record["\xC8\xEC\xFF"].GetLength());
}

TEST(CMapStringToString, IteratesEveryPairOnceAndEmpties) {
    CMapStringToString record(10);
    for (const char* key : {"a", "b", "c"})
        record[key] = CString(key) + "!";
    std::set<std::string> seen;
    for (const auto& [key, value] : record) {
        EXPECT_EQ(key + "!", value);
        seen.insert(key.Bytes());
    }
    EXPECT_EQ((std::set<std::string>{"a", "b", "c"}), seen);
    record.RemoveAll();
    EXPECT_TRUE(record.IsEmpty());
}

TEST(CMapStringToString, BeginsWithAMarkThatTellsItFromAnotherLibrarysMap) {
    // Another library's map begins with the pointer to its table of virtual functions.
    struct OtherMap {
        virtual ~OtherMap() = default;
        int count = 0;
    };
    const CMapStringToString empty;
    CMapStringToString filled;
    filled["Name"] = "Terra";
    const CMapStringToString copied = filled;
    CMapStringToString swapped;
    swapped.Swap(filled);
    const CMapStringToString* records[] = {&empty, &filled, &copied, &swapped};
    for (const CMapStringToString* record : records)
        EXPECT_TRUE(CMapStringToString::IsOurs(record));
    const OtherMap other;
    EXPECT_FALSE(CMapStringToString::IsOurs(&other));
    const std::uint32_t pointerSized = 0x7FFE0000; // a high user-mode address
    EXPECT_FALSE(CMapStringToString::IsOurs(&pointerSized));
}

} // namespace
