// The search for the best plan: every plan for short horizons; seeds, improvement and a bounded proof
// for longer ones.
#include "ProductionPlanner.h"

#include "PlanBound.h"

#include <cmath>
#include <limits>
#include <string_view>
#include <utility>

namespace {

constexpr std::int8_t kEntryCount = static_cast<std::int8_t>(ProductionChooser::kEntriesAdded.size());

// And after a proof that could not finish, from the best plan of two switches.
constexpr long long kImprovingAfterAnUnfinishedProof = 5000;

// Values in the order plans are preferred; a value that is no number (sums overflowing both ways)
// comes last.
double Ranked(double value) { return std::isnan(value) ? -std::numeric_limits<double>::infinity() : value; }

} // namespace

ProductionPlanner::ProductionPlanner(const CZentharoDoc& projection, PlanGoal goal, int firstRow, PlannerLimits limits)
    : m_projection(projection), m_goal(goal), m_firstRow(firstRow), m_limits(limits),
      m_evaluator(projection, goal, firstRow) {
    for (int row = 0; row <= kLastPlannedRow; ++row)
        m_standing[row] = StandingEntry(projection.m_production[row].View());
}

ProductionPlan ProductionPlanner::Plan() {
    bool proven = false;
    if (Horizon() <= m_limits.exhaustiveHorizon) {
        TryEveryPlan();
        proven = true;
    } else {
        // A proof makes the plan the optimum, better than any seed; the plans of two switches are tried
        // only where the search could not finish, so that the plan is never below them.
        TryCurrentPlan();
        TryOneSwitchPlans();
        Improve(m_limits.improvingBeforeTheProof);
        proven = ProveBest();
        if (!proven) {
            TryTwoSwitchPlans();
            Improve(m_evaluator.RowsBuilt() + kImprovingAfterAnUnfinishedProof);
        }
    }
    ProductionPlan plan;
    plan.goal = m_goal;
    plan.firstRow = m_firstRow;
    plan.currentValue = m_evaluator.CurrentValue();
    plan.proven = proven;
    if (Ranked(m_best.value) > Ranked(plan.currentValue)) {
        plan.entries = m_best.entries;
        plan.value = m_best.value;
        plan.changedRows = m_best.changed;
    } else { // nothing to gain: the productions stay as they are, even a text no entry stands for
        plan.entries = CurrentEntries();
        plan.value = plan.currentValue;
    }
    return plan;
}

ProductionPlanner::Scored ProductionPlanner::Score(const PlanEntries& entries) {
    return {entries, m_evaluator.Evaluate(entries), ChangedRows(entries)};
}

int ProductionPlanner::ChangedRows(const PlanEntries& entries) const {
    int changed = 0;
    for (int row = m_firstRow; row <= kLastPlannedRow; ++row)
        changed += entries[row] != m_standing[row];
    return changed;
}

bool ProductionPlanner::Precedes(const Scored& a, const Scored& b) const {
    if (Ranked(a.value) != Ranked(b.value))
        return Ranked(a.value) > Ranked(b.value);
    if (a.changed != b.changed)
        return a.changed < b.changed;
    for (int row = m_firstRow; row <= kLastPlannedRow; ++row)
        if (a.entries[row] != b.entries[row])
            return a.entries[row] < b.entries[row];
    return false;
}

void ProductionPlanner::Consider(const PlanEntries& entries) {
    const Scored scored = Score(entries);
    if (!m_haveBest || Precedes(scored, m_best)) {
        m_best = scored;
        m_haveBest = true;
    }
}

// In the order of an odometer whose last wheel is row 18: consecutive plans mostly differ in the last
// rows only, and only those are recalculated.
void ProductionPlanner::TryEveryPlan() {
    PlanEntries entries{};
    for (;;) {
        Consider(entries);
        int row = kLastPlannedRow;
        while (row >= m_firstRow && ++entries[row] == kEntryCount)
            entries[row--] = 0;
        if (row < m_firstRow)
            return;
    }
}

// The entries the rows' texts build as: a text no entry stands for ("cap") builds ships.
PlanEntries ProductionPlanner::CurrentEntries() const {
    PlanEntries entries{};
    for (int row = m_firstRow; row <= kLastPlannedRow; ++row)
        entries[row] = m_standing[row] < 0 ? kShipEntry : m_standing[row];
    return entries;
}

void ProductionPlanner::TryCurrentPlan() { Consider(CurrentEntries()); }

// Every plan of one or two runs: A for i rows, then B for the rest.
void ProductionPlanner::TryOneSwitchPlans() {
    const int n = Horizon();
    for (std::int8_t a = 0; a < kEntryCount; ++a) {
        PlanEntries entries{};
        for (int row = m_firstRow; row <= kLastPlannedRow; ++row)
            entries[row] = a;
        Consider(entries);
        for (std::int8_t b = 0; b < kEntryCount; ++b) {
            if (b == a)
                continue;
            // From the last rows back, so that each plan differs from the one before in its last rows.
            for (int i = n - 1; i >= 1; --i) {
                entries[m_firstRow + i] = b;
                Consider(entries);
            }
            for (int row = m_firstRow; row <= kLastPlannedRow; ++row)
                entries[row] = a;
        }
    }
}

// Every plan of one, two or three runs: A for i rows, then B for j rows, then C for the rest.
void ProductionPlanner::TryTwoSwitchPlans() {
    const int n = Horizon();
    PlanEntries entries{};
    const auto fill = [&](int from, int count, std::int8_t entry) {
        for (int row = m_firstRow + from; row < m_firstRow + from + count; ++row)
            entries[row] = entry;
    };
    for (std::int8_t a = 0; a < kEntryCount; ++a) {
        fill(0, n, a);
        Consider(entries);
        for (int i = 1; i < n; ++i) {
            fill(0, i, a);
            for (std::int8_t b = 0; b < kEntryCount; ++b) {
                if (b == a)
                    continue;
                for (int j = 1; i + j <= n; ++j) {
                    fill(i, j, b);
                    fill(i + j, n - i - j, b);
                    if (i + j == n) {
                        Consider(entries);
                        continue;
                    }
                    for (std::int8_t c = 0; c < kEntryCount; ++c) {
                        if (c == b)
                            continue;
                        fill(i + j, n - i - j, c);
                        Consider(entries);
                    }
                }
            }
        }
    }
}

namespace {

// The plans that differ from start by one run of rows set to one entry, then those where two rows
// trade their entries. Changes come from the last rows back, so that each try recalculates only from
// its own first row on.
template <typename Visit>
void ForEachRunOrSwap(const PlanEntries& start, int firstRow, Visit visit) {
    for (int first = kLastPlannedRow; first >= firstRow; --first) {
        for (int last = first; last <= kLastPlannedRow; ++last) {
            for (std::int8_t entry = 0; entry < kEntryCount; ++entry) {
                PlanEntries entries = start;
                for (int row = first; row <= last; ++row)
                    entries[row] = entry;
                if (entries != start && !visit(entries))
                    return;
            }
        }
    }
    for (int first = kLastPlannedRow - 1; first >= firstRow; --first) {
        for (int second = first + 1; second <= kLastPlannedRow; ++second) {
            PlanEntries entries = start;
            std::swap(entries[first], entries[second]);
            if (entries != start && !visit(entries))
                return;
        }
    }
}

// The plans that differ from start in two rows, each given any other entry.
template <typename Visit>
void ForEachPairChange(const PlanEntries& start, int firstRow, Visit visit) {
    for (int first = kLastPlannedRow - 1; first >= firstRow; --first) {
        for (int second = first + 1; second <= kLastPlannedRow; ++second) {
            for (std::int8_t a = 0; a < kEntryCount; ++a) {
                for (std::int8_t b = 0; b < kEntryCount; ++b) {
                    if (a == start[first] || b == start[second])
                        continue;
                    PlanEntries entries = start;
                    entries[first] = a;
                    entries[second] = b;
                    if (!visit(entries))
                        return;
                }
            }
        }
    }
}

} // namespace

// Steepest ascent: moves to the best plan among the runs and swaps around the best so far, and when
// none of those is better, among the plans two rows away, until neither improves or the budget ends.
void ProductionPlanner::Improve(long long until) {
    m_improvingUntil = until;
    const auto runsOrSwaps = [this](auto visit) { ForEachRunOrSwap(m_best.entries, m_firstRow, visit); };
    const auto pairChanges = [this](auto visit) { ForEachPairChange(m_best.entries, m_firstRow, visit); };
    while (!ImprovingOverBudget())
        if (!MoveToBestOf(runsOrSwaps) && !MoveToBestOf(pairChanges))
            return;
}

template <typename Neighbours>
bool ProductionPlanner::MoveToBestOf(Neighbours neighbours) {
    const Scored start = m_best;
    Scored bestNeighbour = start;
    neighbours([&](const PlanEntries& entries) {
        const Scored neighbour = Score(entries);
        if (Precedes(neighbour, bestNeighbour))
            bestNeighbour = neighbour;
        return !ImprovingOverBudget();
    });
    if (!Precedes(bestNeighbour, start))
        return false;
    m_best = bestNeighbour;
    return true;
}

// Depth first over the rows, leaving out every group of plans whose bound cannot pass the best plan's
// value. True when the search ended within the budget: no plan then gives more than the best plan.
bool ProductionPlanner::ProveBest() {
    if (!PlanBound::Holds(m_projection, m_firstRow))
        return false;
    PlanEntries entries = m_best.entries;
    return Branch(m_firstRow, entries);
}

// Rows before row are fixed in entries; tries each entry for row, the best plan's first, each completed
// by the best plan's later rows.
bool ProductionPlanner::Branch(int row, PlanEntries& entries) {
    std::int8_t order[kEntryCount];
    order[0] = m_best.entries[row];
    for (std::int8_t entry = 0, next = 1; entry < kEntryCount; ++entry)
        if (entry != order[0])
            order[next++] = entry;
    for (const std::int8_t entry : order) {
        entries[row] = entry;
        for (int later = row + 1; later <= kLastPlannedRow; ++later)
            entries[later] = m_best.entries[later];
        if (row == kLastPlannedRow) {
            Consider(entries); // every plan the bounds keep is worked out whole here
            continue;
        }
        if (OverBudget())
            return false;
        // The bound needs the rows through row + 1 only.
        m_evaluator.Follow(entries, row + 1);
        // A row whose upgrade takes all its production builds nothing, whatever it is set to: every entry
        // gives the same table and the same goal, and one stands for all; its own text, where it has an
        // entry, since the tie rule prefers it.
        const bool buildsNothing = BuildsNothing(row);
        if (buildsNothing && m_standing[row] >= 0 && m_standing[row] != entry) {
            entries[row] = m_standing[row];
            m_evaluator.Follow(entries, row + 1);
        }
        const double highest =
            PlanBound::Highest(m_evaluator.Table(), m_goal, row + 1, m_evaluator.ValueThrough(row + 1), m_best.value,
                               &m_boundStates, &m_boundWorkspace);
        if (highest <= m_best.value) {
            // A bound of exactly the best value leaves only plans of that value: the one of them that
            // changes the fewest rows is looked at, for the tie rule.
            if (highest == m_best.value && CouldWinTie(row, entries))
                ConsiderFewestChanges(row, entries);
        } else if (!Branch(row + 1, entries)) {
            return false;
        }
        if (buildsNothing)
            break;
    }
    return true;
}

// Whether the row's production acted on nothing in the plan evaluated last: its upgrade took all of its L
// (the recalculation then caps the upgrade at the L and builds nothing).
bool ProductionPlanner::BuildsNothing(int row) const {
    const CZentharoDoc& table = m_evaluator.Table();
    return !(table.m_upgrade[row].Number() < table.m_l[row].Number());
}

// Whether a plan beginning with entries' rows up to row could come before the best plan in the tie
// rule: by fewer changed rows, or by as many and an earlier entry in the first row that differs.
bool ProductionPlanner::CouldWinTie(int row, const PlanEntries& entries) const {
    int fewestChanged = 0;
    for (int r = m_firstRow; r <= kLastPlannedRow; ++r)
        fewestChanged += r <= row ? entries[r] != m_standing[r] : m_standing[r] < 0;
    if (fewestChanged != m_best.changed)
        return fewestChanged < m_best.changed;
    for (int r = m_firstRow; r <= row; ++r)
        if (entries[r] != m_best.entries[r])
            return entries[r] < m_best.entries[r];
    return true;
}

// The plan of these rows up to row that changes the fewest later rows (each keeps its text, or takes the
// first entry where it must change): among the plans of these rows, it comes first in the tie rule.
void ProductionPlanner::ConsiderFewestChanges(int row, PlanEntries entries) {
    for (int later = row + 1; later <= kLastPlannedRow; ++later)
        entries[later] = m_standing[later] < 0 ? 0 : m_standing[later];
    Consider(entries);
}
