// Records: the map's two access forms, byte-exact values, and the Key=Value text form.
#include "framework/CMapStringToString.h"
#include "tools/PlanetRecordText.h"

#include <gtest/gtest.h>

#include <set>

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

TEST(CString, KeepsEmbeddedZerosAndHighBytes) {
    const CString text(std::string_view("a\0\xFF", 3));
    EXPECT_EQ(3, text.GetLength());
    EXPECT_EQ("Ga", CString("Game.").Left(2));
    EXPECT_EQ("Game.", CString("Game.").Left(99));
    EXPECT_EQ("", CString("Game.").Left(-1));
}

TEST(PlanetRecordText, SplitsAtTheFirstEqualsAndKeepsValuesAsBytes) {
    const CMapStringToString record =
        PlanetRecordText::Parse("Name=Terra=Nova\r\n\nProduction= Capital \nCAP=\n\xC8=\xEC\xFF\r\n");
    EXPECT_EQ(4, record.GetCount());
    CString value;
    ASSERT_TRUE(record.Lookup("Name", value));
    EXPECT_EQ("Terra=Nova", value);
    ASSERT_TRUE(record.Lookup("Production", value));
    EXPECT_EQ(" Capital ", value);
    ASSERT_TRUE(record.Lookup("CAP", value));
    EXPECT_EQ("", value);
    ASSERT_TRUE(record.Lookup("\xC8", value));
    EXPECT_EQ("\xEC\xFF", value);
}

TEST(PlanetRecordText, NamesTheLineOfAMalformedPair) {
    const struct {
        const char* text;
        int line;
    } cases[] = {{"Name=A\nno equals here\n", 2}, {"\n\n=value\n", 3}, {"Size\r\n", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            PlanetRecordText::Parse(c.text);
            ADD_FAILURE() << "no error";
        } catch (const PlanetRecordText::ParseError& error) {
            EXPECT_EQ(c.line, error.line);
        }
    }
}

} // namespace
