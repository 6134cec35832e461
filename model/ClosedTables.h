// The inputs of projection windows closed in this session, kept in memory under their game's name and
// their planet's number, so that a new window of the same planet can bring them back. Only the planets
// closed most recently are kept; nothing is written anywhere.
#pragma once

#include "TableInputs.h"
#include "framework/CString.h"

#include <cstdint>
#include <optional>
#include <vector>

class CZentharoDoc;

class ClosedTables {
public:
    static constexpr std::size_t kMostPlanets = 50;

    // Keeps the inputs of a projection that is closing, in place of what its planet left before. A
    // table that holds nothing the player made leaves the earlier one kept: a window opened and closed
    // again without a change must not take the way back to a table that was worked on. Allocates: the
    // caller decides what a failure means.
    void Keep(const CZentharoDoc& document);

    // The inputs kept for the document's planet, laid onto its turns (see TableInputs::ByTurn); none
    // when nothing is kept for it, or nothing of it falls within the document's turns.
    std::optional<TableInputs> For(const CZentharoDoc& document) const;

    std::size_t Count() const { return m_tables.size(); }

private:
    struct Kept {
        CString game;
        CString planet;
        std::int64_t firstTurn;
        TableInputs inputs;
    };
    std::vector<Kept> m_tables; // the most recently closed last
};
