// Undo and redo of a projection's steps, and the tables closed windows leave behind.
#include "ProjectionFixtures.h"
#include "model/ClosedTables.h"
#include "model/DocumentColumns.h"
#include "model/GridEdits.h"
#include "model/ProjectionTable.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

std::string UndoName(const CZentharoDoc& document) {
    const EditHistory::Step* step = document.History().NextUndo();
    return step ? EditSteps::Name(step->kind) : "(none)";
}

std::string RedoName(const CZentharoDoc& document) {
    const EditHistory::Step* step = document.History().NextRedo();
    return step ? EditSteps::Name(step->kind) : "(none)";
}

// A step of every kind, each named as the menus name it. The upgrade is capped at its turn's L and the
// capped text is what the step leaves.
TEST(EditHistory, EachStepIsUndoneAndRedoneToTheExactTable) {
    const struct {
        const char* name;
        std::function<void(CZentharoDoc&)> take;
    } steps[] = {
        {"Typing", [](CZentharoDoc& d) { d.SetInput(&CZentharoDoc::m_colIn, 3, "500.004"); }},
        {"Typing", [](CZentharoDoc& d) { d.SetInput(&CZentharoDoc::m_upgrade, 0, "100000"); }},
        {"Production", [](CZentharoDoc& d) { d.SetInput(&CZentharoDoc::m_production, 1, "Materials"); }},
        {"Fill later turns", [](CZentharoDoc& d) { GridEdits::FillLaterTurns(d, 1, 3); }},
        {"Paste block", [](CZentharoDoc& d) { GridEdits::PasteBlock(d, 2, 5, "12.345678\t0.004\n\tabc"); }},
        {"Best plan",
         [](CZentharoDoc& d) {
             d.SetInputs({{&CZentharoDoc::m_production, 7, "_TerraForming"}}, EditStep::Plan);
         }},
        {"Clear all inputs", [](CZentharoDoc& d) { d.ClearInputs(); }},
    };
    auto document = OpenedDocument(ExampleRecord({{"Production", "cap"}}));
    std::vector<std::string> tables = {AllTexts(*document)};
    for (const auto& step : steps) {
        step.take(*document);
        EXPECT_EQ(step.name, UndoName(*document));
        tables.push_back(AllTexts(*document));
    }
    for (std::size_t i = std::size(steps); i-- > 0;) {
        SCOPED_TRACE(steps[i].name);
        EXPECT_EQ(steps[i].name, UndoName(*document));
        ASSERT_TRUE(document->Undo());
        EXPECT_EQ(tables[i], AllTexts(*document));
        EXPECT_EQ(steps[i].name, RedoName(*document));
    }
    EXPECT_FALSE(document->Undo());
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(steps[i].name);
        ASSERT_TRUE(document->Redo());
        EXPECT_EQ(tables[i + 1], AllTexts(*document));
    }
    EXPECT_FALSE(document->Redo());
}

TEST(EditHistory, ANewStepDropsTheRedoAndAChangeOfNothingIsNoStep) {
    auto document = OpenedDocument(ExampleRecord());
    document->SetInput(&CZentharoDoc::m_colIn, 0, "5");
    document->SetInput(&CZentharoDoc::m_colIn, 1, "6");
    ASSERT_TRUE(document->Undo());
    // Storing what a cell holds already, or pasting what the grid shows, changes nothing: the step to
    // redo stays.
    document->SetInput(&CZentharoDoc::m_colIn, 0, "5");
    GridEdits::PasteBlock(*document, 0, 0, ProjectionTable::TabSeparated(*document, "\r\n"));
    EXPECT_EQ("Typing", RedoName(*document));
    document->SetInput(&CZentharoDoc::m_capIn, 0, "7");
    EXPECT_EQ("(none)", RedoName(*document));
    ASSERT_TRUE(document->Undo());
    ASSERT_TRUE(document->Undo());
    EXPECT_FALSE(document->Undo());
    EXPECT_EQ("0", document->m_colIn[0]);
}

TEST(EditHistory, KeepsTheLastHundredSteps) {
    auto document = OpenedDocument(ExampleRecord());
    const int taken = static_cast<int>(EditHistory::kMostSteps) + 5;
    std::vector<std::string> tables = {AllTexts(*document)};
    for (int i = 1; i <= taken; ++i) {
        document->SetInput(&CZentharoDoc::m_colIn, i % kProjectedTurns, CString(std::to_string(i)));
        tables.push_back(AllTexts(*document));
    }
    for (int i = taken; i > taken - static_cast<int>(EditHistory::kMostSteps); --i) {
        ASSERT_TRUE(document->Undo()) << i;
        ASSERT_EQ(tables[i - 1], AllTexts(*document)) << i;
    }
    EXPECT_FALSE(document->Undo());
    for (int i = taken - static_cast<int>(EditHistory::kMostSteps) + 1; i <= taken; ++i) {
        ASSERT_TRUE(document->Redo());
        ASSERT_EQ(tables[i], AllTexts(*document)) << i;
    }
}

// A window closed with inputs leaves them for the next window of the same planet, by turn; one that
// holds nothing of the player's leaves what was kept before.
TEST(ClosedTables, BringBackTheInputsOfEachTurnStillInTheTable) {
    auto closed = OpenedDocument(ExampleRecord());
    closed->SetInput(&CZentharoDoc::m_colIn, 0, "100");
    closed->SetInput(&CZentharoDoc::m_production, 5, "Materials");
    closed->SetInput(&CZentharoDoc::m_upgrade, 19, "12.5");
    ClosedTables tables;
    tables.Keep(*closed);
    tables.Keep(*OpenedDocument(ExampleRecord())); // opened and closed without a change

    const struct {
        const char* turn;
        int colInRow;     // where turn 40's delivery lands, or -1
        int materialsRow; // where turn 45's production lands, or -1
        int upgradeRow;   // where turn 59's upgrade lands, or -1
    } cases[] = {{"40", 0, 5, 19}, {"42", -1, 3, 17}, {"30", 10, 15, -1}, {"58", -1, -1, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.turn);
        auto reopened = OpenedDocument(ExampleRecord({{"Turn", c.turn}}));
        const std::string fresh = AllTexts(*reopened);
        const auto kept = tables.For(*reopened);
        ASSERT_TRUE(kept);
        reopened->OfferClosedTable(*kept);
        EXPECT_EQ("Close", UndoName(*reopened));
        EXPECT_EQ(fresh, AllTexts(*reopened)) << "a new window opens from the record";
        ASSERT_TRUE(reopened->Undo());
        for (int row = 0; row < kProjectedTurns; ++row) {
            EXPECT_EQ(row == c.colInRow ? "100" : "0", reopened->m_colIn[row]) << row;
            EXPECT_EQ(row == c.materialsRow ? "Materials" : "Ship", reopened->m_production[row]) << row;
            EXPECT_EQ(row == c.upgradeRow ? "12.5" : "0", reopened->m_upgrade[row]) << row;
        }
        ASSERT_TRUE(reopened->Redo());
        EXPECT_EQ(fresh, AllTexts(*reopened));
    }
    EXPECT_FALSE(tables.For(*OpenedDocument(ExampleRecord({{"Turn", "60"}})))) << "no turn in common";
    EXPECT_FALSE(tables.For(*OpenedDocument(ExampleRecord({{"Num", "18"}}))));
    EXPECT_FALSE(tables.For(*OpenedDocument(ExampleRecord({{"GameName", "Beta"}}))));
}

TEST(ClosedTables, KeepOnlyTheMostRecentPlanets) {
    ClosedTables tables;
    const int planets = static_cast<int>(ClosedTables::kMostPlanets) + 3;
    for (int planet = 0; planet < planets; ++planet) {
        const std::string number = std::to_string(planet);
        auto document = OpenedDocument(ExampleRecord({{"Num", number.c_str()}}));
        document->SetInput(&CZentharoDoc::m_colIn, 0, CString(number));
        tables.Keep(*document);
        tables.Keep(*document); // the same planet again takes no second place
    }
    EXPECT_EQ(ClosedTables::kMostPlanets, tables.Count());
    for (int planet = 0; planet < planets; ++planet) {
        const std::string number = std::to_string(planet);
        EXPECT_EQ(planet >= 3, tables.For(*OpenedDocument(ExampleRecord({{"Num", number.c_str()}}))).has_value())
            << planet;
    }
}

} // namespace
