// The records the demo host hands to the module.
#include "host/HostRecords.h"

#include <gtest/gtest.h>

namespace {

TEST(HostRecords, GamesListNumbersTheOpenGamesFromOne) {
    const CMapStringToString record = HostRecords::GamesList({"Alpha", "Beta", "Gamma"});
    ASSERT_EQ(3, record.GetCount());
    CString value;
    ASSERT_TRUE(record.Lookup("Game.1", value));
    EXPECT_EQ("Alpha", value);
    ASSERT_TRUE(record.Lookup("Game.3", value));
    EXPECT_EQ("Gamma", value);
    EXPECT_TRUE(HostRecords::GamesList({}).IsEmpty());
}

TEST(HostRecords, InitializeWritesHandlesAsDecimalText) {
    const CMapStringToString record = HostRecords::Initialize(0x10A4, 7, 0, 4294967295u);
    const std::pair<const char*, const char*> expected[] = {
        {"MainFrame", "4260"}, {"DataManager", "7"}, {"EventMask", "0"}, {"MainFramePtr", "4294967295"}};
    for (const auto& [key, text] : expected) {
        CString value;
        ASSERT_TRUE(record.Lookup(key, value)) << key;
        EXPECT_EQ(text, value) << key;
    }
}

} // namespace
