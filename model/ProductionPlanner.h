// The best plan of productions for a goal: which entry each row from a first row on should produce to
// get the most ship mass, or the most production at the end, out of the projection as it stands.
//
// Every plan is valued by the projection's own recalculation. Up to kExhaustiveHorizon planned rows,
// every plan is tried. Beyond that the search starts from the current plan and every plan of one
// switch, improves the best of them briefly by changing runs of rows, and then searches every plan,
// leaving out the groups of plans whose bound (PlanBound) cannot pass the best so far: when that search
// ends, no plan gives more. When its work runs out first, every plan of at most two switches is tried
// and the best improved further, so that the plan is never below those. The work is counted in rows
// recalculated and states the bound followed, not in time, so that every build finds the same plan.
//
// Ties go to the plan that changes the fewest rows, then to the plan whose first differing row comes
// first in the order the choosers add their entries: "Capital", "Materials", "Ship", "_TerraForming",
// among the plans the search looked at. A row whose text builds ships and shows "Ship" (a design's
// name) is unchanged by "Ship". When no plan beats the productions as they stand, they are kept as
// they are.
#pragma once

#include "PlanBound.h"
#include "PlanEvaluator.h"

struct PlannerLimits {
    // Up to this many planned rows, every plan is tried.
    int exhaustiveHorizon = 8;
    // The work a search beyond that may do, in rows (see Work); the proof stops past it. A row takes
    // about 2.5 microseconds in the 32-bit module under Wine: with the plans of two switches tried after
    // an unfinished proof, this keeps the slowest plan below 0.8 s there.
    long long rowBudget = 340000;
    // The rows improving may recalculate before the proof: a good plan early lets the proof leave out
    // more, but the proof's own search finds the best plan anyway.
    long long improvingBeforeTheProof = 3000;
};

class ProductionPlanner {
public:
    // firstRow must be 0..18; the rows before it keep their productions.
    ProductionPlanner(const CZentharoDoc& projection, PlanGoal goal, int firstRow, PlannerLimits limits = {});

    ProductionPlan Plan();

    // The work the search did, in rows recalculated.
    long long RowsBuilt() const { return m_evaluator.RowsBuilt(); }
    // The states of plans the bound followed row by row.
    long long BoundStates() const { return m_boundStates; }
    // The work so far, in rows: those recalculated, and the bound's work counted as rows of like time.
    long long Work() const { return m_evaluator.RowsBuilt() + m_boundStates / PlanBound::kStatesPerRow; }

private:
    struct Scored {
        PlanEntries entries;
        double value;
        int changed;
    };

    int Horizon() const { return kLastPlannedRow + 1 - m_firstRow; }
    bool OverBudget() const { return Work() >= m_limits.rowBudget; }
    // Improving stops where it was told to, so that a proof always has work left.
    bool ImprovingOverBudget() const { return m_evaluator.RowsBuilt() >= m_improvingUntil; }

    Scored Score(const PlanEntries& entries);
    int ChangedRows(const PlanEntries& entries) const;
    bool Precedes(const Scored& a, const Scored& b) const;
    // Scores the plan and keeps it when it beats the best so far.
    void Consider(const PlanEntries& entries);

    void TryEveryPlan();
    PlanEntries CurrentEntries() const;
    void TryCurrentPlan();
    void TryOneSwitchPlans();
    void TryTwoSwitchPlans();
    void Improve(long long until);
    template <typename Neighbours>
    bool MoveToBestOf(Neighbours neighbours);
    bool ProveBest();
    bool Branch(int row, PlanEntries& entries);
    bool BuildsNothing(int row) const;
    bool CouldWinTie(int row, const PlanEntries& entries) const;
    void ConsiderFewestChanges(int row, PlanEntries entries);

    const CZentharoDoc& m_projection;
    const PlanGoal m_goal;
    const int m_firstRow;
    const PlannerLimits m_limits;
    PlanEvaluator m_evaluator;
    PlanEntries m_standing; // the entry each row's production text stands for (StandingEntry), or -1
    Scored m_best;
    bool m_haveBest = false;
    long long m_improvingUntil = 0;
    long long m_boundStates = 0;
    PlanBound::Workspace m_boundWorkspace;
};
