// A plan in words, for the tool's line and the window's question: the turns each entry is produced in,
// the goal's value with the plan and now, and how sure the planner is.
#pragma once

#include "ProductionPlan.h"

#include <string>

namespace PlanText {

// The plan's runs by the turns of their rows: "40-46 Capital, 47-58 Ship"; a run of one row "40 Capital".
std::string Runs(const CZentharoDoc& projection, const ProductionPlan& plan);

// "plan: 40-46 Capital, 47-58 Ship; ships 1234.56 (current 1100.20); best found"
std::string ToolLine(const CZentharoDoc& projection, const ProductionPlan& plan);

// "Turns 40-46 Capital, 47-58 Ship: ship mass 1,234.56 (now 1,100.20). Best found. Apply this plan?"
std::string Question(const CZentharoDoc& projection, const ProductionPlan& plan);

// A value with two decimals, an exact tie rounded away from zero; grouped "1,234.56" when asked.
std::string Number(double value, bool grouped = false);

} // namespace PlanText
