// Recalculate: the worked example and its variations, the choices where the arithmetic breaks down,
// and properties that hold over random tables.
#include "ProjectionFixtures.h"
#include "model/DocumentColumns.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using Member = ProjectionColumn CZentharoDoc::*;

struct Cell {
    Member column;
    int row;
    const char* text;
};

// A change to the table before it is recalculated: record values, then inputs by column and row.
struct Variation {
    const char* name;
    RecordChanges record;
    std::vector<Cell> inputs;
    std::vector<Cell> expected;
};

std::unique_ptr<CZentharoDoc> Recalculated(const Variation& variation) {
    auto document = std::make_unique<CZentharoDoc>(ExampleRecord(variation.record));
    document->m_bAutoDelete = false;
    for (const Cell& input : variation.inputs) {
        if (input.row < 0) {
            for (int row = 0; row < kProjectedTurns; ++row)
                (document.get()->*input.column)[row] = input.text;
        } else {
            (document.get()->*input.column)[input.row] = input.text;
        }
    }
    document->Recalculate(0);
    return document;
}

constexpr int kEveryRow = -1;
const Member Pop = &CZentharoDoc::m_pop, Ind = &CZentharoDoc::m_ind, Col = &CZentharoDoc::m_col,
             Cap = &CZentharoDoc::m_cap, Mat = &CZentharoDoc::m_mat, Size = &CZentharoDoc::m_size,
             Res = &CZentharoDoc::m_res, L = &CZentharoDoc::m_l, NeedCol = &CZentharoDoc::m_needCol,
             NeedCap = &CZentharoDoc::m_needCap, Mass = &CZentharoDoc::m_mass, Upgrade = &CZentharoDoc::m_upgrade,
             Bombing = &CZentharoDoc::m_bombing, Production = &CZentharoDoc::m_production,
             MatIn = &CZentharoDoc::m_matIn, ColIn = &CZentharoDoc::m_colIn;

const std::vector<Variation>& Variations() {
    static const std::vector<Variation> variations = {
        {"worked example",
         {},
         {},
         {{Pop, 1, "950.4"}, {Ind, 1, "450"}, {Col, 1, "0"},       {Cap, 1, "0"},       {Mat, 1, "30"},
          {Size, 1, "1000"}, {Res, 1, "2"},   {NeedCol, 1, "6.2"}, {NeedCap, 1, "550"}, {Mass, 1, "54.52380952381"},
          {L, 0, "557.5"},   {L, 1, "575.1"}, {Pop, 2, "1000"},    {Col, 2, "3.304"},   {NeedCol, 2, "0"},
          {Mass, 2, "56.2"}, {Pop, 0, "800"}, {Col, 0, "10"},      {NeedCol, 0, ""},    {NeedCap, 0, ""},
          {Mass, 0, ""}}},
        {"capital short of materials",
         {},
         {{Production, kEveryRow, "Capital"}},
         {{Ind, 1, "554.0909090909"}, {Cap, 1, "0"}, {Mat, 1, "0"}}},
        {"capital from the stock",
         {{"MAT", "200"}},
         {{Production, kEveryRow, "Capital"}},
         {{Mat, 1, "88.5"}, {Ind, 1, "561.5"}, {Cap, 1, "0"}, {Mass, 1, "55.75"}}},
        {"materials", {}, {{Production, kEveryRow, "Materials"}}, {{Mat, 1, "1145"}}},
        {"terraforming",
         {},
         {{Production, kEveryRow, "_TerraForming"}},
         {{Size, 1, "1055.75"}, {Res, 1, "1.6655"}, {Mat, 1, "0"}}},
        {"terraforming past the largest size",
         {{"Size", "2490"}},
         {{Production, kEveryRow, "_TerraForming"}},
         {{Size, 1, "2500.00"}, {Res, 1, "1.865662650602"}}},
        {"no production choice at all",
         {{"Production", ""}},
         {},
         {{Pop, 1, "950.4"}, {Mat, 1, "30"}, {Mass, 1, "54.52380952381"}, {Mass, 2, "56.2"}}},
        {"production choices are case-sensitive", {}, {{Production, kEveryRow, "materials"}}, {{Mat, 1, "30"}}},
        {"upgrade takes the whole production",
         {},
         {{Production, kEveryRow, "Materials"}, {Upgrade, 0, "1000"}},
         {{Upgrade, 0, "557.5"}, {Mat, 1, "30"}, {Mass, 1, "0"}, {Mat, 2, "1180.2"}}},
        {"upgrade equal to L", {}, {{Upgrade, 0, "557.5"}}, {{Upgrade, 0, "557.5"}, {Mass, 1, "0"}}},
        {"part of the production upgraded",
         {},
         {{Production, kEveryRow, "Materials"}, {Upgrade, 0, "57.5"}},
         {{Upgrade, 0, "57.5"}, {Mat, 1, "1030"}}},
        {"bombing",
         {},
         {{Bombing, 1, "500"}},
         {{Col, 1, "0"}, {Cap, 1, "0"}, {Ind, 1, "0"}, {L, 0, "95"}, {Pop, 1, "410.4"}}},
        {"bombing of row 0 is never used", {}, {{Bombing, 0, "500"}}, {{Pop, 1, "950.4"}, {L, 0, "557.5"}}},
        {"population above the size",
         {{"Population", "1200"}, {"COL", "0"}},
         {},
         {{Pop, 1, "1000"}, {Col, 1, "35"}, {Ind, 1, "450"}, {L, 0, "587.5"}}},
        {"deliveries arrive a turn later",
         {},
         {{ColIn, 3, "500"}, {MatIn, 0, "70"}},
         {{Mat, 1, "100"}, {Mat, 2, "100"}, {NeedCol, 4, "0"}}},
        // A size of 0 leaves no production unless a negative upgrade adds some; the division by the size
        // then gives no finite resources, stored as 0.
        {"size 0 under terraforming",
         {{"Size", "0"}},
         {{Production, kEveryRow, "_TerraForming"}, {Upgrade, 0, "-10"}},
         {{Res, 1, "0"}, {Size, 1, "1"}, {Mat, 1, "0"}, {Upgrade, 0, "-10"}}},
        {"resources of -0.1", {{"Resource", "-0.1"}}, {}, {{Mass, 1, "0"}}},
        {"resources of -0.2 under capital",
         {{"Resource", "-0.2"}},
         {{Production, kEveryRow, "Capital"}},
         {{Cap, 1, "0"}, {Mat, 1, "0"}}},
        {"a need of exactly an eighth",
         {{"Population", "925"}, {"COL", "0"}},
         {},
         {{Pop, 1, "999"}, {NeedCol, 1, "0.125"}}},
        {"a need halfway between two 13-digit texts",
         {{"Size", "1234567890122.5"}, {"Population", "999"}, {"COL", "0"}},
         {},
         {{NeedCap, 1, "1234567889673"}}}, // 1234567889672.5, away from zero
    };
    return variations;
}

TEST(Recalculate, WorkedExampleAndVariations) {
    for (const Variation& variation : Variations()) {
        SCOPED_TRACE(variation.name);
        const auto document = Recalculated(variation);
        for (const Cell& cell : variation.expected)
            EXPECT_EQ(cell.text, (document.get()->*cell.column)[cell.row]) << "row " << cell.row;
    }
}

// Every cell of rows 0..19 of every column, as text, for whole-table comparisons.
std::vector<std::string> Snapshot(const CZentharoDoc& document) {
    std::vector<std::string> cells;
    for (const DocumentColumn& column : kDocumentColumns)
        for (int row = 0; row < kProjectionRows; ++row)
            cells.push_back((document.*column.member)[row].Bytes());
    return cells;
}

TEST(Recalculate, FirstRowsOutsideTheTableChangeNothing) {
    for (int firstRow : {-1, 20, 1000, -2147483647 - 1}) {
        SCOPED_TRACE(firstRow);
        CZentharoDoc document(ExampleRecord());
        const auto before = Snapshot(document);
        document.Recalculate(firstRow);
        EXPECT_EQ(before, Snapshot(document));
    }
}

TEST(Recalculate, FromTheLastRowOnlyRecomputesItsL) {
    CZentharoDoc document(ExampleRecord());
    auto expected = Snapshot(document);
    document.Recalculate(19);
    EXPECT_EQ("0", document.m_l[19]);
    document.m_l[19] = "";
    EXPECT_EQ(expected, Snapshot(document));
}

// Part of the way, then the rest: the rows past the last one built are left as they were, and building
// them afterwards gives the whole recalculation, text for text.
TEST(Recalculate, PartOfTheWayLeavesTheRowsAfterAlone) {
    auto whole = OpenedDocument(ExampleRecord({{"Production", "Capital"}}));
    auto part = OpenedDocument(ExampleRecord({{"Production", "Capital"}}));
    for (auto* document : {whole.get(), part.get()})
        document->m_colIn[4] = "300";
    whole->Recalculate(2);
    const auto before = Snapshot(*part);
    part->Recalculate(2, 9);
    const auto afterPart = Snapshot(*part);
    for (std::size_t cell = 0; cell < afterPart.size(); ++cell) {
        const int row = static_cast<int>(cell % kProjectionRows);
        if (row >= 10 && row < kProjectedTurns)
            EXPECT_EQ(before[cell], afterPart[cell]) << "row " << row;
    }
    EXPECT_NE(before, afterPart); // rows 3..9 were built
    part->Recalculate(9);
    EXPECT_EQ(Snapshot(*whole), Snapshot(*part));
}

TEST(Recalculate, LeavesRowTwentyAndRowZeroAlone) {
    const auto document = OpenedDocument(ExampleRecord({{"Size", "1000.00"}}));
    for (Member member : {Pop, Ind, Col, Cap, Mat, Size, Res, L, NeedCol, NeedCap, Mass})
        EXPECT_EQ("", (document.get()->*member)[20]);
    EXPECT_EQ("1000.00", document->m_size[0]);
    EXPECT_EQ("1000.00", document->m_pop[19]); // copied texts travel unchanged
}

// Random tables: a second pass changes nothing, and every computed text reads back as itself.
TEST(Recalculate, IsStableOverRandomTables) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> amount(-50, 3000);
    std::uniform_int_distribution<int> pick(0, 5);
    const char* productions[] = {"Capital", "Materials", "Ship", "_TerraForming", "", "Dreadnought"};
    for (int trial = 0; trial < 300; ++trial) {
        CMapStringToString record = ExampleRecord();
        for (const char* key : {"Size", "Resource", "Population", "COL", "Industry", "CAP", "MAT"})
            record[key] = NumberText::NumberToText(amount(random) / (key[0] == 'R' ? 300 : 1));
        CZentharoDoc document(record);
        for (int row = 0; row < kProjectedTurns; ++row) {
            document.m_production[row] = productions[pick(random)];
            if (pick(random) == 0)
                document.m_colIn[row] = NumberText::NumberToText(amount(random));
            if (pick(random) == 0)
                document.m_upgrade[row] = NumberText::NumberToText(amount(random) / 2);
            if (pick(random) == 0)
                document.m_bombing[row] = NumberText::NumberToText(amount(random) / 4);
        }
        document.Recalculate(0);
        const auto first = Snapshot(document);
        document.Recalculate(0);
        ASSERT_EQ(first, Snapshot(document)) << "trial " << trial;
        for (Member member : {Pop, Ind, Col, Cap, Size, NeedCol, NeedCap, Mass, L})
            for (int row = 1; row < kProjectedTurns; ++row) {
                const CString& text = (document.*member)[row];
                if (text == "2500.00") // the largest size is a literal
                    continue;
                EXPECT_EQ(text, NumberText::NumberToText(NumberText::Read(text.View())))
                    << "trial " << trial << " row " << row;
            }
    }
}

} // namespace
