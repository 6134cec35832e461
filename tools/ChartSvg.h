// The projection's chart as a standalone SVG document, drawn from the chart's layout: a group per panel
// (data-panel="NAME"), a polyline per series (data-series="COLUMN") with a point per shown value in
// turn order, and the ticks as lines that carry their values (data-tick="VALUE").
#pragma once

#include "model/CZentharoDoc.h"

#include <ostream>

namespace ChartSvg {

// The area the chart is laid out in, in SVG user units (pixels at 96 DPI), and its font size.
inline constexpr double kWidth = 640;
inline constexpr double kHeight = 800;
inline constexpr double kFontSize = 12;

void Write(const CZentharoDoc& document, std::ostream& out);

} // namespace ChartSvg
