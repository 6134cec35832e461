// The chart of a projection, laid out once for every painter: small multiples over the 20 turns, each
// panel with its own round vertical scale, its series as lines through the values the table holds,
// broken where a text is empty, and a legend naming each series with its last turn's value. The window draws it with
// GDI, the tool writes it as SVG; neither computes a position of its own.
//
// Coordinates are in the painter's units (pixels), from the top left corner. Texts are placed by their
// baseline; their widths are estimated from the font size, since the layout cannot measure them.
#pragma once

#include "CZentharoDoc.h"
#include "ChartScale.h"

#include <cstdint>
#include <string>
#include <vector>

struct ChartRect {
    double left = 0, top = 0, right = 0, bottom = 0;
    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
};

struct ChartText {
    enum class Anchor { Start, Middle, End }; // which part of the text stands at x
    std::string text;
    double x = 0, baseline = 0;
    Anchor anchor = Anchor::Start;
    bool bold = false;
};

// A value the table holds, at its turn (row 0..19) and where it is drawn.
struct ChartPoint {
    int row = 0;
    double value = 0;
    double x = 0, y = 0;
};

// Points of consecutive turns, drawn as one line.
using ChartRun = std::vector<ChartPoint>;

struct ChartSeries {
    const char* column = ""; // the grid's header of the column: Size, Pop, Ind, Cap, L, Mass, Mat
    std::uint32_t color = 0; // 0xRRGGBB
    // A point for every row whose text is not empty, at the value it holds (a stored 0 at 0), in turn
    // order; an empty text is a gap, where the line breaks.
    std::vector<ChartRun> runs;
    // The same column of the table before a plan, drawn dashed while the plan is offered, by the same
    // rule of points and breaks; none without one.
    std::vector<ChartRun> beforeRuns;
    ChartText legend;                                    // "Pop 1000.00": the last turn's value as the grid shows it
    double swatchLeft = 0, swatchRight = 0, swatchY = 0; // the legend's sample of the line
};

struct ChartTick {
    double value = 0;
    std::string text; // the value, every digit written: "0.05", "400000000000000"
    double y = 0;
    ChartText label; // the short form left of the axis: "0.4P"
};

struct ChartPanel {
    const char* name = "";
    ChartText title;
    ChartRect plot;
    double low = 0, high = 1;     // the scale: the lowest and highest tick
    std::vector<ChartTick> ticks; // bottom to top, the first at low and the last at high
    std::vector<ChartSeries> series;

    // Where a value lies on the panel's scale; values outside it are kept to its edges.
    double YOf(double value) const;
};

// A turn named below the panels, with a grid line through each of them.
struct ChartTurn {
    int row = 0;
    double x = 0;
    ChartText label;
};

class ChartLayout {
public:
    // The colours of what is not a series.
    static constexpr std::uint32_t kBackground = 0xFFFFFF;
    static constexpr std::uint32_t kGridColor = 0xE4E4E4;
    static constexpr std::uint32_t kFrameColor = 0xA0A0A0;
    static constexpr std::uint32_t kTextColor = 0x202020;
    static constexpr int kPanelCount = 5;
    // A chart is titled after its projection: "Chart " and the projection's title.
    static constexpr const char* kTitlePrefix = "Chart ";
    // Texts are this many pixels high at the standard 96 DPI, and in proportion at other resolutions.
    static constexpr double kFontSizeAt96Dpi = 12;
    static double FontSizeAt(int dpi) { return kFontSizeAt96Dpi * dpi / 96; }

    // The chart of the document in a width x height area, with texts fontSize units high. The other
    // sizes (margins, lines, markers) grow with the font size, so a chart at 144 DPI is the chart at
    // 96 DPI made half as large again. With a table before it (the projection as it stands, while a plan
    // for it is offered as document), each series is drawn for both, on scales that cover both.
    // The "Ship mass" panel's title gives the mass the document builds: the ships goal from row 0.
    static ChartLayout Of(const CZentharoDoc& document, double width, double height, double fontSize,
                          const CZentharoDoc* before = nullptr);

    // The horizontal position of a turn, shared by every panel.
    double XOf(int row) const;

    double width = 0, height = 0;
    double fontSize = 0;
    double lineWidth = 0;               // of the series' lines
    double markerRadius = 0;            // of the dot at each point
    double dashLength = 0;              // of the dashes and the gaps between them of a line before a plan
    double plotLeft = 0, plotRight = 0; // every panel's plot spans them: the turns line up
    std::vector<ChartPanel> panels;
    std::vector<ChartTurn> turns; // the turns named, left to right
};
