// Every column of the document, once: the grid's 17 cell columns left to right, then the production,
// whose choosers stand right of the cells. Saving and restoring the table, the grid, the shown and
// copied tables, the tool's JSON and its --set names all read this table.
#pragma once

#include "CZentharoDoc.h"

#include <array>
#include <optional>
#include <string_view>

struct DocumentColumn {
    ProjectionColumn CZentharoDoc::*member;
    // Above the column in the grid and in the shown tables. Col, Cap and Mat each head an input and a
    // stock; as the name of an input (--set) a header means the input.
    const char* header;
    const char* jsonName;
    // Where the column stands in the tool's JSON, which lists the columns in the document's own order.
    int jsonPosition;
    bool editable; // an input the user types or picks
};

constexpr int kDocumentColumnCount = 18;

inline constexpr std::array<DocumentColumn, kDocumentColumnCount> kDocumentColumns = {{
    {&CZentharoDoc::m_turn, "Turn", "turn", 0, false},
    {&CZentharoDoc::m_colIn, "Col", "colIn", 5, true},
    {&CZentharoDoc::m_capIn, "Cap", "capIn", 8, true},
    {&CZentharoDoc::m_matIn, "Mat", "matIn", 10, true},
    {&CZentharoDoc::m_bombing, "Bombing", "bombing", 13, true},
    {&CZentharoDoc::m_upgrade, "Upgrade", "upgrade", 12, true},
    {&CZentharoDoc::m_pop, "Pop", "pop", 3, false},
    {&CZentharoDoc::m_ind, "Ind", "ind", 6, false},
    {&CZentharoDoc::m_col, "Col", "col", 4, false},
    {&CZentharoDoc::m_cap, "Cap", "cap", 7, false},
    {&CZentharoDoc::m_size, "Size", "size", 1, false},
    {&CZentharoDoc::m_res, "Res", "res", 2, false},
    {&CZentharoDoc::m_mat, "Mat", "mat", 9, false},
    {&CZentharoDoc::m_l, "L", "l", 11, false},
    {&CZentharoDoc::m_needCol, "Need Col", "needCol", 15, false},
    {&CZentharoDoc::m_needCap, "Need Cap", "needCap", 16, false},
    {&CZentharoDoc::m_mass, "Mass", "mass", 17, false},
    {&CZentharoDoc::m_production, "Production", "production", 14, true},
}};

// Each member and each JSON name once, and the JSON positions 0..17 each once.
constexpr bool EachDocumentColumnOnce() {
    for (int i = 0; i < kDocumentColumnCount; ++i) {
        const DocumentColumn& column = kDocumentColumns[i];
        if (column.jsonPosition < 0 || column.jsonPosition >= kDocumentColumnCount)
            return false;
        for (int j = 0; j < i; ++j) {
            const DocumentColumn& earlier = kDocumentColumns[j];
            if (column.member == earlier.member || column.jsonPosition == earlier.jsonPosition ||
                std::string_view(column.jsonName) == earlier.jsonName)
                return false;
        }
    }
    return true;
}

static_assert(EachDocumentColumnOnce());

// The leftmost column with that header, as an index into kDocumentColumns: Col, Cap and Mat name the
// inputs, left of the stocks of the same names.
inline std::optional<int> ColumnNamed(std::string_view header) {
    for (int i = 0; i < kDocumentColumnCount; ++i)
        if (header == kDocumentColumns[i].header)
            return i;
    return std::nullopt;
}

// The document column behind a user input by its header: Col, Cap, Mat, Bombing, Upgrade or Production.
inline std::optional<ProjectionColumn CZentharoDoc::*> InputColumnNamed(std::string_view name) {
    for (const DocumentColumn& column : kDocumentColumns)
        if (column.editable && name == column.header)
            return column.member;
    return std::nullopt;
}
