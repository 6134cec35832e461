// Plans in words: runs of turns, the tool's line, the window's question and the numbers in them.
#include "ProjectionFixtures.h"
#include "model/PlanText.h"

#include <gtest/gtest.h>

namespace {

ProductionPlan PlanOf(const char* letters, int firstRow, PlanGoal goal = PlanGoal::Ships) {
    ProductionPlan plan;
    plan.goal = goal;
    plan.firstRow = firstRow;
    for (int row = firstRow; row <= kLastPlannedRow; ++row)
        plan.entries[row] = static_cast<std::int8_t>(std::string("CMST").find(letters[row - firstRow]));
    return plan;
}

TEST(PlanText, RunsNameTheTurnsOfTheirRows) {
    const auto projection = OpenedDocument(ExampleRecord()); // turn 40 in row 0
    const struct {
        const char* letters;
        int firstRow;
        const char* runs;
    } cases[] = {
        {"CCCCCCCSSSSSSSSSSSS", 0, "40-46 Capital, 47-58 Ship"},
        {"MCTTTTTTTTTTTTTTTTS", 0, "40 Materials, 41 Capital, 42-57 _TerraForming, 58 Ship"},
        {"T", 18, "58 _TerraForming"},
        {"SC", 17, "57 Ship, 58 Capital"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.runs, PlanText::Runs(*projection, PlanOf(c.letters, c.firstRow)));
}

TEST(PlanText, LineAndQuestion) {
    const auto projection = OpenedDocument(ExampleRecord());
    ProductionPlan plan = PlanOf("CCCCCCCSSSSSSSSSSSS", 0);
    plan.value = 1234.555;
    plan.currentValue = 1100.2;
    EXPECT_EQ("plan: 40-46 Capital, 47-58 Ship; ships 1234.56 (current 1100.20); best found",
              PlanText::ToolLine(*projection, plan));
    EXPECT_EQ("Turns 40-46 Capital, turns 47-58 Ship: ship mass 1,234.56 (now 1,100.20). Best found.\n"
              "The search stopped before it could rule out a better plan.\nApply this plan?",
              PlanText::Question(*projection, plan));
    EXPECT_EQ("Turn 40 Materials, turns 41-57 Capital, turn 58 Ship: ship mass 1,234.56 (now 1,100.20). Best found.\n"
              "The search stopped before it could rule out a better plan.\nApply this plan?",
              PlanText::Question(*projection, [&] {
                  ProductionPlan mixed = PlanOf("MCCCCCCCCCCCCCCCCCS", 0);
                  mixed.value = plan.value;
                  mixed.currentValue = plan.currentValue;
                  return mixed;
              }()));
    ProductionPlan last = PlanOf("T", 18, PlanGoal::Production);
    last.value = 2500;
    last.proven = true;
    EXPECT_EQ("plan: 58 _TerraForming; production 2500.00 (current 0.00); best", PlanText::ToolLine(*projection, last));
    EXPECT_EQ("Turn 58 _TerraForming: production 2,500.00 (now 0.00). Best.\nApply this plan?",
              PlanText::Question(*projection, last));
}

TEST(PlanText, NothingToGainSaysHowSureItIs) {
    ProductionPlan plan = PlanOf("SSSSSSSSSSSSSSSSSSS", 0);
    plan.value = plan.currentValue = 1234.555;
    plan.proven = true;
    EXPECT_EQ("The current productions already give the most ship mass (1,234.56).", PlanText::NothingToGain(plan));
    plan.goal = PlanGoal::Production;
    plan.proven = false;
    EXPECT_EQ("No plan found gives more production than the current productions (1,234.56).\n"
              "The search stopped before it could rule out a better plan.",
              PlanText::NothingToGain(plan));
}

TEST(PlanText, NumbersHaveTwoDecimalsAndTiesGoAwayFromZero) {
    const struct {
        double value;
        const char* plain;
        const char* grouped;
    } cases[] = {
        {0, "0.00", "0.00"},
        {0.004, "0.00", "0.00"},
        {0.125, "0.13", "0.13"}, // exactly halfway
        {-0.125, "-0.13", "-0.13"},
        {999.999, "1000.00", "1,000.00"},
        {1234567.891, "1234567.89", "1,234,567.89"},
        {-1234.5, "-1234.50", "-1,234.50"},
        {123, "123.00", "123.00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.plain, PlanText::Number(c.value)) << c.value;
        EXPECT_EQ(c.grouped, PlanText::Number(c.value, true)) << c.value;
    }
}

} // namespace
