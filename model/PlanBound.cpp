// The upper bound of a goal: the recalculation's steps, each at the most it can give.
//
// It is worked out twice. First with every production at once on every turn, which bounds what each
// turn can have left after its upgrade ("free"): cheap, and often enough to leave a group of plans out.
// Then row by row over the ways the turns can be shared out among capital, terraforming, materials and
// ships (RowByRow), which keeps each turn to one of them and to its own place in the plan.
#include "PlanBound.h"

#include "ProductionPlan.h"
#include "TurnRules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace PlanBound {
namespace {

double Value(const CString& cell) { return cell.Number(); }

// Every stored number is rounded to 13 significant digits, and every operation on doubles once more,
// each by a share of the number's own size. Each step of the bound is raised by far more than both
// together. Nothing of 0 is raised: what adds only zeros is exact, so that a bound can equal a value.
double Raised(double value) { return value + std::fabs(value) * 1e-9; }
// And each step of a lower bound lowered as much.
double Lowered(double value) { return value - std::fabs(value) * 1e-9; }

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
    // The people and the industry with capital of the first row, at least.
    double leastPeople = 0, leastIndustry = 0;
};

double Free(double l, double upgrade) { return std::max(0.0, Raised(l - upgrade)); }

double Grown(double size, double terraformed) {
    return std::max(size, std::min(kMaximumSize, Raised(size + kTerraformingGrowth * terraformed)));
}

// What a turn builds from its free production, a unit taking cost of it: a share (1 / cost) of it, or,
// where the materials run short, the materials and what the resources make of the free amount. It grows
// with the free amount, the materials and the resources alike (where the materials are short, the share
// is the larger), so that from larger ones it cannot come out smaller.
double Built(double free, double materials, double resources, double share, int cost) {
    if (free * share <= materials)
        return Raised(free * share);
    return Raised((materials + resources * free) / (cost * resources + 1));
}

double MassOf(double free, double materials, double resources) {
    return Built(free, materials, resources, kMassShare, kProductionPerMass);
}

double CapitalOfRow(double free, double materials, double resources) {
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
    PerRow materials{}; // what each row can hold
    Ceiling last{};
};

AllAtOnce EveryProductionAtOnce(Ceiling ceiling, const OpenRows& open) {
    AllAtOnce all;
    double delivered = ceiling.industry, freeSoFar = 0, available = 0;
    for (int i = 0; i < open.count; ++i) {
        ceiling.people = Raised(ceiling.people + kPeoplePerColonist * open.colonists[i]);
        delivered = Raised(delivered + open.capital[i]);
        // Bombing takes from population, colonists, industry and capital alike, none below 0; what it
        // takes from industry and capital it takes at most from what was delivered.
        ceiling.people = std::max(0.0, Raised(ceiling.people - open.bombing[i]));
        delivered = std::max(0.0, Raised(delivered - open.bombing[i]));
        ceiling.industry = Raised(delivered + CapitalBuilt(freeSoFar, available, open.resources));
        const double population = ceiling.Population();
        const double free = Free(ceiling.L(), open.upgrade[i]);
        all.free[i] = free;
        all.materials[i] = Raised(open.delivered[i] + open.resources * freeSoFar);
        available = all.materials[i];
        freeSoFar = Raised(freeSoFar + free);
        ceiling.size = Grown(ceiling.size, free);
        ceiling.people = Raised(ceiling.people + kPeoplePerColonist * kColonistGrowth * population);
    }
    ceiling.industry = Raised(delivered + CapitalBuilt(freeSoFar, available, open.resources));
    all.last = ceiling;
    return all;
}

// The goal adds each row's mass to the sum in turn; whatever rounding that makes, it cannot take the sum
// above the exact sum by more than the raise. No mass at all leaves the sum as it is, exactly.
double WithShipMass(double gained, double mass) { return mass == 0 ? gained : Raised(gained + mass); }

double AllShipMass(const AllAtOnce& all, const OpenRows& open, double gained) {
    double mass = gained;
    for (int i = 0; i < open.count; ++i)
        mass = WithShipMass(mass, MassOf(all.free[i], all.materials[i], open.resources));
    return mass;
}

// The L of row 19 when the rows that terraform and those that build capital are told apart: the free
// amounts x terraformed and y built into capital add up to at most what the investing rows had, so a
// larger size comes with less industry. With x, the population min(people, size(x)) grows and the
// industry delivered + capital(y) falls, so L is the population up to where the industry falls below it,
// and 0.25 * population + 0.75 * industry beyond; each stretch is bounded by its population at its right
// end and its industry at its left end.
struct LastRow {
    double people, delivered, capitalised, terraformed, invested, available;
};

double LastLTradedOff(const LastRow& last, double startSize, double resources) {
    const double both = last.invested;
    const auto population = [&](double x) { return std::min(last.people, Grown(startSize, x)); };
    const auto industry = [&](double x) {
        return Raised(last.delivered + CapitalBuilt(std::min(last.capitalised, both - x), last.available, resources));
    };
    const auto highestL = [&](double from, double to) {
        const double p = population(to);
        return Stored(kLPerPopulation * p + kLPerIndustry * std::min(industry(from), p));
    };
    double from = std::max(0.0, both - last.capitalised), to = std::min(last.terraformed, both);
    // Each at its most, as if the rows that build capital could also terraform.
    const double grownPopulation = population(last.terraformed);
    const double untraded = Stored(
        kLPerPopulation * grownPopulation +
        kLPerIndustry * std::min(Raised(last.delivered + CapitalBuilt(last.capitalised, last.available, resources)),
                                 grownPopulation));
    if (both >= last.terraformed + last.capitalised || !(from < to))
        return untraded;
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
    return std::min(highest, untraded);
}

// What the plans that reach a state of RowByRow can at most have.
struct RowState {
    // The bound that last reached the state: the states are kept from one bound to the next, and one
    // whose mark is not the bound's own is not reached.
    std::uint32_t reachedBy = 0;
    double people = 0;
    double capitalFree = 0, terraformingFree = 0;
    double investedFree = 0; // capital and terraforming together
    double resources = 0;    // terraforming lowers them
    double materialsMade = 0, capitalBuilt = 0;
    double mass = 0;
};

// The goal row by row. Each row builds capital, terraforms, makes materials or builds ships, and what a
// row has free depends only on the rows before it. The counts of rows of each kind so far are the state;
// each state holds what the plans that reach it can at most have: the people, the free amounts each kind
// of row has had, and the ship mass. Where plans meet in a state, each of these is the most any of them
// has, and each row is worked out from those as the recalculation would, at its most. So the best state
// at the end bounds every plan: a row does one thing only, and has what its own place in the plan gives.
// For production, a row that builds ships changes nothing a row that makes materials would not raise,
// so only plans in which every row invests are followed.
class RowByRow {
public:
    // A trade-off of row 19 costs about as much as following this many states.
    static constexpr int kTradeOffStates = 25;

    RowByRow(Ceiling start, const OpenRows& open, const PerRow& allFree, std::vector<RowState>& states,
             std::uint32_t mark)
        : m_start(start), m_open(open), m_allFree(allFree), m_n(open.count), m_states(states), m_mark(mark) {
        int next = 0;
        for (int capital = 0; capital <= m_n; ++capital) {
            for (int terraforming = 0; capital + terraforming <= m_n; ++terraforming) {
                m_first[static_cast<std::size_t>(capital * (m_n + 1) + terraforming)] = next;
                next += m_n - capital - terraforming + 1;
            }
        }
        m_count = static_cast<std::size_t>(next);
        if (m_states.size() < m_count)
            m_states.resize(m_count);
        double delivered = m_start.industry;
        for (int i = 0; i < m_n; ++i) {
            delivered = std::max(0.0, Raised(Raised(delivered + m_open.capital[i]) - m_open.bombing[i]));
            m_industryDelivered[i] = delivered;
        }
        FollowTheLeast();
    }

    // The highest goal at the end; for production, the work may stop once it passes the target.
    double Highest(PlanGoal goal, double gained, double target) {
        RowState& first = m_states[0];
        first = RowState{};
        first.reachedBy = m_mark;
        first.people = m_start.people;
        first.resources = m_open.resources;
        for (int i = 0; i < m_n; ++i) {
            // From the most rows down, so that a state moves on before the states of one row fewer reach it.
            // For production only the states in which every row so far invested are left.
            const int fewest = goal == PlanGoal::Ships ? 0 : i;
            for (int sum = i; sum >= fewest; --sum)
                for (int capital = 0; capital <= sum; ++capital)
                    for (int terraforming = 0; capital + terraforming <= sum; ++terraforming)
                        MoveOn(goal, i, capital, terraforming, sum - capital - terraforming);
        }
        return goal == PlanGoal::Ships ? HighestMass(gained) : HighestL(target);
    }

    long long StatesFollowed() const { return m_followed; }

private:
    RowState& At(int capital, int terraforming, int materials) {
        return m_states[static_cast<std::size_t>(m_first[static_cast<std::size_t>(capital * (m_n + 1) + terraforming)] +
                                                 materials)];
    }

    bool IsReached(const RowState& state) const { return state.reachedBy == m_mark; }

    void Meet(RowState& state, const RowState& arriving) const {
        if (!IsReached(state)) {
            state = arriving;
            return;
        }
        state.people = std::max(state.people, arriving.people);
        state.capitalFree = std::max(state.capitalFree, arriving.capitalFree);
        state.terraformingFree = std::max(state.terraformingFree, arriving.terraformingFree);
        state.investedFree = std::max(state.investedFree, arriving.investedFree);
        state.resources = std::max(state.resources, arriving.resources);
        state.materialsMade = std::max(state.materialsMade, arriving.materialsMade);
        state.capitalBuilt = std::max(state.capitalBuilt, arriving.capitalBuilt);
        state.mass = std::max(state.mass, arriving.mass);
    }

    double Materials(const RowState& state, int i) const { return Raised(m_open.delivered[i] + state.materialsMade); }

    // Open row i of a state, after its deliveries and the bombing that strikes before its L (row 19 after
    // the last open row's): its ceiling at most.
    Ceiling Reached(const RowState& state, int i) const {
        // The capital built: at most what the capital rows' materials allow together at the first resources,
        // and at most what each built with its own materials and resources.
        const double built = i == 0
                                 ? 0
                                 : std::min(state.capitalBuilt,
                                            CapitalBuilt(state.capitalFree, Materials(state, i - 1), m_open.resources));
        return {state.people, Raised(m_industryDelivered[std::min(i, m_n - 1)] + built),
                Grown(m_start.size, state.terraformingFree)};
    }

    double HighestMass(double gained) const {
        double highest = -std::numeric_limits<double>::infinity();
        for (std::size_t k = 0; k < m_count; ++k)
            if (IsReached(m_states[k]))
                highest = std::max(highest, WithShipMass(gained, m_states[k].mass));
        return highest;
    }

    // The plain L of each final state is cheap; its trade-off is worked out from the highest plain L down,
    // only while the plain L could still raise the highest.
    double HighestL(double target) {
        std::vector<std::pair<double, const RowState*>> plain;
        for (std::size_t k = 0; k < m_count; ++k)
            if (IsReached(m_states[k]))
                plain.emplace_back(Reached(m_states[k], m_n).LastL(), &m_states[k]);
        std::sort(plain.begin(), plain.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
        double highest = -std::numeric_limits<double>::infinity();
        for (const auto& [l, state] : plain) {
            if (!(l > highest) || highest > target)
                break;
            highest = std::max(highest, std::min(l, TradedOffL(*state)));
            m_followed += kTradeOffStates;
        }
        return highest;
    }

    // The least free amount each row has, whatever the plan: the people grow at least with the population
    // the first size holds, bombing takes at most the bombing from each of population and its colonists
    // (nine times it from the people) and from industry and capital, and no capital is built.
    void FollowTheLeast() {
        double people = m_open.leastPeople, industry = m_open.leastIndustry;
        for (int i = 0; i < m_n; ++i) {
            people = std::max(0.0, Lowered(Lowered(people + kPeoplePerColonist * m_open.colonists[i]) -
                                           (kPeoplePerColonist + 1) * m_open.bombing[i]));
            industry = std::max(0.0, Lowered(Lowered(industry + m_open.capital[i]) - 2 * m_open.bombing[i]));
            const double population = std::min(people, m_start.size);
            const double l = Lowered(kLPerPopulation * population + kLPerIndustry * std::min(industry, population));
            m_leastFree[i] = std::max(0.0, Lowered(l - m_open.upgrade[i]));
            people = Lowered(people + kPeoplePerColonist * kColonistGrowth * population);
        }
    }

    // Row 19's L: the size and the industry can each be at their most only from different plans.
    double TradedOffL(const RowState& state) const {
        const LastRow last{state.people,           m_industryDelivered[m_n - 1], state.capitalFree,
                           state.terraformingFree, state.investedFree,           Materials(state, m_n - 1)};
        return LastLTradedOff(last, m_start.size, m_open.resources);
    }

    void MoveOn(PlanGoal goal, int i, int capital, int terraforming, int materials) {
        RowState& state = At(capital, terraforming, materials);
        if (!IsReached(state))
            return;
        ++m_followed;
        RowState row = state;
        row.people =
            std::max(0.0, Raised(Raised(row.people + kPeoplePerColonist * m_open.colonists[i]) - m_open.bombing[i]));
        const Ceiling ceiling = Reached(row, i);
        const double free = std::min(m_allFree[i], Free(ceiling.L(), m_open.upgrade[i]));
        const double held = Materials(row, i);
        const double mass = MassOf(free, held, row.resources);
        row.people = Raised(row.people + kPeoplePerColonist * kColonistGrowth * std::min(row.people, ceiling.size));

        RowState invested = row;
        invested.investedFree = Raised(row.investedFree + free);
        invested.capitalFree = Raised(row.capitalFree + free);
        invested.capitalBuilt = Raised(row.capitalBuilt + CapitalOfRow(free, held, row.resources));
        Meet(At(capital + 1, terraforming, materials), invested);
        invested = row;
        invested.investedFree = Raised(row.investedFree + free);
        invested.terraformingFree = Raised(row.terraformingFree + free);
        // Terraforming takes 0.3 * free / size of the resources, at least what the least free amount of
        // the row takes from the most size.
        invested.resources = std::max(
            0.0, Raised(row.resources * Raised(1 - kTerraformingResourceLoss * m_leastFree[i] / ceiling.size)));
        Meet(At(capital, terraforming + 1, materials), invested);
        invested = row;
        invested.materialsMade = Raised(row.materialsMade + row.resources * free);
        Meet(At(capital, terraforming, materials + 1), invested);
        if (goal == PlanGoal::Ships) {
            row.mass = WithShipMass(row.mass, mass);
            state = row;
        } else {
            state.reachedBy = 0; // every row of a plan of the most production invests
        }
    }

    const Ceiling m_start;
    const OpenRows& m_open;
    const PerRow& m_allFree; // what a row has free at most, whatever the rows before it do
    const int m_n;
    std::array<int, (kMaxTurns + 1) * (kMaxTurns + 1)> m_first{}; // by the rows of capital and of terraforming
    std::vector<RowState>& m_states;                              // kept from one bound to the next
    std::size_t m_count = 0;                                      // the states this bound uses
    const std::uint32_t m_mark;                                   // of the states this bound reached
    long long m_followed = 0;
    PerRow m_leastFree{};
    PerRow m_industryDelivered{}; // the industry and capital delivered up to each row, less what bombing takes
};

} // namespace

struct Workspace::States {
    std::vector<RowState> all;
    std::uint32_t lastMark = 0;

    // A mark no state holds yet. Should the marks run out, the states are cleared and they start again.
    std::uint32_t NextMark() {
        if (++lastMark == 0) {
            std::fill(all.begin(), all.end(), RowState{});
            lastMark = 1;
        }
        return lastMark;
    }
};

Workspace::Workspace() : m_states(std::make_unique<States>()) {}
Workspace::~Workspace() = default;

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

double Highest(const CZentharoDoc& table, PlanGoal goal, int row, double gainedThroughRow, double target,
               long long* statesFollowed, Workspace* workspace) {
    if (row > kLastPlannedRow)
        return goal == PlanGoal::Ships ? gainedThroughRow : Value(table.m_l[kProjectedTurns - 1]);
    const Ceiling start{Raised(Value(table.m_pop[row]) + kPeoplePerColonist * Value(table.m_col[row])),
                        Raised(Value(table.m_ind[row]) + Value(table.m_cap[row])), Value(table.m_size[row])};
    OpenRows open;
    open.count = kLastPlannedRow + 1 - row;
    open.resources = Value(table.m_res[row]);
    open.leastPeople = Lowered(Value(table.m_pop[row]) + kPeoplePerColonist * Value(table.m_col[row]));
    open.leastIndustry = Lowered(Value(table.m_ind[row]) + Value(table.m_cap[row]));
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
    double highest = goal == PlanGoal::Ships ? AllShipMass(all, open, gainedThroughRow) : all.last.LastL();
    // Below the target, the lower bound row by row cannot change the answer.
    if (!(highest < target)) {
        Workspace own;
        Workspace::States& held = (workspace ? *workspace : own).Held();
        RowByRow rows(start, open, all.free, held.all, held.NextMark());
        highest = std::min(highest, rows.Highest(goal, gainedThroughRow, target));
        if (statesFollowed)
            *statesFollowed += rows.StatesFollowed();
    }
    return std::isnan(highest) ? std::numeric_limits<double>::infinity() : highest;
}

} // namespace PlanBound
