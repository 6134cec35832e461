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

struct ProductionPlan {
    PlanGoal goal = PlanGoal::Ships;
    int firstRow = 0;
    PlanEntries entries{};
    double value = 0;        // the goal for the projection with the plan applied
    double currentValue = 0; // the goal for the projection as it stands
    // value is proven to be the highest any plan reaches ("best"); otherwise it is the highest the
    // search found ("best found").
    bool proven = false;
    int changedRows = 0; // planned rows whose production text differs from the entry the plan gives them

    const char* Entry(int row) const { return ProductionChooser::kEntriesAdded[entries[row]]; }

    // The plan as the productions to store, for CZentharoDoc::SetInputs: applied with one recalculation.
    std::vector<CZentharoDoc::Input> Inputs() const {
        std::vector<CZentharoDoc::Input> inputs;
        for (int row = firstRow; row <= kLastPlannedRow; ++row)
            inputs.push_back({&CZentharoDoc::m_production, row, Entry(row)});
        return inputs;
    }
};
