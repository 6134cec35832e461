// Laying out the chart: what each panel shows, then where everything goes.
#include "ChartLayout.h"

#include "GridColumns.h"
#include "PlanGoal.h"
#include "PlanText.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

using Member = ProjectionColumn CZentharoDoc::*;

struct PlottedColumn {
    Member member;
    std::uint32_t color;
};

struct PanelContents {
    const char* name;
    PlottedColumn series[2];
    int seriesCount;
};

constexpr PanelContents kPanels[] = {
    {"Size and population", {{&CZentharoDoc::m_size, 0x1F5FBF}, {&CZentharoDoc::m_pop, 0xE07B00}}, 2},
    {"Industry and capital", {{&CZentharoDoc::m_ind, 0x2E8B2E}, {&CZentharoDoc::m_cap, 0xC0306A}}, 2},
    {"Production", {{&CZentharoDoc::m_l, 0x6A3FB0}}, 1},
    {"Ship mass", {{&CZentharoDoc::m_mass, 0x00838F}}, 1},
    {"Materials", {{&CZentharoDoc::m_mat, 0x8B5A2B}}, 1},
};
static_assert(std::size(kPanels) == ChartLayout::kPanelCount);

// The grid column that shows a member; -1 for one the grid does not show.
constexpr int GridColumnOf(Member member) {
    for (int column = 0; column < kGridColumnCount; ++column)
        if (kDocumentColumns[column].member == member)
            return column;
    return -1;
}

constexpr bool EverySeriesIsAGridColumn() {
    for (const PanelContents& panel : kPanels)
        for (int i = 0; i < panel.seriesCount; ++i)
            if (GridColumnOf(panel.series[i].member) < 0)
                return false;
    return true;
}
static_assert(EverySeriesIsAGridColumn());

// Sizes in font sizes. A character of Arial is about 0.55 of the font size wide, digits included; a
// little more keeps estimated texts from running into each other.
constexpr double kCharWidth = 0.6;
constexpr double kLineHeight = 1.3;
constexpr double kBaselineBelowMiddle = 0.36; // the middle of a digit lies this far above the baseline
constexpr double kMargin = 0.7;
constexpr double kPanelGap = 0.9;
constexpr double kAboveTopTick = 0.6; // room for the top tick's label, which is centred on it
constexpr double kTickToLabel = 0.4;
constexpr double kLeastTickPitch = 1.8; // ticks at least this far apart, so their labels stay apart
constexpr int kMostIntervals = 8;
constexpr double kSwatchLength = 1.2;
constexpr double kSwatchToText = 0.35;
constexpr double kBetweenHeaderItems = 1.2;
constexpr int kShortestAxisLabel = 4; // characters reserved left of the plots in any case

class Metrics {
public:
    explicit Metrics(double fontSize) : m_fontSize(fontSize) {}
    double operator()(double fontSizes) const { return fontSizes * m_fontSize; }
    double TextWidth(const std::string& text) const { return static_cast<double>(text.size()) * (*this)(kCharWidth); }
    double LineHeight() const { return (*this)(kLineHeight); }
    // The baseline of a text whose digits are centred on middle.
    double Baseline(double middle) const { return middle + (*this)(kBaselineBelowMiddle); }

private:
    double m_fontSize;
};

// The values a column holds, each at its turn, in runs of consecutive turns: an empty text holds no
// value, and the line breaks there. A value too small for the grid to show is still there: a stock of
// 0 is drawn at 0, not bridged.
std::vector<ChartRun> HeldValues(const CZentharoDoc& document, Member member) {
    std::vector<ChartRun> runs;
    bool inRun = false;
    for (int row = 0; row < kProjectedTurns; ++row) {
        const CString& held = (document.*member)[row];
        if (held.IsEmpty()) {
            inRun = false;
            continue;
        }
        if (!inRun)
            runs.emplace_back();
        inRun = true;
        runs.back().push_back({row, NumberText::Read(held.View()), 0, 0});
    }
    return runs;
}

// The last turn's value with two decimals, as its point stands: 0.00 for a stock of 0, which the grid
// shows as an empty cell; "(empty)" where the text is.
std::string LastValue(const ProjectionColumn& column) {
    const CString& last = column[kProjectedTurns - 1];
    if (last.IsEmpty())
        return "(empty)";
    char text[NumberText::kFormattedSize];
    return std::string(text, NumberText::WriteTwoDecimals(NumberText::Read(last.View()), text));
}

ChartSeries SeriesOf(const CZentharoDoc& document, const CZentharoDoc* before, const PlottedColumn& plotted) {
    const int column = GridColumnOf(plotted.member);
    ChartSeries series;
    series.column = kDocumentColumns[column].header;
    series.color = plotted.color;
    series.runs = HeldValues(document, plotted.member);
    if (before)
        series.beforeRuns = HeldValues(*before, plotted.member);
    series.legend.text = std::string(series.column) + " " + LastValue(document.*plotted.member);
    return series;
}

// The title, then each series' swatch and legend, flowing into a new line where the plot's width
// ends. Returns the number of lines.
int FlowHeader(ChartPanel& panel, double left, double right, double top, const Metrics& metrics) {
    int line = 0;
    const auto middle = [&](int of) { return top + (of + 0.5) * metrics.LineHeight(); };
    panel.title.x = left;
    panel.title.baseline = metrics.Baseline(middle(0));
    double x = left + metrics.TextWidth(panel.title.text) + metrics(kBetweenHeaderItems);
    for (ChartSeries& series : panel.series) {
        const double itemWidth =
            metrics(kSwatchLength) + metrics(kSwatchToText) + metrics.TextWidth(series.legend.text);
        if (x + itemWidth > right && x > left) {
            ++line;
            x = left;
        }
        series.swatchLeft = x;
        series.swatchRight = x + metrics(kSwatchLength);
        series.swatchY = middle(line);
        series.legend.x = series.swatchRight + metrics(kSwatchToText);
        series.legend.baseline = metrics.Baseline(middle(line));
        x += itemWidth + metrics(kBetweenHeaderItems);
    }
    return line + 1;
}

// The panel's scale and ticks for its plot's height; returns the longest tick label.
std::size_t ScalePanel(ChartPanel& panel, double plotLeft, const Metrics& metrics) {
    bool any = false;
    double lowest = 1, highest = 0; // no range: the scale runs from 0 to 1
    for (const ChartSeries& series : panel.series)
        for (const auto* runs : {&series.runs, &series.beforeRuns})
            for (const ChartRun& run : *runs)
                for (const ChartPoint& point : run) {
                    lowest = any ? std::min(lowest, point.value) : point.value;
                    highest = any ? std::max(highest, point.value) : point.value;
                    any = true;
                }
    const double room = panel.plot.Height() / metrics(kLeastTickPitch);
    const int intervals = room >= kMostIntervals ? kMostIntervals : room > 0 ? static_cast<int>(room) : 0;
    const ChartScale scale = ChartScale::Covering(lowest, highest, intervals);
    panel.low = scale.Low();
    panel.high = scale.High();
    panel.ticks.clear();
    std::size_t longest = 0;
    for (int i = 0; i < scale.TickCount(); ++i) {
        ChartTick tick;
        tick.value = scale.TickValue(i);
        tick.text = scale.TickText(i);
        tick.y = panel.YOf(tick.value);
        tick.label = {scale.TickLabel(i), plotLeft - metrics(kTickToLabel), metrics.Baseline(tick.y),
                      ChartText::Anchor::End, false};
        longest = std::max(longest, tick.label.text.size());
        panel.ticks.push_back(std::move(tick));
    }
    return longest;
}

// The turns named below the panels: every turn where there is room, else every 2nd, 5th or 10th.
std::vector<ChartTurn> NameTurns(const CZentharoDoc& document, const ChartLayout& chart, double labelWidth,
                                 double baseline, const Metrics& metrics) {
    const double pitch = (chart.plotRight - chart.plotLeft) / (kProjectedTurns - 1);
    int step = kProjectedTurns - 1;
    for (int candidate : {1, 2, 5, 10})
        if (candidate * pitch >= labelWidth + metrics(1)) {
            step = candidate;
            break;
        }
    std::vector<ChartTurn> turns;
    for (int row = 0; row < kProjectedTurns; row += step)
        turns.push_back(
            {row, chart.XOf(row), {document.m_turn[row].Bytes(), chart.XOf(row), baseline, ChartText::Anchor::Middle}});
    return turns;
}

} // namespace

double ChartPanel::YOf(double value) const {
    if (!(high > low))
        return plot.bottom;
    const double share = (std::clamp(value, low, high) - low) / (high - low);
    return plot.bottom - share * plot.Height();
}

double ChartLayout::XOf(int row) const { return plotLeft + (plotRight - plotLeft) * row / (kProjectedTurns - 1); }

namespace {

// Sizes no window has (negative, not finite) are taken as none, and such a font size as the standard one.
double Size(double size) { return std::isfinite(size) && size > 0 ? size : 0; }

} // namespace

ChartLayout ChartLayout::Of(const CZentharoDoc& document, double width, double height, double fontSize,
                            const CZentharoDoc* before) {
    width = Size(width);
    height = Size(height);
    fontSize = Size(fontSize) > 0 ? fontSize : kFontSizeAt96Dpi;
    const Metrics metrics(fontSize);
    ChartLayout chart;
    chart.width = width;
    chart.height = height;
    chart.fontSize = fontSize;
    chart.lineWidth = metrics(1.0 / 6);
    chart.markerRadius = metrics(0.22);
    chart.dashLength = metrics(0.5);

    for (const PanelContents& contents : kPanels) {
        ChartPanel panel;
        panel.name = contents.name;
        panel.title = {panel.name, 0, 0, ChartText::Anchor::Start, true};
        if (contents.series[0].member == &CZentharoDoc::m_mass) // what the turns that build ships build
            panel.title.text +=
                " (built " + PlanText::Number(PlanGoals::Value(document, PlanGoal::Ships, 0), true) + ")";
        for (int i = 0; i < contents.seriesCount; ++i)
            panel.series.push_back(SeriesOf(document, before, contents.series[i]));
        chart.panels.push_back(std::move(panel));
    }

    // The turn labels are centred on their turns: the first and the last need half a label beside them.
    std::size_t longestTurn = 0;
    for (int row = 0; row < kProjectedTurns; ++row)
        longestTurn = std::max(longestTurn, static_cast<std::size_t>(document.m_turn[row].GetLength()));
    const double turnLabelWidth = static_cast<double>(longestTurn) * metrics(kCharWidth);
    const double margin = metrics(kMargin);
    const double turnRow = metrics.LineHeight() + metrics(kTickToLabel);
    const double panelHeight =
        std::max(0.0, (height - 2 * margin - turnRow - (kPanelCount - 1) * metrics(kPanelGap)) / kPanelCount);

    // The tick labels left of the plots decide where the plots begin; they depend on the plots' heights,
    // and those on how many lines the headers take in the plots' width. A second pass settles it.
    std::size_t axisChars = kShortestAxisLabel;
    for (int pass = 0; pass < 2; ++pass) {
        chart.plotLeft = margin + std::max(static_cast<double>(axisChars) * metrics(kCharWidth) + metrics(kTickToLabel),
                                           turnLabelWidth / 2);
        chart.plotRight = std::max(width - margin - turnLabelWidth / 2, chart.plotLeft + 1);
        std::size_t longestLabel = 0;
        for (int i = 0; i < kPanelCount; ++i) {
            ChartPanel& panel = chart.panels[i];
            const double top = margin + i * (panelHeight + metrics(kPanelGap));
            const int lines = FlowHeader(panel, chart.plotLeft, chart.plotRight, top, metrics);
            panel.plot.left = chart.plotLeft;
            panel.plot.right = chart.plotRight;
            panel.plot.top = top + lines * metrics.LineHeight() + metrics(kAboveTopTick);
            panel.plot.bottom = std::max(top + panelHeight, panel.plot.top + 1);
            longestLabel = std::max(longestLabel, ScalePanel(panel, chart.plotLeft, metrics));
        }
        if (longestLabel <= axisChars)
            break;
        axisChars = longestLabel;
    }

    for (ChartPanel& panel : chart.panels)
        for (ChartSeries& series : panel.series)
            for (auto* runs : {&series.runs, &series.beforeRuns})
                for (ChartRun& run : *runs)
                    for (ChartPoint& point : run) {
                        point.x = chart.XOf(point.row);
                        point.y = panel.YOf(point.value);
                    }

    const double turnBaseline =
        metrics.Baseline(chart.panels.back().plot.bottom + metrics(kTickToLabel) + metrics.LineHeight() / 2);
    chart.turns = NameTurns(document, chart, turnLabelWidth, turnBaseline, metrics);
    return chart;
}
