// Plans worked out by the recalculation, each from the row where it first differs from the last.
#include "PlanEvaluator.h"

#include <algorithm>

PlanEvaluator::PlanEvaluator(const CZentharoDoc& projection, PlanGoal goal, int firstRow)
    : m_projection(projection), m_goal(goal), m_firstRow(firstRow), m_table(projection.m_planet) {
    m_table.m_bAutoDelete = false;
    m_table.CopyTable(projection);
    m_held.fill(kStanding);
    m_table.Recalculate(0);
    m_rowsBuilt += kProjectedTurns - 1;
    CountMassFrom(m_firstRow + 1);
    m_currentValue = PlanGoals::Value(m_table, m_goal, m_firstRow);
}

double PlanEvaluator::Evaluate(const PlanEntries& entries) {
    int first = m_firstRow;
    while (first <= kLastPlannedRow && entries[first] == m_held[first])
        ++first;
    if (first <= kLastPlannedRow) {
        for (int row = first; row <= kLastPlannedRow; ++row) {
            if (entries[row] != m_held[row])
                m_table.m_production[row] = ProductionChooser::kEntriesAdded[entries[row]];
            // A recalculation caps an upgrade above its row's L for good; the plan before may have
            // capped one that this plan leaves below its L.
            m_table.m_upgrade[row] = m_projection.m_upgrade[row];
            m_held[row] = entries[row];
        }
        m_table.Recalculate(first);
        m_rowsBuilt += kProjectedTurns - 1 - first;
        CountMassFrom(first + 1);
    }
    return m_goal == PlanGoal::Ships ? m_massThrough[kProjectedTurns - 1]
                                     : PlanGoals::Value(m_table, m_goal, m_firstRow);
}

double PlanEvaluator::ValueThrough(int row) const { return m_goal == PlanGoal::Ships ? m_massThrough[row] : 0.0; }

// The same additions, in the same order, as PlanGoals::Value makes, kept row by row so that a plan that
// differs from row p on adds from there.
void PlanEvaluator::CountMassFrom(int row) {
    if (m_goal != PlanGoal::Ships)
        return;
    m_massThrough[m_firstRow] = 0.0;
    for (int r = std::max(row, m_firstRow + 1); r < kProjectedTurns; ++r)
        m_massThrough[r] = m_massThrough[r - 1] + PlanGoals::ShipMassAt(m_table, r);
}
