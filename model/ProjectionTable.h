// The projection as a spreadsheet takes it: one header line, then the 20 rows as the window shows them,
// fields separated by tabs, Production last. The window copies it to the clipboard; the tool prints it.
#pragma once

#include "CZentharoDoc.h"

#include <string>
#include <string_view>

namespace ProjectionTable {

// The header line, without a line end: Turn, the 16 column headers and Production, tab-separated.
std::string HeaderLine();

// Every line ends with lineEnd, the last one too: "\r\n" for the clipboard, "\n" for a text stream.
std::string TabSeparated(const CZentharoDoc& document, std::string_view lineEnd);

} // namespace ProjectionTable
