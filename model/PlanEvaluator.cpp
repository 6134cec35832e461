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
    CountMassFrom(m_firstRow + 1, kProjectedTurns - 1);
    m_currentValue = PlanGoals::Value(m_table, m_goal, m_firstRow);
}

double PlanEvaluator::Evaluate(const PlanEntries& entries) {
    Build(entries, kProjectedTurns - 1);
    return m_goal == PlanGoal::Ships ? m_massThrough[kProjectedTurns - 1]
                                     : PlanGoals::Value(m_table, m_goal, m_firstRow);
}

void PlanEvaluator::Follow(const PlanEntries& entries, int lastRow) { Build(entries, lastRow); }

// Rebuilds from the first row whose production differs from the plan held, or from the first row not
// worked out, whichever comes first.
void PlanEvaluator::Build(const PlanEntries& entries, int lastRow) {
    int first = m_firstRow;
    while (first <= kLastPlannedRow && entries[first] == m_held[first])
        ++first;
    for (int row = first; row <= kLastPlannedRow; ++row) {
        if (entries[row] != m_held[row])
            m_table.m_production[row] = ProductionChooser::kEntriesAdded[entries[row]];
        m_held[row] = entries[row];
    }
    // Row first itself comes from the productions before it: it and the rows before stay this plan's.
    m_builtThrough = std::min(m_builtThrough, first);
    const int start = m_builtThrough;
    if (start >= lastRow)
        return; // rows through lastRow are this plan's already
    // A recalculation caps an upgrade above its row's L for good; the plan before may have capped one
    // that this plan leaves below its L.
    for (int row = start; row <= kLastPlannedRow; ++row)
        m_table.m_upgrade[row] = m_projection.m_upgrade[row];
    m_table.Recalculate(start, lastRow);
    m_rowsBuilt += lastRow - start;
    m_builtThrough = lastRow;
    CountMassFrom(start + 1, lastRow);
}

double PlanEvaluator::ValueThrough(int row) const { return m_goal == PlanGoal::Ships ? m_massThrough[row] : 0.0; }

// The same additions, in the same order, as PlanGoals::Value makes, kept row by row so that a plan that
// differs from row p on adds from there.
void PlanEvaluator::CountMassFrom(int row, int lastRow) {
    if (m_goal != PlanGoal::Ships)
        return;
    m_massThrough[m_firstRow] = 0.0;
    for (int r = std::max(row, m_firstRow + 1); r <= lastRow; ++r)
        m_massThrough[r] = m_massThrough[r - 1] + PlanGoals::ShipMassAt(m_table, r);
}
