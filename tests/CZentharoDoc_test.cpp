// Creating a projection from a planet record: row 0, the inputs' defaults, turn numbers and title.
#include "ProjectionFixtures.h"
#include "model/DocumentColumns.h"

#include <gtest/gtest.h>

namespace {

TEST(CZentharoDocCreation, LaysTheRecordIntoRowZero) {
    CZentharoDoc document(ExampleRecord({{"Size", "1000.00"}, {"CAP", "5e1"}}));
    const std::pair<ProjectionColumn CZentharoDoc::*, const char*> rowZero[] = {
        {&CZentharoDoc::m_size, "1000.00"}, {&CZentharoDoc::m_res, "2"},   {&CZentharoDoc::m_pop, "800"},
        {&CZentharoDoc::m_col, "10"},       {&CZentharoDoc::m_ind, "400"}, {&CZentharoDoc::m_cap, "5e1"},
        {&CZentharoDoc::m_mat, "30"},
    };
    for (const auto& [member, text] : rowZero) {
        SCOPED_TRACE(text);
        EXPECT_EQ(kProjectionRows, (document.*member).GetSize());
        EXPECT_EQ(text, (document.*member)[0]);
        EXPECT_EQ("", (document.*member)[1]);
    }
}

TEST(CZentharoDocCreation, NumbersTurnsAndDefaultsInputs) {
    CZentharoDoc document(ExampleRecord({{"Production", "Battlecruiser Mk2"}}));
    for (int row = 0; row < kProjectedTurns; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(NumberText::IntegerToText(40 + row), document.m_turn[row]);
        for (auto member : {&CZentharoDoc::m_colIn, &CZentharoDoc::m_capIn, &CZentharoDoc::m_matIn,
                            &CZentharoDoc::m_upgrade, &CZentharoDoc::m_bombing})
            EXPECT_EQ("0", (document.*member)[row]);
        EXPECT_EQ("Battlecruiser Mk2", document.m_production[row]);
    }
    for (auto member : {&CZentharoDoc::m_turn, &CZentharoDoc::m_colIn, &CZentharoDoc::m_production, &CZentharoDoc::m_l,
                        &CZentharoDoc::m_needCol, &CZentharoDoc::m_mass})
        EXPECT_EQ("", (document.*member)[20]);
}

TEST(CZentharoDocCreation, TurnNumbersNeverOverflow) {
    const struct {
        const char* turn;
        const char* first;
        const char* last;
    } cases[] = {{"2147483647", "2147483647", "2147483666"},
                 {"99999999999", "2147483647", "2147483666"},
                 {"-5", "-5", "14"},
                 {"abc", "0", "19"},
                 {" 40.9", "40", "59"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.turn);
        CZentharoDoc document(ExampleRecord({{"Turn", c.turn}}));
        EXPECT_EQ(c.first, document.m_turn[0]);
        EXPECT_EQ(c.last, document.m_turn[19]);
    }
}

TEST(CZentharoDocCreation, MissingKeysBecomeEmptyCellsAndEmptyKeysOfItsCopy) {
    CMapStringToString record;
    record.SetAt("Size", "500");
    CZentharoDoc document(record);
    EXPECT_EQ("", document.m_cap[0]);
    EXPECT_EQ("0", document.m_turn[0]);
    EXPECT_EQ("", document.m_production[0]);
    CString value;
    EXPECT_TRUE(document.m_planet.Lookup("CAP", value)); // the copy was indexed, the source was not
    EXPECT_FALSE(record.Lookup("CAP", value));
}

TEST(CZentharoDocCreation, KeepsItsOwnCopyOfTheRecord) {
    CMapStringToString record = ExampleRecord();
    CZentharoDoc document(record);
    record["Population"] = "1";
    record["Name"] = "Elsewhere";
    EXPECT_EQ("800", document.m_pop[0]);
    EXPECT_EQ("Terra", document.m_planet["Name"]);
}

// Everything a document shows: its title and every text of every column.
std::string Snapshot(const CMapStringToString& record) {
    const auto document = OpenedDocument(record);
    std::string texts = document->GetTitle().Bytes();
    for (const DocumentColumn& column : kDocumentColumns)
        for (int row = 0; row < kProjectionRows; ++row)
            texts += "|" + ((*document).*column.member)[row].Bytes();
    return texts;
}

TEST(CZentharoDocCreation, ReadsTheRecordKeysItListsAndNoOther) {
    const std::string example = Snapshot(ExampleRecord());
    for (const char* key : CZentharoDoc::kRecordKeys) {
        SCOPED_TRACE(key);
        EXPECT_NE(example, Snapshot(ExampleRecord({{key, "7"}})));
    }
    EXPECT_EQ(example, Snapshot(ExampleRecord({{"Popultion", "7"}, {"population", "7"}, {"Owner", "7"}})));
}

TEST(CZentharoDocTitle, NamesPlanetNumberGameAndTurn) {
    auto document = std::make_unique<CZentharoDoc>(ExampleRecord());
    document->m_bAutoDelete = false;
    ASSERT_TRUE(document->OnNewDocument());
    EXPECT_EQ("Zentharo  Terra (#17)   Alpha:40", document->GetTitle());

    CZentharoDoc bare{CMapStringToString()};
    bare.m_bAutoDelete = false;
    bare.OnNewDocument();
    EXPECT_EQ("Zentharo   (#)   :", bare.GetTitle());
}

} // namespace
