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

} // namespace
