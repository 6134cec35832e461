// A plan of productions for the rows from a first row on, and what the planner knows of it.
#pragma once

#include "PlanGoal.h"
#include "ProductionChooser.h"

#include <array>
#include <cstdint>
#include <vector>

// Row 19's production acts on no row of the table: plans end at row 18.
constexpr int kLastPlannedRow = kProjectedTurns - 2;

// Per row, the position of its entry in ProductionChooser::kEntriesAdded, the order of the tie rule.
// Rows before the plan's first row are not read.
using PlanEntries = std::array<std::int8_t, kLastPlannedRow + 1>;

constexpr std::int8_t kShipEntry = 2;
static_assert(std::string_view(ProductionChooser::kEntriesAdded[kShipEntry]) == "Ship");

// The entry a row's production text already stands for, so that a plan giving the row that entry leaves
// its text as it is: the entry itself, or "Ship" for any other text that builds ships and shows "Ship"
// in its chooser (a ship design's name, an empty text). -1 for a text that every entry changes ("cap":
// it builds ships but its chooser shows Capital).
std::int8_t StandingEntry(std::string_view production);

struct ProductionPlan {
    PlanGoal goal = PlanGoal::Ships;
    int firstRow = 0;
    PlanEntries entries{};
    double value = 0;        // the goal for the projection with the plan applied
    double currentValue = 0; // the goal for the projection as it stands
    // value is proven to be the highest any plan reaches ("best"); otherwise it is the highest the
    // search found ("best found").
    bool proven = false;
    // Planned rows whose production text the plan rewrites; 0 when no plan beats the productions as they
    // stand, which the plan then keeps (entries are what they build).
    int changedRows = 0;

    const char* Entry(int row) const { return ProductionChooser::kEntriesAdded[entries[row]]; }

    // The productions to store, for CZentharoDoc::SetInputs (applied with one recalculation): the rows
    // whose text does not already stand for the plan's entry. Nothing when the plan changes no row.
    std::vector<CZentharoDoc::Input> Inputs(const CZentharoDoc& projection) const;
};
