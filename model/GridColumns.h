// The 17 cell columns of the projection grid, left to right, with the document column each shows,
// and the inputs a user may edit. The window, the command-line tool and the demo host share it.
#pragma once

#include "CZentharoDoc.h"

#include <array>
#include <optional>
#include <string_view>

struct GridColumn {
    const char* header;
    ProjectionColumn CZentharoDoc::*member;
    bool editable;
};

constexpr int kGridColumnCount = 17;

inline constexpr std::array<GridColumn, kGridColumnCount> kGridColumns = {{
    {"Turn", &CZentharoDoc::m_turn, false},
    {"Col", &CZentharoDoc::m_colIn, true},
    {"Cap", &CZentharoDoc::m_capIn, true},
    {"Mat", &CZentharoDoc::m_matIn, true},
    {"Bombing", &CZentharoDoc::m_bombing, true},
    {"Upgrade", &CZentharoDoc::m_upgrade, true},
    {"Pop", &CZentharoDoc::m_pop, false},
    {"Ind", &CZentharoDoc::m_ind, false},
    {"Col", &CZentharoDoc::m_col, false},
    {"Cap", &CZentharoDoc::m_cap, false},
    {"Size", &CZentharoDoc::m_size, false},
    {"Res", &CZentharoDoc::m_res, false},
    {"Mat", &CZentharoDoc::m_mat, false},
    {"L", &CZentharoDoc::m_l, false},
    {"Need Col", &CZentharoDoc::m_needCol, false},
    {"Need Cap", &CZentharoDoc::m_needCap, false},
    {"Mass", &CZentharoDoc::m_mass, false},
}};

constexpr const char* kProductionHeader = "Production";

// The text a grid cell shows for a row: the Turn column as stored, every other column formatted.
inline CString ShownCellText(const CZentharoDoc& document, int column, int row) {
    const CString& stored = (document.*kGridColumns[column].member)[row];
    return column == 0 ? stored : NumberText::FormatNumber(stored.View());
}

// The document column behind a user input by its name: Col, Cap, Mat, Bombing, Upgrade or Production.
inline std::optional<ProjectionColumn CZentharoDoc::*> InputColumnNamed(std::string_view name) {
    if (name == "Production")
        return &CZentharoDoc::m_production;
    for (const GridColumn& column : kGridColumns)
        if (column.editable && name == column.header)
            return column.member;
    return std::nullopt;
}
