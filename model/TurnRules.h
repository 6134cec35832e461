// The rules of a turn: the rates the recalculation builds each row with, and what a production text
// builds. The recalculation (CZentharoDoc) and the planner's upper bound (PlanBound) both read them here,
// so that a change of a rule reaches both.
#pragma once

#include <string_view>

namespace TurnRules {

// Population and colonists: 8 people a colonist, the population capped at the size.
constexpr int kPopulationPerColonist = 8;
constexpr double kColonistsPerMissingPopulation = 1.0 / kPopulationPerColonist;
// Industry and capital: one for one, the industry capped at the population.
constexpr int kIndustryPerCapital = 1;

// Colonists arrive each turn: a hundredth of the population.
constexpr double kColonistGrowth = 0.01;

// The production L of a turn, from its population and industry.
constexpr double kLPerPopulation = 0.25;
constexpr double kLPerIndustry = 0.75;

// Building from the production left after the upgrade: a unit of mass takes 10 of it and a unit of
// capital 5, each besides a unit of materials. Where the materials suffice, the free production is
// multiplied by the share rather than divided by the cost: the two can differ in the last bit.
constexpr int kProductionPerMass = 10;
constexpr int kProductionPerCapital = 5;
constexpr double kMassShare = 0.1;
constexpr double kCapitalShare = 0.2;
static_assert(kMassShare == 1.0 / kProductionPerMass && kCapitalShare == 1.0 / kProductionPerCapital);

// Terraforming: the size grows by a tenth of the free production, up to the largest size, and the
// resources shrink by the fraction 0.3 * free production / size.
constexpr double kTerraformingGrowth = 0.1;
constexpr double kTerraformingResourceLoss = 0.3;
constexpr double kMaximumSize = 2500.0;
// A size past the largest is stored as this text, not as a computed value.
constexpr const char* kMaximumSizeText = "2500.00";

// What a turn's production text builds. The three named entries are matched exactly, byte for byte;
// every other text ("Ship", a ship design's name, an empty text, "cap") builds ships.
enum class Product { Capital, Materials, Ship, TerraForming };

constexpr Product ProductOf(std::string_view production) {
    if (production == "Capital")
        return Product::Capital;
    if (production == "Materials")
        return Product::Materials;
    if (production == "_TerraForming")
        return Product::TerraForming;
    return Product::Ship;
}

} // namespace TurnRules
