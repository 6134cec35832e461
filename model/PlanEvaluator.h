// The goal's value for one plan after another, worked out by the projection's own recalculation on a
// private copy of the table. Only the rows after the first production that differs from the plan
// before are recalculated: a change at row p leaves rows 0..p as they were. A plan can also be followed
// only through a row, for what its first rows hold; the rows after are worked out when asked for.
#pragma once

#include "ProductionPlan.h"

#include <array>

class PlanEvaluator {
public:
    // The projection is copied; it is read again for the upgrades it holds, and must outlive this.
    PlanEvaluator(const CZentharoDoc& projection, PlanGoal goal, int firstRow);

    // The goal for the table as it stands, recalculated once.
    double CurrentValue() const { return m_currentValue; }

    // The goal for the projection with the plan's entries in rows firstRow..18 and one recalculation,
    // bit for bit what applying the plan to the projection gives.
    double Evaluate(const PlanEntries& entries);
    // The plan's table through lastRow only: the rows after it are not worked out.
    void Follow(const PlanEntries& entries, int lastRow);

    // The table the last plan evaluated or followed gave, through the row it was worked out to.
    const CZentharoDoc& Table() const { return m_table; }
    // The part of the last plan's value that rows up to row (worked out) already hold: for ships the mass
    // of rows firstRow + 1..row, for production nothing (it is all in row 19).
    double ValueThrough(int row) const;

    // How many rows the recalculations have built so far: the measure of the work done.
    long long RowsBuilt() const { return m_rowsBuilt; }

private:
    static constexpr std::int8_t kStanding = -1; // the row holds the projection's own text

    void Build(const PlanEntries& entries, int lastRow);
    void CountMassFrom(int row, int lastRow);

    const CZentharoDoc& m_projection;
    const PlanGoal m_goal;
    const int m_firstRow;
    CZentharoDoc m_table;
    PlanEntries m_held;                       // the entries the table's productions hold
    int m_builtThrough = kProjectedTurns - 1; // rows after it are left from an earlier plan
    // Ships: the mass of rows firstRow + 1..r for the plan held, added in row order as the goal adds it.
    std::array<double, kProjectedTurns> m_massThrough{};
    double m_currentValue = 0;
    long long m_rowsBuilt = 0;
};
