// The 17 cell columns of the projection grid: the document's columns left of the production choosers.
// The window, the command-line tool and the demo host share them.
#pragma once

#include "DocumentColumns.h"
#include "ProductionChooser.h"

constexpr int kGridColumnCount = 17;

static_assert(kGridColumnCount + 1 == kDocumentColumnCount &&
                  kDocumentColumns[kGridColumnCount].member == &CZentharoDoc::m_production,
              "the grid's cell columns are every document column but the production, which comes last");

// The text a grid cell shows for a row: the Turn column as stored, every other column formatted.
inline CString ShownCellText(const CZentharoDoc& document, int column, int row) {
    const CString& stored = (document.*kDocumentColumns[column].member)[row];
    return column == 0 ? stored : NumberText::FormatNumber(stored.View());
}

// What the grid shows for a row of any document column: a cell's text, or for the production the
// chooser's entry.
inline CString ShownText(const CZentharoDoc& document, int column, int row) {
    if (column == kGridColumnCount)
        return ProductionChooser::SelectedEntry(document.m_production[row].View());
    return ShownCellText(document, column, row);
}
