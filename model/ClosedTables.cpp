// Keeping the inputs of closed projections, most recent last.
#include "ClosedTables.h"

#include "CZentharoDoc.h"

#include <algorithm>
#include <utility>

namespace {

CString RecordValue(const CZentharoDoc& document, const char* key) {
    CString value;
    document.m_planet.Lookup(key, value);
    return value;
}

} // namespace

void ClosedTables::Keep(const CZentharoDoc& document) {
    if (!document.HoldsPlayerInputs())
        return;
    Kept kept{RecordValue(document, "GameName"), RecordValue(document, "Num"), document.FirstTurn(),
              TableInputs::Of(document)};
    // Room first: once the new table is in, the old one of the same planet and the oldest go without
    // allocating.
    m_tables.reserve(m_tables.size() + 1);
    m_tables.erase(
        std::remove_if(m_tables.begin(), m_tables.end(),
                       [&](const Kept& other) { return other.game == kept.game && other.planet == kept.planet; }),
        m_tables.end());
    m_tables.push_back(std::move(kept));
    if (m_tables.size() > kMostPlanets)
        m_tables.erase(m_tables.begin());
}

std::optional<TableInputs> ClosedTables::For(const CZentharoDoc& document) const {
    const CString game = RecordValue(document, "GameName"), planet = RecordValue(document, "Num");
    for (const Kept& kept : m_tables) {
        if (kept.game != game || kept.planet != planet)
            continue;
        TableInputs moved =
            TableInputs::ByTurn(kept.inputs, kept.firstTurn, TableInputs::Of(document), document.FirstTurn());
        if (moved.Match(document))
            return std::nullopt; // nothing of it falls within this table's turns
        return moved;
    }
    return std::nullopt;
}
