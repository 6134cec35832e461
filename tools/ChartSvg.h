// The projection's chart as a standalone SVG document, drawn from the chart's layout: a group per panel
// (data-panel="NAME"), a polyline per series (data-series="COLUMN") with a point per shown value in
// turn order (one per run of turns whose texts are not empty), and the ticks as lines that carry their
// values (data-tick="VALUE").
#pragma once

#include "model/CZentharoDoc.h"

#include <ostream>

namespace ChartSvg {

// The area the chart is laid out in, in SVG user units (pixels at 96 DPI), and its font size.
inline constexpr double kWidth = 640;
inline constexpr double kHeight = 800;
inline constexpr double kFontSize = 12;

// With a table before (the projection before a plan was applied to make document), each series is also
// drawn for it: dashed polylines marked data-before, before the series' own.
void Write(const CZentharoDoc& document, std::ostream& out, const CZentharoDoc* before = nullptr);

} // namespace ChartSvg
