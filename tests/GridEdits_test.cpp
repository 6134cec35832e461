// Edits of many cells in one action: filling later turns, laying a pasted block, clearing the inputs;
// and that neither changes a text the player did not change.
#include "ProjectionFixtures.h"
#include "model/GridEdits.h"
#include "model/ProjectionTable.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace {

using Input = CZentharoDoc::Input;
constexpr int kProduction = GridEdits::kProductionColumn;

std::string Describe(const std::vector<Input>& inputs) {
    std::string text;
    for (const Input& input : inputs)
        for (const DocumentColumn& column : kDocumentColumns)
            if (column.member == input.column)
                text +=
                    std::string(column.jsonName) + "[" + std::to_string(input.row) + "]=" + input.text.Bytes() + ";";
    return text;
}

TEST(GridEdits, LaysEachLineOnARowAndEachFieldOnTheNextColumn) {
    const std::string header = ProjectionTable::HeaderLine();
    const struct {
        const char* what;
        int column, row;
        std::string block;
        const char* inputs; // as Describe writes them
    } cases[] = {
        {"two fields, two lines", 1, 3, "500\t20\r\n600", "colIn[3]=500;capIn[3]=20;colIn[4]=600;"},
        {"computed columns and what lies beyond Production are left out", 0, 0,
         "40\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12\t13\t14\t15\t16\tCapital\textra",
         "colIn[0]=1;capIn[0]=2;matIn[0]=3;bombing[0]=4;upgrade[0]=5;production[0]=Capital;"},
        {"rows past the last turn are left out", 5, 18, "1\n2\n3\n", "upgrade[18]=1;upgrade[19]=2;"},
        {"the copied table's header line is skipped", 0, 0, header + "\r\n40\t7\r\n41\t8\r\n",
         "colIn[0]=7;colIn[1]=8;"},
        {"an empty production keeps the row's", 16, 2, "5\t\n6\tCapital", "production[3]=Capital;"},
        {"a field the cell already shows keeps its text", 1, 0, "\t30\t\t\t\t\t\t\t\t\t\t\t\t\t\t\tShip",
         "capIn[0]=30;"},
        {"lines end in CR LF, LF or CR; a last line break starts no row", 2, 0, "1\r\n2\n3\r4\r\n",
         "capIn[0]=1;capIn[1]=2;capIn[2]=3;capIn[3]=4;"},
        {"an empty line leaves a cell that shows nothing", 3, 0, "1\n\n3", "matIn[0]=1;matIn[2]=3;"},
        {"texts are kept as typed", 1, 0, " 7 ships\t-1e3", "colIn[0]= 7 ships;capIn[0]=-1e3;"},
        {"from a chooser only the production is taken", kProduction, 0, "Materials\t5\n_TerraForming",
         "production[0]=Materials;production[1]=_TerraForming;"},
    };
    const auto document = OpenedDocument(ExampleRecord());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const GridEdits::LaidBlock laid = GridEdits::LayBlock(*document, c.column, c.row, c.block);
        EXPECT_FALSE(laid.refusal);
        EXPECT_TRUE(laid.lands);
        EXPECT_EQ(c.inputs, Describe(laid.inputs));
    }
    // Only fields on computed columns, or past the last turn: nothing would land.
    EXPECT_FALSE(GridEdits::LayBlock(*document, 6, 0, "1\t2\t3\n4").lands);
    EXPECT_FALSE(GridEdits::LayBlock(*document, 0, 3, "40\n41").lands);
    EXPECT_TRUE(GridEdits::LayBlock(*document, 16, 19, "1\tShip").lands);
}

TEST(GridEdits, RefusesABlockNamingAnythingButAChooserEntry) {
    const struct {
        std::string block;
        int column, row;
        int refusedRow;
        const char* refusedText;
    } cases[] = {
        {"1" + std::string(16, '\t') + "Materals", 1, 4, 4, "Materals"},
        {"Capital\ncapital", kProduction, 0, 1, "capital"}, // exact, letter case included
        {"Ship\nShip \n", kProduction, 10, 11, "Ship "},
        {"x" + std::string(17, '\t') + "Battlecruiser", 0, 19, 19, "Battlecruiser"},
        {"1\n" + ProjectionTable::HeaderLine(), 0, 0, 1, "Production"}, // only a first line is the header
    };
    const auto document = OpenedDocument(ExampleRecord());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.block);
        const GridEdits::LaidBlock laid = GridEdits::LayBlock(*document, c.column, c.row, c.block);
        ASSERT_TRUE(laid.refusal);
        EXPECT_EQ(c.refusedRow, laid.refusal->row);
        EXPECT_EQ(c.refusedText, laid.refusal->text);
        EXPECT_TRUE(laid.inputs.empty());
    }
    // A bad field beyond the last row or right of the production is left out, not refused.
    EXPECT_FALSE(GridEdits::LayBlock(*document, kProduction, 19, "Ship\nMaterals").refusal);
    EXPECT_FALSE(GridEdits::LayBlock(*document, 16, 0, "1\tShip\tMaterals").refusal);
}

TEST(GridEdits, ARefusedPasteChangesNothingAndSaysWhy) {
    auto document = OpenedDocument(ExampleRecord());
    document->SetInput(&CZentharoDoc::m_colIn, 0, CString("5"));
    const std::string before = AllTexts(*document);
    const std::string toProduction(16, '\t'); // from Col
    const auto refusal =
        GridEdits::PasteBlock(*document, 1, 2, "1" + toProduction + "Ship\n2" + toProduction + "Materals");
    ASSERT_TRUE(refusal);
    EXPECT_EQ(before, AllTexts(*document));
    EXPECT_EQ("the Production of turn 43 (row 3) would be \"Materals\", which is none of _TerraForming, Capital, "
              "Materials or Ship",
              GridEdits::Describe(*refusal, *document));
}

TEST(GridEdits, APasteAndAFillStoreAsTheirEditsOneByOneWould) {
    auto together = OpenedDocument(ExampleRecord({{"Size", "2400"}}));
    auto oneByOne = OpenedDocument(ExampleRecord({{"Size", "2400"}}));
    // From Col of row 1: the production is the 17th field.
    const std::string block = "100\t\t\t\t700\n\t50\t\t20\t" + std::string(12, '\t') + "_TerraForming";
    EXPECT_FALSE(GridEdits::PasteBlock(*together, 1, 1, block));
    GridEdits::FillLaterTurns(*together, kProduction, 4, CString("Capital"));
    GridEdits::FillLaterTurns(*together, 5, 10, CString("300"));
    // The empty fields fall on cells that show nothing: those keep their texts.
    const std::vector<Input> edits = {
        {&CZentharoDoc::m_colIn, 1, "100"},
        {&CZentharoDoc::m_upgrade, 1, "700"},
        {&CZentharoDoc::m_capIn, 2, "50"},
        {&CZentharoDoc::m_bombing, 2, "20"},
        {&CZentharoDoc::m_production, 2, "_TerraForming"},
    };
    for (const Input& edit : edits)
        oneByOne->SetInput(edit.column, edit.row, edit.text);
    for (int row = 4; row < kProjectedTurns; ++row)
        oneByOne->SetInput(&CZentharoDoc::m_production, row, CString("Capital"));
    for (int row = 10; row < kProjectedTurns; ++row)
        oneByOne->SetInput(&CZentharoDoc::m_upgrade, row, CString("300"));
    EXPECT_EQ(AllTexts(*oneByOne), AllTexts(*together));
    EXPECT_EQ("Ship", together->m_production[3]);
    EXPECT_EQ("0", together->m_upgrade[9]);
}

// Whatever the productions and the texts typed, the table the window copies, pasted back where it
// came from, changes no stored text and takes no step; and a fill copies the stored text byte for byte.
TEST(GridEdits, NeitherACopyPastedBackNorAFillChangesWhatThePlayerDidNotChange) {
    const char* const productions[] = {"Capital", "Materials", "Ship", "_TerraForming",
                                       "",        "cap",       "S",    "Battleship_Mk2"};
    const char* const typed[] = {"500.004", "0.004", "abc", "7 ships", "0", "-3", "12.345678", ""};
    for (const char* production : productions) {
        SCOPED_TRACE(production);
        auto document = OpenedDocument(ExampleRecord({{"Production", production}}));
        for (int i = 0; i < static_cast<int>(std::size(typed)); ++i) {
            document->SetInput(kDocumentColumns[1 + i % 5].member, i, CString(typed[i]));
            document->SetInput(&CZentharoDoc::m_upgrade, 10 + i, CString("100000")); // capped at L
        }
        const std::string before = AllTexts(*document);
        const EditHistory::Step* lastStep = document->History().NextUndo();
        EXPECT_FALSE(GridEdits::PasteBlock(*document, 0, 0, ProjectionTable::TabSeparated(*document, "\r\n")));
        EXPECT_EQ(before, AllTexts(*document));
        EXPECT_EQ(lastStep, document->History().NextUndo()) << "no change, no step";

        for (int i = 0; i < static_cast<int>(std::size(typed)); ++i) {
            const int column = 1 + i % 5;
            const CString held = (document.get()->*kDocumentColumns[column].member)[i];
            GridEdits::FillLaterTurns(*document, column, i);
            for (int row = i; row < kProjectedTurns; ++row)
                ASSERT_EQ(held, (document.get()->*kDocumentColumns[column].member)[row]) << "column " << column;
        }
        GridEdits::FillLaterTurns(*document, kProduction, 0);
        for (int row = 0; row < kProjectedTurns; ++row)
            EXPECT_EQ(production, document->m_production[row]);
    }
}

TEST(GridEdits, FillsOnlyInputsAndOnlyRowsOfTheGrid) {
    auto document = OpenedDocument(ExampleRecord());
    const std::string before = AllTexts(*document);
    GridEdits::FillLaterTurns(*document, 6, 0, CString("5")); // Pop is computed
    GridEdits::FillLaterTurns(*document, 1, 20, CString("5"));
    GridEdits::FillLaterTurns(*document, 1, -1, CString("5"));
    EXPECT_EQ(before, AllTexts(*document));
    GridEdits::FillLaterTurns(*document, 1, 19, CString("5"));
    EXPECT_EQ("5", document->m_colIn[19]);
    EXPECT_EQ("0", document->m_colIn[18]);
    EXPECT_EQ("", document->m_colIn[20]);
}

TEST(GridEdits, ClearingTheInputsGivesWhatANewProjectionHas) {
    const CMapStringToString record = ExampleRecord({{"Production", "Battlecruiser"}});
    auto document = OpenedDocument(record);
    const std::string fresh = AllTexts(*document);
    EXPECT_FALSE(GridEdits::PasteBlock(*document, 1, 0, "1\t2\t3\t4\t5\n6\t7\t8\t9\t10000"));
    GridEdits::FillLaterTurns(*document, kProduction, 0, CString("Materials"));
    ASSERT_NE(fresh, AllTexts(*document));
    document->ClearInputs();
    EXPECT_EQ(fresh, AllTexts(*document));
}

TEST(GridEdits, ACopiedTablePastedBackAtTurnGivesTheSameTable) {
    auto source = OpenedDocument(ExampleRecord());
    EXPECT_FALSE(
        GridEdits::PasteBlock(*source, 1, 2, "500\t\t120\t\t100000\n\t\t\t40" + std::string(13, '\t') + "Materials"));
    const std::string copied = ProjectionTable::TabSeparated(*source, "\r\n");
    auto target = OpenedDocument(ExampleRecord());
    EXPECT_FALSE(GridEdits::PasteBlock(*target, 0, 0, copied));
    EXPECT_EQ(copied, ProjectionTable::TabSeparated(*target, "\r\n"));
}

TEST(GridEdits, ABlockHoldsATabOrALineBreak) {
    for (const char* block : {"1\t2", "1\n", "\r", "\t"})
        EXPECT_TRUE(GridEdits::IsBlock(block)) << block;
    for (const char* single : {"", "500", "7 ships", "a b"})
        EXPECT_FALSE(GridEdits::IsBlock(single)) << single;
}

} // namespace
