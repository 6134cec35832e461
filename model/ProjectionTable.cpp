// Writing the shown table as tab-separated text, over the document's column table as the grid shows it.
#include "ProjectionTable.h"

#include "GridColumns.h"
#include "ProductionChooser.h"

namespace ProjectionTable {

namespace {

void AppendHeader(std::string& text) {
    std::string_view separator;
    for (const DocumentColumn& column : kDocumentColumns) {
        text.append(separator).append(column.header);
        separator = "\t";
    }
}

} // namespace

std::string HeaderLine() {
    std::string text;
    AppendHeader(text);
    return text;
}

std::string TabSeparated(const CZentharoDoc& document, std::string_view lineEnd) {
    std::string text;
    text.reserve(4096); // 21 lines of 18 short fields: one allocation
    AppendHeader(text);
    text.append(lineEnd);
    for (int row = 0; row < kProjectedTurns; ++row) {
        for (int column = 0; column < kGridColumnCount; ++column)
            text.append(ShownCellText(document, column, row).View()).append(1, '\t');
        text.append(ProductionChooser::SelectedEntry(document.m_production[row].View())).append(lineEnd);
    }
    return text;
}

} // namespace ProjectionTable
