// The upper bound of a goal: the recalculation's steps, each at the most it can give.
//
// It is worked out twice. First with every production at once on every turn, which bounds what each
// turn can have left after its upgrade ("free"). Then once for each way to share the turns out: when k
// turns build ships, at most the others invest, and what they invest is at most the largest free
// amounts of the turns before; a turn that invests builds no ship; and a turn that terraforms builds
// no capital. The lower of the two bounds holds.
#include "PlanBound.h"

#include "ProductionPlan.h"
#include "TurnRules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>

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

// The inputs of the open rows, row..18, that the bound follows.
struct OpenRows {
    int count = 0;
    std::array<double, kMaxTurns> colonists{}, capital{}, upgrade{};
    std::array<double, kMaxTurns> bombing{}; // of the row after: it strikes before that row's L
};

double Free(double l, double upgrade) { return std::max(0.0, Raised(l - upgrade)); }

double Grown(double size, double terraformed) {
    return std::max(size, std::min(kMaximumSize, Raised(size + kTerraformingGrowth * terraformed)));
}

// Every production on every turn: the free amount of each open row, and the ceiling of row 19.
Ceiling AllAtOnce(Ceiling ceiling, const OpenRows& open, std::array<double, kMaxTurns>& free) {
    for (int i = 0; i < open.count; ++i) {
        ceiling.people = Raised(ceiling.people + kPeoplePerColonist * open.colonists[i]);
        ceiling.industry = Raised(ceiling.industry + open.capital[i]);
        ceiling.Bomb(open.bombing[i]);
        const double population = ceiling.Population();
        free[i] = Free(ceiling.L(), open.upgrade[i]);
        ceiling.size = Grown(ceiling.size, free[i]);
        ceiling.industry = Raised(ceiling.industry + kCapitalShare * free[i]);
        ceiling.people = Raised(ceiling.people + kPeoplePerColonist * kColonistGrowth * population);
    }
    return ceiling;
}

// largest[i][n]: the sum of the n largest free amounts of open rows 0..i-1, raised.
using LargestSums = std::array<std::array<double, kMaxTurns + 1>, kMaxTurns + 1>;

void SumLargest(const std::array<double, kMaxTurns>& free, int count, LargestSums& largest) {
    std::array<double, kMaxTurns> sorted{};
    for (int i = 0; i <= count; ++i) {
        largest[i][0] = 0;
        for (int n = 1; n <= i; ++n)
            largest[i][n] = Raised(largest[i][n - 1] + sorted[n - 1]);
        if (i < count) {
            sorted[i] = free[i];
            std::sort(sorted.begin(), sorted.begin() + i + 1, std::greater<double>());
        }
    }
}

// The open rows when at most terraformed of them terraform and at most capitalised build capital: each
// row's free amount, and the ceiling of row 19.
Ceiling Shared(Ceiling ceiling, const OpenRows& open, const LargestSums& largest, int terraformed, int capitalised,
               std::array<double, kMaxTurns>& free) {
    const Ceiling start = ceiling;
    double delivered = start.industry;
    for (int i = 0; i < open.count; ++i) {
        ceiling.people = Raised(ceiling.people + kPeoplePerColonist * open.colonists[i]);
        delivered = Raised(delivered + open.capital[i]);
        // What bombing takes from industry and capital it takes at most from what was delivered.
        ceiling.people = std::max(0.0, Raised(ceiling.people - open.bombing[i]));
        delivered = std::max(0.0, Raised(delivered - open.bombing[i]));
        ceiling.size = Grown(start.size, largest[i][std::min(terraformed, i)]);
        ceiling.industry = Raised(delivered + kCapitalShare * largest[i][std::min(capitalised, i)]);
        const double population = ceiling.Population();
        free[i] = Free(ceiling.L(), open.upgrade[i]);
        ceiling.people = Raised(ceiling.people + kPeoplePerColonist * kColonistGrowth * population);
    }
    ceiling.size = Grown(start.size, largest[open.count][std::min(terraformed, open.count)]);
    ceiling.industry = Raised(delivered + kCapitalShare * largest[open.count][std::min(capitalised, open.count)]);
    return ceiling;
}

double LargestShipMass(std::array<double, kMaxTurns> free, int count, int ships) {
    std::sort(free.begin(), free.begin() + count, std::greater<double>());
    double mass = 0;
    for (int i = 0; i < ships; ++i)
        mass = Raised(mass + kMassShare * free[i]);
    return mass;
}

// The goal adds each row's mass to the sum in turn; whatever rounding that makes, it cannot take the sum
// above the exact sum by more than the raise. No mass at all leaves the sum as it is, exactly.
double WithShipMass(double gained, double mass) { return mass == 0 ? gained : Raised(gained + mass); }

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

double Highest(const CZentharoDoc& table, PlanGoal goal, int row, double gainedThroughRow) {
    if (row > kLastPlannedRow)
        return goal == PlanGoal::Ships ? gainedThroughRow : Value(table.m_l[kProjectedTurns - 1]);
    const Ceiling start{Raised(Value(table.m_pop[row]) + kPeoplePerColonist * Value(table.m_col[row])),
                        Raised(Value(table.m_ind[row]) + Value(table.m_cap[row])), Value(table.m_size[row])};
    OpenRows open;
    open.count = kLastPlannedRow + 1 - row;
    for (int i = 0; i < open.count; ++i) {
        open.colonists[i] = Value(table.m_colIn[row + i]);
        open.capital[i] = Value(table.m_capIn[row + i]);
        // An upgrade a recalculation capped is lower than the one typed: the bound only grows by it.
        open.upgrade[i] = Value(table.m_upgrade[row + i]);
        open.bombing[i] = Value(table.m_bombing[row + i + 1]);
    }

    std::array<double, kMaxTurns> free{};
    const Ceiling allAtOnce = AllAtOnce(start, open, free);
    double highest = goal == PlanGoal::Ships
                         ? WithShipMass(gainedThroughRow, LargestShipMass(free, open.count, open.count))
                         : allAtOnce.LastL();

    LargestSums largest;
    SumLargest(free, open.count, largest);
    double shared = -std::numeric_limits<double>::infinity();
    for (int k = 0; k <= open.count; ++k) {
        std::array<double, kMaxTurns> sharedFree{};
        if (goal == PlanGoal::Ships) {
            const int investing = open.count - k; // k rows build ships
            Shared(start, open, largest, investing, investing, sharedFree);
            shared = std::max(shared, WithShipMass(gainedThroughRow, LargestShipMass(sharedFree, open.count, k)));
        } else {
            shared = std::max(shared, Shared(start, open, largest, k, open.count - k, sharedFree).LastL());
        }
    }
    highest = std::min(highest, shared);
    return std::isnan(highest) ? std::numeric_limits<double>::infinity() : highest;
}

} // namespace PlanBound
