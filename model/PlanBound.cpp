// The upper bound of a goal: the recalculation's steps, each at the most it can give.
//
// It is worked out twice. First with every production at once on every turn, which bounds what each
// turn can have left after its upgrade ("free"), the materials it can hold and the capital it can
// build. Then once for each way to share the turns out among ships, capital, materials and
// terraforming: when a turns build capital, what they build is at most the a largest amounts any turn
// before could build; likewise the materials and the size. A turn builds ships from what it has, limited
// by its materials as the recalculation limits it. The lower of the two bounds holds.
#include "PlanBound.h"

#include "ProductionPlan.h"
#include "TurnRules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace PlanBound {
namespace {

double Value(const CString& cell) { return cell.Number(); }

// Every stored number is rounded to 13 significant digits, and every operation on doubles once more,
// each by a share of the number's own size. Each step of the bound is raised by far more than both
// together. Nothing of 0 is raised: what adds only zeros is exact, so that a bound can equal a value.
double Raised(double value) { return value + std::fabs(value) * 1e-9; }

// The number a cell stores for a computed value. Rounding to 13 digits keeps the order of numbers, so
// the stored number of a larger value is never smaller.
double Stored(double value) {
    char text[NumberText::kBufferSize];
    return NumberText::Read(
        std::string_view(text, static_cast<std::size_t>(NumberText::WriteNumber(value, text) - text)));
}

using namespace TurnRules;
constexpr double kPeoplePerColonist = kPopulationPerColonist;

constexpr int kMaxTurns = kLastPlannedRow + 1;

// What a row can at most hold: people counted as population plus the population its colonists
// become, industry plus capital, and the size.
struct Ceiling {
    double people, industry, size;

    double Population() const { return std::min(people, size); }
    double Industry() const { return std::min(industry, Population()); }
    // The L a row stores is worked out from its population and industry with these very operations,
    // each of which keeps the order of numbers: from larger ones it cannot come out smaller.
    double L() const { return Raised(kLPerPopulation * Population() + kLPerIndustry * Industry()); }
    double LastL() const { return Stored(kLPerPopulation * Population() + kLPerIndustry * Industry()); }

    // Bombing takes from population, colonists, industry and capital alike, none below 0.
    void Bomb(double bombing) {
        people = std::max(0.0, Raised(people - bombing));
        industry = std::max(0.0, Raised(industry - bombing));
    }
};

using PerRow = std::array<double, kMaxTurns>;

// The open rows, row..18, as the bound follows them.
struct OpenRows {
    int count = 0;
    PerRow colonists{}, capital{}, upgrade{};
    PerRow bombing{}; // of the row after: it strikes before that row's L
    // The materials a row holds after its deliveries when no open row made any: the stock of the first
    // row and every delivery since. Building capital and terraforming only take from it.
    PerRow delivered{};
    // No turn raises the resources: terraforming only lowers them.
    double resources = 0;
};

double Free(double l, double upgrade) { return std::max(0.0, Raised(l - upgrade)); }

double Grown(double size, double terraformed) {
    return std::max(size, std::min(kMaximumSize, Raised(size + kTerraformingGrowth * terraformed)));
}

// What a turn builds from its free production, where materials run short: the share of the free amount,
// or the materials and what the resources make of the free amount, whichever is less. Each grows with
// the free amount, the materials and the resources alike (where the materials are short, the share is
// the larger), so that from larger ones it cannot come out smaller.
double Built(double free, double materials, double resources, double share, int cost) {
    if (free * share <= materials)
        return Raised(free * share);
    return Raised((materials + resources * free) / (cost * resources + 1));
}

double MassOf(double free, double materials, double resources) {
    return Built(free, materials, resources, kMassShare, kProductionPerMass);
}

double CapitalOf(double free, double materials, double resources) {
    return Built(free, materials, resources, kCapitalShare, kProductionPerCapital);
}

// The capital that turns whose free amounts add up to free can build in all, out of at most the
// materials available. A turn builds (m + R * f) / (5 * R + 1) from the m materials it uses up and its
// free amount f, both when it has enough materials (m = f / 5) and when it uses them all (m < f / 5),
// and no more for a lower R: so the turns together build at most that of the materials they share.
double CapitalBuilt(double free, double available, double resources) {
    return std::min(Raised(kCapitalShare * free),
                    Raised((available + resources * free) / (kProductionPerCapital * resources + 1)));
}

// Every production on every turn: the free amount of each open row, and the ceiling of row 19.
struct AllAtOnce {
    PerRow free{};
    Ceiling last{};
};

AllAtOnce EveryProductionAtOnce(Ceiling ceiling, const OpenRows& open) {
    AllAtOnce all;
    double delivered = ceiling.industry, freeSoFar = 0, available = 0;
    for (int i = 0; i < open.count; ++i) {
        ceiling.people = Raised(ceiling.people + kPeoplePerColonist * open.colonists[i]);
        delivered = Raised(delivered + open.capital[i]);
        ceiling.people = std::max(0.0, Raised(ceiling.people - open.bombing[i]));
        delivered = std::max(0.0, Raised(delivered - open.bombing[i]));
        ceiling.industry = Raised(delivered + CapitalBuilt(freeSoFar, available, open.resources));
        const double population = ceiling.Population();
        const double free = Free(ceiling.L(), open.upgrade[i]);
        all.free[i] = free;
        available = Raised(open.delivered[i] + open.resources * freeSoFar);
        freeSoFar = Raised(freeSoFar + free);
        ceiling.size = Grown(ceiling.size, free);
        ceiling.people = Raised(ceiling.people + kPeoplePerColonist * kColonistGrowth * population);
    }
    ceiling.industry = Raised(delivered + CapitalBuilt(freeSoFar, available, open.resources));
    all.last = ceiling;
    return all;
}

// largest[i][n]: the sum of the n largest amounts of open rows 0..i-1, raised.
using LargestSums = std::array<std::array<double, kMaxTurns + 1>, kMaxTurns + 1>;

void SumLargest(const PerRow& amounts, int count, LargestSums& largest) {
    PerRow sorted{};
    for (int i = 0; i <= count; ++i) {
        largest[i][0] = 0;
        for (int n = 1; n <= i; ++n)
            largest[i][n] = Raised(largest[i][n - 1] + sorted[n - 1]);
        if (i < count) {
            sorted[i] = amounts[i];
            for (int j = i; j > 0 && sorted[j] > sorted[j - 1]; --j)
                std::swap(sorted[j], sorted[j - 1]);
        }
    }
}

// What the open rows can at most make of each kind.
struct Shares {
    double resources = 0;
    PerRow delivered{};
    LargestSums freeSums{}; // of the free amounts of every production at once
};

// One way to share the open rows out: at most so many rows of each investing kind.
struct Split {
    int capital, materials, terraforming;
    int investing; // rows that build capital or terraform: at most capital + terraforming
};

using Sums = std::array<double, kMaxTurns + 1>;

// For each row, the sums of the largest free amounts of the rows before it that a split's rows of each
// kind can have had.
struct SplitSums {
    Sums capital{}, materials{}, terraforming{}, investing{};

    // The materials row i can at most hold.
    double Materials(const Shares& shares, int i) const {
        return Raised(shares.delivered[i] + shares.resources * materials[i]);
    }
    // The capital the rows before i can at most have built.
    double Capital(const Shares& shares, int i) const {
        return i == 0 ? 0 : CapitalBuilt(capital[i], Materials(shares, i - 1), shares.resources);
    }
};

SplitSums SumsOf(const Shares& shares, int count, Split split) {
    SplitSums sums;
    for (int i = 0; i <= count; ++i) {
        sums.capital[i] = shares.freeSums[i][std::min(split.capital, i)];
        sums.materials[i] = shares.freeSums[i][std::min(split.materials, i)];
        sums.terraforming[i] = shares.freeSums[i][std::min(split.terraforming, i)];
        sums.investing[i] = shares.freeSums[i][std::min(split.investing, i)];
    }
    return sums;
}

// The same sums from tighter free amounts: those a split's own rows can at most have.
SplitSums SumsOf(const PerRow& free, int count, Split split) {
    SplitSums sums;
    PerRow sorted{};
    const int taken[] = {split.capital, split.materials, split.terraforming, split.investing};
    Sums* out[] = {&sums.capital, &sums.materials, &sums.terraforming, &sums.investing};
    for (int i = 0; i <= count; ++i) {
        for (int kind = 0; kind < 4; ++kind) {
            double sum = 0;
            for (int n = 0; n < std::min(taken[kind], i); ++n)
                sum = Raised(sum + sorted[n]);
            (*out[kind])[i] = sum;
        }
        if (i < count) {
            sorted[i] = free[i];
            for (int j = i; j > 0 && sorted[j] > sorted[j - 1]; --j)
                std::swap(sorted[j], sorted[j - 1]);
        }
    }
    return sums;
}

// Row 19 under a split: its ceiling, and the industry and capital delivered (what was not built).
struct Last {
    Ceiling ceiling;
    double delivered;
};

// The open rows under a split's sums: the free amount and the ship mass each row could have, and row 19.
Last Shared(Ceiling ceiling, const OpenRows& open, const Shares& shares, const SplitSums& sums, PerRow& free,
            PerRow& mass) {
    const Ceiling start = ceiling;
    double delivered = start.industry;
    for (int i = 0; i < open.count; ++i) {
        ceiling.people = Raised(ceiling.people + kPeoplePerColonist * open.colonists[i]);
        delivered = Raised(delivered + open.capital[i]);
        // What bombing takes from industry and capital it takes at most from what was delivered.
        ceiling.people = std::max(0.0, Raised(ceiling.people - open.bombing[i]));
        delivered = std::max(0.0, Raised(delivered - open.bombing[i]));
        ceiling.size = Grown(start.size, sums.terraforming[i]);
        ceiling.industry = Raised(delivered + sums.Capital(shares, i));
        const double population = ceiling.Population();
        free[i] = std::min(free[i], Free(ceiling.L(), open.upgrade[i]));
        mass[i] = MassOf(free[i], sums.Materials(shares, i), open.resources);
        ceiling.people = Raised(ceiling.people + kPeoplePerColonist * kColonistGrowth * population);
    }
    const int n = open.count;
    ceiling.size = Grown(start.size, sums.terraforming[n]);
    ceiling.industry = Raised(delivered + sums.Capital(shares, n));
    return {ceiling, delivered};
}

// The L of row 19 when the rows that terraform and those that build capital are told apart: the free
// amounts x terraformed and y built into capital add up to at most the investing rows' sum, so a larger
// size comes with less industry. With x, the population min(people, size(x)) grows and the industry
// delivered + capital(y) falls, so L is the population up to where the industry falls below it, and
// 0.25 * population + 0.75 * industry beyond; each stretch is bounded by its population at its right end
// and its industry at its left end.
double LastLSharedOut(const Last& last, Ceiling start, const Shares& shares, const SplitSums& sums, int n) {
    const double terraformed = sums.terraforming[n], capitalised = sums.capital[n], both = sums.investing[n];
    if (both >= terraformed + capitalised || n == 0)
        return last.ceiling.LastL();
    const double available = sums.Materials(shares, n - 1);
    const auto population = [&](double x) { return std::min(last.ceiling.people, Grown(start.size, x)); };
    const auto industry = [&](double x) {
        return Raised(last.delivered + CapitalBuilt(std::min(capitalised, both - x), available, shares.resources));
    };
    const auto highestL = [&](double from, double to) {
        const double p = population(to);
        return Stored(kLPerPopulation * p + kLPerIndustry * std::min(industry(from), p));
    };
    double from = std::max(0.0, both - capitalised), to = std::min(terraformed, both);
    if (!(from < to))
        return last.ceiling.LastL();
    double highest = -std::numeric_limits<double>::infinity();
    if (industry(from) > population(from)) {
        // Where the industry is still above the population, L is the population.
        double low = from, high = to;
        for (int step = 0; step < 40 && industry(high) <= population(high); ++step) {
            const double middle = (low + high) / 2;
            (industry(middle) > population(middle) ? low : high) = middle;
        }
        highest = Stored(population(high));
        from = low;
    }
    constexpr int kStretches = 16;
    for (int k = 0; k < kStretches; ++k)
        highest = std::max(highest, highestL(from + (to - from) * k / kStretches,
                                             k + 1 == kStretches ? to : from + (to - from) * (k + 1) / kStretches));
    return std::min(highest, last.ceiling.LastL());
}

double LargestSum(PerRow amounts, int count, int taken) {
    std::partial_sort(amounts.begin(), amounts.begin() + taken, amounts.begin() + count, std::greater<double>());
    double sum = 0;
    for (int i = 0; i < taken; ++i)
        sum = Raised(sum + amounts[i]);
    return sum;
}

// The goal adds each row's mass to the sum in turn; whatever rounding that makes, it cannot take the sum
// above the exact sum by more than the raise. No mass at all leaves the sum as it is, exactly.
double WithShipMass(double gained, double mass) { return mass == 0 ? gained : Raised(gained + mass); }

// The bound of one split. Its free amounts are bounds for every plan of the split, so the sums they give
// bound it again, lower; a few rounds take most of what this can give.
constexpr int kRefinements = 2;

struct SplitBound {
    const Ceiling start;
    const OpenRows& open;
    const Shares& shares;
    const PlanGoal goal;
    const double gained;
    const PerRow& allFree;

    double Of(Split split, int ships, double target) const {
        PerRow free = allFree, mass{};
        SplitSums sums = SumsOf(shares, open.count, split);
        Last last{};
        double highest = Pass(sums, ships, free, mass, last);
        for (int round = 0; round < kRefinements && !(highest < target); ++round) {
            sums = SumsOf(free, open.count, split);
            highest = std::min(highest, Pass(sums, ships, free, mass, last));
        }
        if (goal == PlanGoal::Production && !(highest < target))
            highest = std::min(highest, LastLSharedOut(last, start, shares, sums, open.count));
        return highest;
    }

    // The ship mass each row could build under a split, after so many rounds of refining.
    PerRow Masses(Split split, int refinements) const {
        PerRow free = allFree, mass{};
        Shared(start, open, shares, SumsOf(shares, open.count, split), free, mass);
        for (int round = 0; round < refinements; ++round)
            Shared(start, open, shares, SumsOf(free, open.count, split), free, mass);
        return mass;
    }

    double Pass(const SplitSums& sums, int ships, PerRow& free, PerRow& mass, Last& last) const {
        last = Shared(start, open, shares, sums, free, mass);
        return goal == PlanGoal::Ships ? WithShipMass(gained, LargestSum(mass, open.count, ships))
                                       : last.ceiling.LastL();
    }
};

// The goal row by row. Each row builds capital, terraforms, makes materials or builds ships, and what a
// row has free depends only on the rows before it. The counts of rows of each kind so far are the state;
// each state holds what its plans can at most have: the people, the free amounts each kind has used, and
// the ship mass. Where plans meet in a state, each of these is the most any of them has, and each row is
// worked out from those, as the recalculation would, at its most. So the best state at the end bounds
// every plan: a row does one thing, and what it has free is that of its own place in the plan.
class RowByRow {
public:
    RowByRow(Ceiling start, const OpenRows& open, const Shares& shares, const PerRow& allFree)
        : m_start(start), m_open(open), m_shares(shares), m_allFree(allFree), m_n(open.count) {
        int next = 0;
        for (int capital = 0; capital <= m_n; ++capital) {
            for (int terraforming = 0; capital + terraforming <= m_n; ++terraforming) {
                m_first[static_cast<std::size_t>(capital * (m_n + 1) + terraforming)] = next;
                next += m_n - capital - terraforming + 1;
            }
        }
        m_states.assign(static_cast<std::size_t>(next), State{});
        double delivered = m_start.industry;
        for (int i = 0; i < m_n; ++i) {
            delivered = std::max(0.0, Raised(Raised(delivered + m_open.capital[i]) - m_open.bombing[i]));
            m_delivered[i] = delivered;
        }
    }

    double Highest(PlanGoal goal, double gained) {
        m_states[0] = State{m_start.people, 0, 0, 0, 0};
        for (int i = 0; i < m_n; ++i) {
            // From the most rows down, so that a state moves on before the states of one row fewer reach it.
            for (int sum = goal == PlanGoal::Ships ? i : std::min(i, m_n); sum >= (goal == PlanGoal::Ships ? 0 : i);
                 --sum)
                for (int capital = 0; capital <= sum; ++capital)
                    for (int terraforming = 0; capital + terraforming <= sum; ++terraforming)
                        MoveOn(goal, i, capital, terraforming, sum - capital - terraforming);
        }
        double highest = -std::numeric_limits<double>::infinity();
        for (int capital = 0; capital <= m_n; ++capital) {
            for (int terraforming = 0; capital + terraforming <= m_n; ++terraforming) {
                for (int materials = 0; capital + terraforming + materials <= m_n; ++materials) {
                    const State& state = At(capital, terraforming, materials);
                    if (state.people < 0)
                        continue;
                    highest = std::max(highest, goal == PlanGoal::Ships ? WithShipMass(gained, state.mass)
                                                                        : Reached(state, m_n).LastL());
                }
            }
        }
        return highest;
    }

private:
    struct State {
        double people = -1; // below 0: no plan reaches the state
        double capitalFree = 0, terraformingFree = 0, materialFree = 0;
        double mass = 0;
    };

    State& At(int capital, int terraforming, int materials) {
        return m_states[static_cast<std::size_t>(m_first[static_cast<std::size_t>(capital * (m_n + 1) + terraforming)] +
                                                 materials)];
    }

    static void Meet(State& state, const State& arriving) {
        if (state.people < 0) {
            state = arriving;
            return;
        }
        state.people = std::max(state.people, arriving.people);
        state.capitalFree = std::max(state.capitalFree, arriving.capitalFree);
        state.terraformingFree = std::max(state.terraformingFree, arriving.terraformingFree);
        state.materialFree = std::max(state.materialFree, arriving.materialFree);
        state.mass = std::max(state.mass, arriving.mass);
    }

    double Materials(const State& state, int i) const {
        return Raised(m_shares.delivered[i] + m_shares.resources * state.materialFree);
    }

    // Open row i of a state, after its deliveries and the bombing that strikes before its L (row 19 after
    // the last open row's): its ceiling at most.
    Ceiling Reached(const State& state, int i) const {
        const double built =
            i == 0 ? 0 : CapitalBuilt(state.capitalFree, Materials(state, i - 1), m_shares.resources);
        return {state.people, Raised(m_delivered[std::min(i, m_n - 1)] + built),
                Grown(m_start.size, state.terraformingFree)};
    }

    void MoveOn(PlanGoal goal, int i, int capital, int terraforming, int materials) {
        State& state = At(capital, terraforming, materials);
        if (state.people < 0)
            return;
        State row = state;
        row.people = std::max(0.0, Raised(Raised(row.people + kPeoplePerColonist * m_open.colonists[i]) -
                                          m_open.bombing[i]));
        const Ceiling ceiling = Reached(row, i);
        const double free = std::min(m_allFree[i], Free(ceiling.L(), m_open.upgrade[i]));
        const double mass = MassOf(free, Materials(row, i), m_shares.resources);
        row.people = Raised(row.people + kPeoplePerColonist * kColonistGrowth * std::min(row.people, ceiling.size));

        State invested = row;
        invested.capitalFree = Raised(row.capitalFree + free);
        Meet(At(capital + 1, terraforming, materials), invested);
        invested = row;
        invested.terraformingFree = Raised(row.terraformingFree + free);
        Meet(At(capital, terraforming + 1, materials), invested);
        invested = row;
        invested.materialFree = Raised(row.materialFree + free);
        Meet(At(capital, terraforming, materials + 1), invested);
        if (goal == PlanGoal::Ships) {
            row.mass = WithShipMass(row.mass, mass);
            state = row;
        } else {
            state.people = -1; // every row of a plan of the most production invests
        }
    }

    const Ceiling m_start;
    const OpenRows& m_open;
    const Shares& m_shares;
    const PerRow& m_allFree; // what a row has free at most, whatever the rows before it do
    const int m_n;
    std::array<int, (kMaxTurns + 1) * (kMaxTurns + 1)> m_first{}; // of the states of each capital and size
    std::vector<State> m_states;
    PerRow m_delivered{}; // the industry and capital delivered by each row, less what bombing takes
};

// The highest production over every split of the open rows, stopping once it passes the target. More
// rows investing never gives less: every row invests.
double HighestProductionOverSplits(const SplitBound& bound, double target) {
    double highest = -std::numeric_limits<double>::infinity();
    const int n = bound.open.count;
    for (int capital = n; capital >= 0; --capital) {
        for (int materials = 0; capital + materials <= n; ++materials) {
            const Split split{capital, materials, n - capital - materials, n - materials};
            highest = std::max(highest, bound.Of(split, 0, target));
            if (highest > target)
                return highest;
        }
    }
    return highest;
}

} // namespace

bool Holds(const CZentharoDoc& projection, int firstRow) {
    const ProjectionColumn CZentharoDoc::*stocks[] = {&CZentharoDoc::m_pop, &CZentharoDoc::m_col, &CZentharoDoc::m_ind,
                                                      &CZentharoDoc::m_cap, &CZentharoDoc::m_mat, &CZentharoDoc::m_size,
                                                      &CZentharoDoc::m_res};
    for (const auto stock : stocks)
        if (!(Value((projection.*stock)[firstRow]) >= 0))
            return false;
    const ProjectionColumn CZentharoDoc::*inputs[] = {&CZentharoDoc::m_colIn, &CZentharoDoc::m_capIn,
                                                      &CZentharoDoc::m_matIn, &CZentharoDoc::m_bombing,
                                                      &CZentharoDoc::m_upgrade};
    for (const auto input : inputs)
        for (int row = firstRow; row < kProjectedTurns; ++row)
            if (!(Value((projection.*input)[row]) >= 0))
                return false;
    return true;
}

double Highest(const CZentharoDoc& table, PlanGoal goal, int row, double gainedThroughRow, double target) {
    if (row > kLastPlannedRow)
        return goal == PlanGoal::Ships ? gainedThroughRow : Value(table.m_l[kProjectedTurns - 1]);
    const Ceiling start{Raised(Value(table.m_pop[row]) + kPeoplePerColonist * Value(table.m_col[row])),
                        Raised(Value(table.m_ind[row]) + Value(table.m_cap[row])), Value(table.m_size[row])};
    OpenRows open;
    open.count = kLastPlannedRow + 1 - row;
    open.resources = Value(table.m_res[row]);
    double delivered = Value(table.m_mat[row]);
    for (int i = 0; i < open.count; ++i) {
        open.colonists[i] = Value(table.m_colIn[row + i]);
        open.capital[i] = Value(table.m_capIn[row + i]);
        // An upgrade a recalculation capped is lower than the one typed: the bound only grows by it.
        open.upgrade[i] = Value(table.m_upgrade[row + i]);
        open.bombing[i] = Value(table.m_bombing[row + i + 1]);
        delivered = Raised(delivered + Value(table.m_matIn[row + i]));
        open.delivered[i] = delivered;
    }

    const AllAtOnce all = EveryProductionAtOnce(start, open);
    Shares shares;
    shares.resources = open.resources;
    shares.delivered = open.delivered;
    SumLargest(all.free, open.count, shares.freeSums);
    const SplitBound bound{start, open, shares, goal, gainedThroughRow, all.free};
    const int n = open.count;
    double highest = goal == PlanGoal::Ships ? bound.Of(Split{n, n, n, n}, n, target) : all.last.LastL();
    // Below the target, the split bounds, lower still, cannot change the answer.
    if (!(highest < target))
        highest = std::min(highest, RowByRow(start, open, shares, all.free).Highest(goal, gainedThroughRow));
    if (goal == PlanGoal::Production && !(highest < target))
        highest = std::min(highest, HighestProductionOverSplits(bound, target));
    return std::isnan(highest) ? std::numeric_limits<double>::infinity() : highest;
}

} // namespace PlanBound
