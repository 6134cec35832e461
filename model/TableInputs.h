// What the player makes of a projection: the texts of its five input columns and of its production,
// rows 0..20, byte for byte. Everything else in the table follows from them and the planet's record
// through one recalculation.
#pragma once

#include "ProjectionColumn.h"

#include <array>
#include <cstdint>

class CZentharoDoc;

class TableInputs {
public:
    static constexpr int kColumnCount = 6; // Col, Cap, Mat, Bombing and Upgrade in, and the production

    // The inputs the document holds now.
    static TableInputs Of(const CZentharoDoc& document);

    // Whether the document holds exactly these texts.
    bool Match(const CZentharoDoc& document) const;

    // Stores every text into the document as it is; the caller recalculates.
    void StoreInto(CZentharoDoc& document) const;

    // These inputs moved from a table whose row 0 is fromTurn onto one whose row 0 is toTurn: the
    // inputs of a turn go to that turn's row, and the rows of other turns keep what target holds.
    static TableInputs ByTurn(const TableInputs& source, std::int64_t fromTurn, const TableInputs& target,
                              std::int64_t toTurn);

private:
    std::array<ProjectionColumn, kColumnCount> m_columns;
};
