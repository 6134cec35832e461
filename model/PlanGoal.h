// What a best plan maximises, and that goal's value for a table as the recalculation left it.
#pragma once

#include "CZentharoDoc.h"

#include <optional>
#include <string_view>

enum class PlanGoal {
    Ships,      // the mass built by every turn that builds ships
    Production, // the production capacity L of the last turn
};

namespace PlanGoals {

// "ships" or "production": the goal's name in the tool's options and the demo host's scripts.
const char* Name(PlanGoal goal);
std::optional<PlanGoal> Named(std::string_view name);

// The goal for a table whose productions are chosen from firstRow on. Ships: the Mass of every row r
// from firstRow + 1 to 19 whose previous row builds ships (TurnRules::ProductOf), each read as its stored number and
// added in row order. Production: the L of row 19.
double Value(const CZentharoDoc& table, PlanGoal goal, int firstRow);

// What row r adds to the ships goal: its Mass, read as its stored number, when row r - 1 builds ships
// ("Ship", a design's name, any text but the other three entries); nothing otherwise.
double ShipMassAt(const CZentharoDoc& table, int row);

} // namespace PlanGoals
