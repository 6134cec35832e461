// An upper bound of the goal over every choice of the productions still open, so that a search can
// leave out the plans that cannot beat the best it has. It follows what the recalculation can at most
// make of a row: people (population and colonists) and industry with capital only ever grow, by the
// deliveries, the colonists' growth and the capital built; population is held to the size and
// industry to the population; the size grows by terraforming; and a turn builds at most a tenth of
// its production left after the upgrade. It follows the rows once with every production at once, then
// row by row over how many rows of each kind the plans have had so far.
#pragma once

#include "PlanGoal.h"

#include <limits>
#include <memory>

namespace PlanBound {

// Whether the bound holds for this projection planned from firstRow on: it does when no input of
// rows firstRow..19 and no stock, size or resource of row firstRow is below 0 (nothing then ever goes
// below 0, and each step above only grows with what it is made of).
bool Holds(const CZentharoDoc& projection, int firstRow);

// The highest goal any choice of the productions of rows row..18 can reach, for a table whose rows up to
// row are as they will stay. gainedThroughRow is the part of the goal those rows already hold (for ships,
// the mass of the rows up to row; for production, nothing). Never below the true value, with a margin
// for the rounding of every stored number. With a target, the work stops once the bound is below it:
// it may then be higher than the lowest this can give. Without one (NaN), it is the lowest.
// The work it did is added to statesFollowed, when given: the states of the plans it followed row by row
// (kStatesPerRow of them take about as long as a row recalculated).
constexpr long long kStatesPerRow = 12;

// Room the bound works in, kept from one call to the next so that no call asks for it again.
class Workspace {
public:
    Workspace();
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    struct States;
    States& Held() { return *m_states; }

private:
    std::unique_ptr<States> m_states;
};

double Highest(const CZentharoDoc& table, PlanGoal goal, int row, double gainedThroughRow,
               double target = std::numeric_limits<double>::quiet_NaN(), long long* statesFollowed = nullptr,
               Workspace* workspace = nullptr);

} // namespace PlanBound
