// Filling later turns and laying blocks onto the grid, over the document's column table.
#include "GridEdits.h"

#include "ProductionChooser.h"
#include "ProjectionTable.h"
#include "framework/FileText.h"

#include <algorithm>

namespace GridEdits {

bool IsBlock(std::string_view text) { return text.find_first_of("\t\r\n") != std::string_view::npos; }

namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// The block's lines without their line ends; a line break at the very end starts no line.
std::vector<std::string_view> Lines(std::string_view block) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < block.size()) {
        std::size_t end = start;
        while (end < block.size() && !IsLineBreak(block[end]))
            ++end;
        lines.push_back(block.substr(start, end - start));
        if (end + 1 < block.size() && block[end] == '\r' && block[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

bool IsChooserEntry(std::string_view text) {
    return std::any_of(ProductionChooser::kEntries.begin(), ProductionChooser::kEntries.end(),
                       [text](const char* entry) { return text == entry; });
}

bool IsInputCell(int column, int row) {
    return column >= 0 && column < kDocumentColumnCount && kDocumentColumns[column].editable && row >= 0 &&
           row < kProjectedTurns;
}

} // namespace

void FillLaterTurns(CZentharoDoc& document, int column, int row) {
    if (IsInputCell(column, row))
        FillLaterTurns(document, column, row, (document.*kDocumentColumns[column].member)[row]);
}

void FillLaterTurns(CZentharoDoc& document, int column, int row, const CString& text) {
    if (!IsInputCell(column, row))
        return;
    std::vector<CZentharoDoc::Input> inputs;
    inputs.reserve(static_cast<std::size_t>(kProjectedTurns - row));
    for (int later = row; later < kProjectedTurns; ++later)
        inputs.push_back({kDocumentColumns[column].member, later, text});
    document.SetInputs(inputs, EditStep::Fill);
}

LaidBlock LayBlock(const CZentharoDoc& document, int column, int row, std::string_view block) {
    LaidBlock laid;
    std::vector<std::string_view> lines = Lines(block);
    if (!lines.empty() && lines.front() == ProjectionTable::HeaderLine())
        lines.erase(lines.begin());
    for (std::size_t line = 0; line < lines.size() && row + static_cast<int>(line) < kProjectedTurns; ++line) {
        const int targetRow = row + static_cast<int>(line);
        std::string_view rest = lines[line];
        for (int target = column; target < kDocumentColumnCount; ++target) {
            const std::size_t tab = rest.find('\t');
            const std::string_view field = rest.substr(0, tab);
            const DocumentColumn& documentColumn = kDocumentColumns[target];
            laid.lands = laid.lands || documentColumn.editable;
            if (target == kProductionColumn && !field.empty() && !IsChooserEntry(field)) {
                laid.inputs.clear();
                laid.refusal = PasteRefusal{targetRow, std::string(field)};
                return laid;
            }
            const bool kept = (target == kProductionColumn && field.empty()) ||
                              field == ShownText(document, target, targetRow).View();
            if (documentColumn.editable && !kept)
                laid.inputs.push_back({documentColumn.member, targetRow, CString(field)});
            if (tab == std::string_view::npos)
                break;
            rest.remove_prefix(tab + 1);
        }
    }
    return laid;
}

std::optional<PasteRefusal> PasteBlock(CZentharoDoc& document, int column, int row, std::string_view block) {
    if (column < 0 || column >= kDocumentColumnCount || row < 0 || row >= kProjectedTurns)
        return std::nullopt;
    LaidBlock laid = LayBlock(document, column, row, block);
    if (laid.refusal)
        return laid.refusal;
    document.SetInputs(laid.inputs, EditStep::Paste);
    return std::nullopt;
}

std::string Describe(const PasteRefusal& refusal, const CZentharoDoc& document) {
    std::string entries;
    for (std::size_t i = 0; i < ProductionChooser::kEntries.size(); ++i)
        entries.append(i == 0                                        ? ""
                       : i + 1 == ProductionChooser::kEntries.size() ? " or "
                                                                     : ", ")
            .append(ProductionChooser::kEntries[i]);
    return "the Production of turn " + document.m_turn[refusal.row].Bytes() + " (row " + std::to_string(refusal.row) +
           ") would be \"" + FileText::Quote(refusal.text) + "\", which is none of " + entries;
}

} // namespace GridEdits
