// Which entry a production text stands for, and the texts a plan stores.
#include "ProductionPlan.h"

#include "TurnRules.h"

std::int8_t StandingEntry(std::string_view production) {
    for (std::size_t entry = 0; entry < ProductionChooser::kEntriesAdded.size(); ++entry)
        if (production == ProductionChooser::kEntriesAdded[entry])
            return static_cast<std::int8_t>(entry);
    const bool showsShip = ProductionChooser::SelectedPosition(production) == ProductionChooser::kShipPosition;
    return TurnRules::ProductOf(production) == TurnRules::Product::Ship && showsShip ? kShipEntry : -1;
}

std::vector<CZentharoDoc::Input> ProductionPlan::Inputs(const CZentharoDoc& projection) const {
    std::vector<CZentharoDoc::Input> inputs;
    if (changedRows == 0)
        return inputs;
    for (int row = firstRow; row <= kLastPlannedRow; ++row)
        if (StandingEntry(projection.m_production[row].View()) != entries[row])
            inputs.push_back({&CZentharoDoc::m_production, row, Entry(row)});
    return inputs;
}
