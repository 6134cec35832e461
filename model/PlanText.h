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

// The question before a plan that gains is applied, its runs named by their turns ("Turn 40 Capital,
// turns 41-46 Materials, turns 47-58 Ship: ship mass 1,234.56 (now 1,100.20). Best.", then "Apply this
// plan?" on a line of its own); "Best found." is followed by a line saying what it means.
std::string Question(const CZentharoDoc& projection, const ProductionPlan& plan);

// The message for a plan that changes nothing: "The current productions already give the most ship mass
// (1,234.56)." when proven, otherwise that no plan found gives more, and that the search stopped short.
std::string NothingToGain(const ProductionPlan& plan);

// A value with two decimals, an exact tie rounded away from zero; grouped "1,234.56" when asked.
std::string Number(double value, bool grouped = false);

} // namespace PlanText
