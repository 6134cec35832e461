// Feeds arbitrary planet records and edit sequences through the model, as the window would.
//
// Input: a record in Key=Value lines, then a line "%%", then edits, one a line: a column byte, a
// row byte and the text to store. Every edit is stored as the window stores it, recalculating the
// whole table; a column byte with its top bit set then recalculates once more from the edited row.
// A row byte with its top bit set makes the text a block pasted at any column (its CRs and tabs
// laying it out), or with no text a fill of later turns from that cell. Every edit is followed by a
// full refresh; the chart of the final table is laid out and checked.
#include "model/ChartLayout.h"
#include "model/GridColumns.h"
#include "model/GridEdits.h"
#include "model/ProductionChooser.h"
#include "model/ProjectionTable.h"
#include "tools/PlanetRecordText.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace {

using Member = ProjectionColumn CZentharoDoc::*;

constexpr std::size_t kInputCount = [] {
    std::size_t count = 0;
    for (const DocumentColumn& column : kDocumentColumns)
        count += column.editable;
    return count;
}();

// The columns an edit may store into, in the order of the table: a column byte picks one.
constexpr std::array<Member, kInputCount> kInputs = [] {
    std::array<Member, kInputCount> inputs{};
    std::size_t next = 0;
    for (const DocumentColumn& column : kDocumentColumns)
        if (column.editable)
            inputs[next++] = column.member;
    return inputs;
}();

void Refresh(const CZentharoDoc& document) {
    for (int row = 0; row < kProjectedTurns; ++row) {
        for (int column = 0; column < kGridColumnCount; ++column) {
            const CString shown = ShownCellText(document, column, row);
            // A shown number is never longer than the widest double in fixed notation.
            if (column > 0 && shown.GetLength() > 320)
                std::abort();
        }
        ProductionChooser::SelectedPosition(document.m_production[row].View());
    }
}

void Check(bool holds) {
    if (!holds)
        std::abort();
}

// Every point and tick of the chart lies finite inside its panel's plot, the ticks rise, and the
// scale holds every value up to the largest it covers.
void CheckChart(const CZentharoDoc& document) {
    const ChartLayout chart = ChartLayout::Of(document, 480, 600, 12);
    for (const ChartPanel& panel : chart.panels) {
        Check(std::isfinite(panel.low) && std::isfinite(panel.high) && panel.low < panel.high);
        for (std::size_t i = 0; i < panel.ticks.size(); ++i) {
            Check(std::isfinite(panel.ticks[i].y));
            Check(i == 0 || panel.ticks[i - 1].value < panel.ticks[i].value);
        }
        for (const ChartSeries& series : panel.series)
            for (const ChartRun& run : series.runs)
                for (std::size_t i = 0; i < run.size(); ++i) {
                    const ChartPoint& point = run[i];
                    Check(i == 0 || run[i - 1].row + 1 == point.row); // a run is consecutive turns
                    Check(std::isfinite(point.x) && std::isfinite(point.y));
                    Check(point.y >= panel.plot.top && point.y <= panel.plot.bottom);
                    Check(std::fabs(point.value) > 1e300 || (point.value >= panel.low && point.value <= panel.high));
                }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t separator = input.find("\n%%\n");
    const std::string_view recordText = input.substr(0, separator);
    std::string_view edits = separator == std::string_view::npos ? std::string_view() : input.substr(separator + 4);

    CMapStringToString record;
    try {
        record = PlanetRecordText::Parse(recordText);
    } catch (const PlanetRecordText::ParseError&) {
        return 0;
    }
    auto document = std::make_unique<CZentharoDoc>(record);
    document->m_bAutoDelete = false;
    document->OnNewDocument();
    document->Recalculate(0);
    Refresh(*document);

    while (edits.size() >= 2) {
        const std::size_t newline = edits.find('\n');
        const std::string_view line = edits.substr(0, newline);
        edits.remove_prefix(newline == std::string_view::npos ? edits.size() : newline + 1);
        if (line.size() < 2)
            continue;
        const int row = static_cast<unsigned char>(line[1]) % kProjectedTurns;
        if (static_cast<signed char>(line[1]) < 0) {
            const int anyColumn = static_cast<unsigned char>(line[0]) % kDocumentColumnCount;
            const std::string before = ProjectionTable::TabSeparated(*document, "\n");
            if (line.size() == 2) {
                GridEdits::FillLaterTurns(*document, anyColumn, row, ShownText(*document, anyColumn, row));
            } else if (const auto refusal = GridEdits::PasteBlock(*document, anyColumn, row, line.substr(2))) {
                // A refused block names a row it reached and changes nothing.
                if (refusal->row < row || refusal->row >= kProjectedTurns ||
                    ProjectionTable::TabSeparated(*document, "\n") != before)
                    std::abort();
            }
            Refresh(*document);
            continue;
        }
        const Member column = kInputs[static_cast<unsigned char>(line[0]) % kInputs.size()];
        document->SetInput(column, row, CString(line.substr(2)));
        if (static_cast<signed char>(line[0]) < 0)
            document->Recalculate(row);
        Refresh(*document);
    }
    CheckChart(*document);
    return 0;
}
