// Report writers over the shared column table, so the tool shows what the window shows.
#include "ProjectionReport.h"

#include "model/GridColumns.h"
#include "model/PlanText.h"
#include "model/ProductionChooser.h"
#include "model/ProjectionTable.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace ProjectionReport {
namespace {

using Row = std::vector<std::string>;

Row HeaderRow() {
    Row header;
    for (const DocumentColumn& column : kDocumentColumns)
        header.emplace_back(column.header);
    return header;
}

Row ShownRow(const CZentharoDoc& document, int row) {
    Row shown;
    for (int column = 0; column < kGridColumnCount; ++column)
        shown.emplace_back(ShownCellText(document, column, row).Bytes());
    shown.emplace_back(ProductionChooser::SelectedEntry(document.m_production[row].View()));
    return shown;
}

std::vector<Row> ShownTable(const CZentharoDoc& document) {
    std::vector<Row> table{HeaderRow()};
    for (int row = 0; row < kProjectedTurns; ++row)
        table.push_back(ShownRow(document, row));
    return table;
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

} // namespace

void WriteTable(const CZentharoDoc& document, std::ostream& out) {
    const std::vector<Row> table = ShownTable(document);
    std::vector<std::size_t> widths(table.front().size(), 0);
    for (const Row& row : table)
        for (std::size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], row[i].size());

    out << document.GetTitle() << "\n\n";
    for (const Row& row : table) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            const bool last = i + 1 == row.size();
            // Numbers right-aligned under their headers; the production entry reads best left-aligned.
            if (last)
                line += "  " + row[i];
            else
                line += std::string(widths[i] - row[i].size() + (i == 0 ? 0 : 2), ' ') + row[i];
        }
        out << line << '\n';
    }
}

void WriteCsv(const CZentharoDoc& document, std::ostream& out) {
    for (const Row& row : ShownTable(document)) {
        for (std::size_t i = 0; i < row.size(); ++i)
            out << (i ? "," : "") << CsvField(row[i]);
        out << '\n';
    }
}

void WriteTsv(const CZentharoDoc& document, std::ostream& out) { out << ProjectionTable::TabSeparated(document, "\n"); }

void WriteJson(const CZentharoDoc& document, std::ostream& out, const ProductionPlan* plan) {
    std::array<const DocumentColumn*, kDocumentColumnCount> inJsonOrder{};
    for (const DocumentColumn& column : kDocumentColumns)
        inJsonOrder[column.jsonPosition] = &column;
    nlohmann::ordered_json json;
    json["title"] = document.GetTitle().Bytes();
    if (plan) {
        nlohmann::ordered_json& jsonPlan = json["plan"];
        jsonPlan["goal"] = PlanGoals::Name(plan->goal);
        jsonPlan["from"] = plan->firstRow;
        jsonPlan["productions"] = nlohmann::ordered_json::array();
        for (int row = plan->firstRow; row <= kLastPlannedRow; ++row)
            jsonPlan["productions"].push_back(document.m_production[row].Bytes()); // a design's name kept
        jsonPlan["runs"] = PlanText::Runs(document, *plan);
        jsonPlan["value"] = plan->value;
        jsonPlan["current"] = plan->currentValue;
        jsonPlan["changedRows"] = plan->changedRows;
        jsonPlan["best"] = plan->proven;
    }
    nlohmann::ordered_json& jsonColumns = json["columns"];
    for (const DocumentColumn* documentColumn : inJsonOrder) {
        nlohmann::ordered_json& cells = jsonColumns[documentColumn->jsonName] = nlohmann::ordered_json::array();
        const ProjectionColumn& column = document.*documentColumn->member;
        for (int row = 0; row < column.GetSize(); ++row)
            cells.push_back(column[row].Bytes());
    }
    out << json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

} // namespace ProjectionReport
