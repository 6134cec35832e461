// The goals' names and values.
#include "PlanGoal.h"

#include "TurnRules.h"

namespace PlanGoals {

const char* Name(PlanGoal goal) { return goal == PlanGoal::Ships ? "ships" : "production"; }

std::optional<PlanGoal> Named(std::string_view name) {
    for (const PlanGoal goal : {PlanGoal::Ships, PlanGoal::Production})
        if (name == Name(goal))
            return goal;
    return std::nullopt;
}

double Value(const CZentharoDoc& table, PlanGoal goal, int firstRow) {
    if (goal == PlanGoal::Production)
        return table.m_l[kProjectedTurns - 1].Number();
    double mass = 0.0;
    for (int row = firstRow + 1; row < kProjectedTurns; ++row)
        mass += ShipMassAt(table, row);
    return mass;
}

double ShipMassAt(const CZentharoDoc& table, int row) {
    return TurnRules::ProductOf(table.m_production[row - 1].View()) == TurnRules::Product::Ship
               ? table.m_mass[row].Number()
               : 0.0;
}

} // namespace PlanGoals
