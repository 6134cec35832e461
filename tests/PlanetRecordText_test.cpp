// The Key=Value text form of planet records.
#include "tools/PlanetRecordText.h"

#include <gtest/gtest.h>

namespace {

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

TEST(PlanetRecordText, ReadsEachLineAsUtf8OrElseAsWindows1251) {
    // "Новая Земля" and "Альфа" in both encodings.
    const std::string name1251 = "\xCD\xEE\xE2\xE0\xFF \xC7\xE5\xEC\xEB\xFF", game1251 = "\xC0\xEB\xFC\xF4\xE0";
    const std::string nameUtf8 = "\xD0\x9D\xD0\xBE\xD0\xB2\xD0\xB0\xD1\x8F \xD0\x97\xD0\xB5\xD0\xBC\xD0\xBB\xD1\x8F";
    const std::string gameUtf8 = "\xD0\x90\xD0\xBB\xD1\x8C\xD1\x84\xD0\xB0";
    const std::string both = "Name=" + nameUtf8 + "\r\nGameName=" + gameUtf8 + "\r\nNum=3";
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"UTF-8", both},
        {"Windows-1251", "Name=" + name1251 + "\r\nGameName=" + game1251 + "\r\nNum=3"},
        {"both, a line each", "Name=" + nameUtf8 + "\r\nGameName=" + game1251 + "\r\nNum=3"},
        {"UTF-8 after a byte order mark", "\xEF\xBB\xBF" + both},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(both, PlanetRecordText::ToUtf8(c.text));
    }
    // Bytes the code page leaves unassigned, or control bytes, are still characters: nothing is lost.
    EXPECT_EQ("A=\xC2\x98\x01\n\nB=\xC2\xA0", PlanetRecordText::ToUtf8("A=\x98\x01\n\nB=\xA0"));
}

} // namespace
