// The rows of the projection table as the command line names them: ROW, the row's number, or tTURN,
// the row whose Turn shows that turn (t43 is row 3 of a planet at turn 40).
#pragma once

#include "model/CZentharoDoc.h"

#include <optional>
#include <string>
#include <string_view>

class TableRows {
public:
    // Rows 0..lastRow of the document's table. A name of any other row is refused with outside, as in
    // "turn 63 is not in the table".
    TableRows(const CZentharoDoc& document, int lastRow, const char* outside = "is not in the table");

    struct Found {
        std::optional<int> row;
        std::string problem; // when there is no row: why, naming the rows and turns there are
    };
    // The row name stands for: "3" and, at turn 40, "t43" are row 3.
    Found Find(std::string_view name) const;

private:
    // "turns 40-59, or rows 0-19", or the rows first.
    std::string Ranges(bool turnsFirst, const char* turnMark = "") const;

    const CZentharoDoc& m_document;
    int m_lastRow;
    const char* m_outside;
};
