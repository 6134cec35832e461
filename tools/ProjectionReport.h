// The projection table written for people and for programs: an aligned table or CSV of the values
// the window shows, or JSON of the raw stored texts.
#pragma once

#include "model/CZentharoDoc.h"

#include <ostream>

namespace ProjectionReport {

void WriteTable(const CZentharoDoc& document, std::ostream& out);
void WriteCsv(const CZentharoDoc& document, std::ostream& out);
void WriteJson(const CZentharoDoc& document, std::ostream& out);

} // namespace ProjectionReport
