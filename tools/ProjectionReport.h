// The projection table written for people and for programs: an aligned table, CSV or tab-separated
// text of the values the window shows, or JSON of the raw stored texts.
#pragma once

#include "model/CZentharoDoc.h"
#include "model/ProductionPlan.h"

#include <ostream>

namespace ProjectionReport {

void WriteTable(const CZentharoDoc& document, std::ostream& out);
void WriteCsv(const CZentharoDoc& document, std::ostream& out);
// Exactly the text the window's Copy table puts on the clipboard, with the stream's own line ends.
void WriteTsv(const CZentharoDoc& document, std::ostream& out);
// With a plan, its object "plan" follows the title: goal, first row, the productions of the planned
// rows, the plan in words, the goal's value with the plan and as it was, the rows it changes and
// whether it is proven best.
void WriteJson(const CZentharoDoc& document, std::ostream& out, const ProductionPlan* plan = nullptr);

} // namespace ProjectionReport
