// The chart's layout: which panels show which columns, a point for every value the table holds and a
// break in the line for an empty text, scales that hold every point, and sensible pictures of flat,
// empty, negative and huge series.
#include "model/ChartLayout.h"

#include "ProjectionFixtures.h"
#include "model/GridColumns.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <set>
#include <string>

namespace {

constexpr double kWidth = 480, kHeight = 640, kFontSize = 12;

ChartLayout LayOut(const RecordChanges& changes = {}, double width = kWidth, double height = kHeight,
                   double fontSize = kFontSize) {
    const auto document = OpenedDocument(ExampleRecord(changes));
    return ChartLayout::Of(*document, width, height, fontSize);
}

// The value a point's height stands for, read off the panel's ticks as a reader of the chart would.
double ValueAt(const ChartPanel& panel, double y) {
    const ChartTick& bottom = panel.ticks.front();
    const ChartTick& top = panel.ticks.back();
    return bottom.value + (bottom.y - y) / (bottom.y - top.y) * (top.value - bottom.value);
}

const ChartSeries* FindSeries(const ChartLayout& chart, const std::string& column) {
    for (const ChartPanel& panel : chart.panels)
        for (const ChartSeries& series : panel.series)
            if (column == series.column)
                return &series;
    return nullptr;
}

// Every point of a series, run after run.
std::vector<ChartPoint> PointsOf(const ChartSeries& series) {
    std::vector<ChartPoint> points;
    for (const ChartRun& run : series.runs)
        points.insert(points.end(), run.begin(), run.end());
    return points;
}

// The rows of each run: "1-19", or "0 2-19" for a lone point and a run.
std::string RunRows(const ChartSeries& series) {
    std::string text;
    for (const ChartRun& run : series.runs) {
        text += (text.empty() ? "" : " ") + std::to_string(run.front().row);
        if (run.size() > 1)
            text += "-" + std::to_string(run.back().row);
    }
    return text;
}

int GridColumnNamed(const std::string& header) {
    // Col, Cap and Mat head an input too: the chart shows the stocks, which stand right of the inputs.
    for (int column = kGridColumnCount - 1; column >= 0; --column)
        if (header == kDocumentColumns[column].header)
            return column;
    return -1;
}

TEST(ChartLayout, PanelsShowTheirColumnsEachInAColourOfItsOwn) {
    const ChartLayout chart = LayOut();
    const std::vector<std::pair<std::string, std::vector<std::string>>> expected = {
        {"Size and population", {"Size", "Pop"}},
        {"Industry and capital", {"Ind", "Cap"}},
        {"Production", {"L"}},
        {"Ship mass", {"Mass"}},
        {"Materials", {"Mat"}},
    };
    ASSERT_EQ(expected.size(), chart.panels.size());
    std::set<std::uint32_t> colours;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const ChartPanel& panel = chart.panels[i];
        EXPECT_EQ(expected[i].first, panel.name);
        if (expected[i].first != "Ship mass") // its title gives the mass built too: see below
            EXPECT_EQ(expected[i].first, panel.title.text);
        std::vector<std::string> columns;
        for (const ChartSeries& series : panel.series) {
            columns.emplace_back(series.column);
            colours.insert(series.color);
        }
        EXPECT_EQ(expected[i].second, columns);
        // Panels stand one below the other, sharing the turns' axis.
        EXPECT_EQ(chart.plotLeft, panel.plot.left);
        EXPECT_EQ(chart.plotRight, panel.plot.right);
        if (i > 0) {
            EXPECT_LT(chart.panels[i - 1].plot.bottom, panel.title.baseline);
        }
    }
    EXPECT_EQ(7u, colours.size());
    EXPECT_LT(chart.panels.back().plot.bottom, chart.turns.front().label.baseline);
    EXPECT_LE(chart.turns.front().label.baseline, kHeight);
}

// For several projections: each text that is not empty is one point at its turn and at the value it
// holds, zeros and values too small to show included, on the scale the ticks show.
TEST(ChartLayout, EveryHeldValueIsAPointAtItsTurnAndHeight) {
    const RecordChanges planets[] = {
        {},
        {{"Production", "Materials"}},
        {{"Production", "_TerraForming"}, {"MAT", "0"}},
        {{"Production", "Capital"}, {"MAT", "0.004"}},
        {{"Population", "1e15"}, {"Size", "1e15"}, {"Industry", "3e14"}},
        {{"MAT", "-7"}, {"CAP", "-1234.5"}, {"COL", "-3"}},
    };
    for (const RecordChanges& changes : planets) {
        const auto document = OpenedDocument(ExampleRecord(changes));
        const ChartLayout chart = ChartLayout::Of(*document, kWidth, kHeight, kFontSize);
        for (const ChartPanel& panel : chart.panels) {
            for (const ChartSeries& series : panel.series) {
                SCOPED_TRACE(series.column);
                const CString* held = &(document.get()->*kDocumentColumns[GridColumnNamed(series.column)].member)[0];
                const std::vector<ChartPoint> points = PointsOf(series);
                std::size_t next = 0;
                for (int row = 0; row < kProjectedTurns; ++row) {
                    if (held[row].IsEmpty())
                        continue;
                    ASSERT_LT(next, points.size()) << "row " << row;
                    const ChartPoint& point = points[next++];
                    EXPECT_EQ(row, point.row);
                    EXPECT_EQ(NumberText::Read(held[row].View()), point.value);
                    EXPECT_DOUBLE_EQ(chart.XOf(row), point.x);
                    EXPECT_GE(point.y, panel.plot.top);
                    EXPECT_LE(point.y, panel.plot.bottom);
                    const double scale = panel.high - panel.low;
                    EXPECT_NEAR(point.value, ValueAt(panel, point.y), scale * 1e-12) << "row " << row;
                }
                EXPECT_EQ(next, points.size());
            }
        }
    }
}

// A line runs through consecutive turns only: it breaks at an empty text and never bridges a gap,
// while a stock of 0 is a point on the line.
TEST(ChartLayout, LinesBreakAtEmptyTextsAndNowhereElse) {
    const struct {
        RecordChanges changes;
        const char* column;
        const char* runs;
    } cases[] = {
        {{}, "Mass", "1-19"},                         // no mass before the first turn is built
        {{}, "Size", "0-19"},                         //
        {{{"Production", "Capital"}}, "Mat", "0-19"}, // the stock runs out: points at 0, no gap
        {{{"MAT", ""}}, "Mat", "1-19"},               // a record without materials
        {{{"Population", ""}}, "Pop", "1-19"},        //
        {{{"MAT", ""}, {"Production", "Capital"}}, "Mat", "1-19"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.column);
        const ChartLayout chart = LayOut(c.changes);
        EXPECT_EQ(c.runs, RunRows(*FindSeries(chart, c.column)));
    }
    // A stock that runs out is drawn at zero, below the first value, not bridged to the next.
    const ChartLayout spent = LayOut({{"Production", "Capital"}});
    const std::vector<ChartPoint> materials = PointsOf(*FindSeries(spent, "Mat"));
    const ChartPanel& panel = spent.panels[4];
    EXPECT_EQ(30, materials[0].value);
    for (std::size_t i = 1; i < materials.size(); ++i)
        EXPECT_EQ(panel.YOf(0), materials[i].y) << "row " << materials[i].row;
}

TEST(ChartLayout, TicksRunUpThePlotFromItsBottomToItsTop) {
    for (const ChartPanel& panel : LayOut().panels) {
        SCOPED_TRACE(panel.name);
        ASSERT_GE(panel.ticks.size(), 2u);
        EXPECT_EQ(panel.low, panel.ticks.front().value);
        EXPECT_EQ(panel.high, panel.ticks.back().value);
        EXPECT_DOUBLE_EQ(panel.plot.bottom, panel.ticks.front().y);
        EXPECT_DOUBLE_EQ(panel.plot.top, panel.ticks.back().y);
        for (std::size_t i = 1; i < panel.ticks.size(); ++i)
            EXPECT_LT(panel.ticks[i].y, panel.ticks[i - 1].y);
        // Labels right-aligned left of the axis, centred on their tick.
        for (const ChartTick& tick : panel.ticks) {
            EXPECT_EQ(ChartText::Anchor::End, tick.label.anchor);
            EXPECT_LT(tick.label.x, panel.plot.left);
            EXPECT_NEAR(tick.y, tick.label.baseline, kFontSize / 2);
        }
    }
}

TEST(ChartLayout, LegendsNameEachSeriesWithItsLastValue) {
    // The sample's materials go into capital after the first turn: the last stock is 0, which the grid
    // shows as an empty cell and the chart as a point at 0. Without a value, the legend says so.
    const ChartLayout chart = LayOut({{"Production", "Capital"}});
    EXPECT_EQ("Size 1000.00", FindSeries(chart, "Size")->legend.text);
    EXPECT_EQ("Mat 0.00", FindSeries(chart, "Mat")->legend.text);
    EXPECT_EQ("Mat 0.01", FindSeries(LayOut({{"MAT", "0.005"}, {"Production", "Ship"}}), "Mat")->legend.text);
    auto document = OpenedDocument(ExampleRecord());
    document->m_mass[kProjectedTurns - 1] = "";
    EXPECT_EQ("Mass (empty)", FindSeries(ChartLayout::Of(*document, kWidth, kHeight, kFontSize), "Mass")->legend.text);
    EXPECT_EQ(20u, PointsOf(*FindSeries(chart, "Mat")).size());
    for (const ChartPanel& panel : chart.panels) {
        double end = panel.title.x + kFontSize * 0.6 * panel.title.text.size();
        for (const ChartSeries& series : panel.series) {
            // Each legend after the title and after the one before it, on a line of the panel's header.
            EXPECT_TRUE(series.swatchLeft >= end || series.legend.baseline > panel.title.baseline) << series.column;
            EXPECT_LT(series.swatchLeft, series.swatchRight);
            EXPECT_LT(series.swatchRight, series.legend.x);
            EXPECT_LT(series.legend.baseline, panel.plot.top);
            end = series.legend.x + kFontSize * 0.6 * series.legend.text.size();
        }
    }
}

TEST(ChartLayout, LongLegendsTakeASecondLineAndThePlotMakesRoom) {
    const ChartLayout plain = LayOut();
    const ChartLayout huge = LayOut({{"Population", "1e15"}, {"Size", "1e15"}});
    const ChartSeries& pop = *FindSeries(huge, "Pop");
    EXPECT_EQ("Pop 1000000000000000.00", pop.legend.text);
    EXPECT_GT(pop.legend.baseline, huge.panels[0].title.baseline);
    EXPECT_LE(pop.legend.x + kFontSize * 0.6 * pop.legend.text.size(), huge.plotRight + 1e-9);
    EXPECT_GT(huge.panels[0].plot.top, plain.panels[0].plot.top);
    EXPECT_EQ(plain.panels[0].plot.bottom, huge.panels[0].plot.bottom);
}

TEST(ChartLayout, FlatEmptyNegativeAndHugeSeriesDrawSensibly) {
    // A flat series is a level line inside its plot, below the top tick.
    const ChartLayout flat = LayOut();
    const std::vector<ChartPoint> size = PointsOf(*FindSeries(flat, "Size"));
    ASSERT_EQ(20u, size.size());
    for (const ChartPoint& point : size)
        EXPECT_EQ(size.front().y, point.y);
    EXPECT_EQ(0, flat.panels[0].low);
    EXPECT_GE(flat.panels[0].high, 1000);

    // Nothing held (no record values): no points, and a scale from 0 to 1 all the same; all zero: the
    // points lie on the bottom of that scale.
    const ChartLayout empty = LayOut({{"MAT", ""}, {"Production", "Ship"}});
    EXPECT_EQ("1-19", RunRows(empty.panels[4].series[0])); // the recalculation stores 0 from row 1
    const ChartLayout none = LayOut({{"Size", ""}, {"Population", ""}, {"Industry", ""}, {"CAP", ""}, {"COL", ""}});
    const ChartPanel& zero = none.panels[1];
    EXPECT_EQ(0, zero.low);
    EXPECT_EQ(1, zero.high);
    for (const ChartPoint& point : PointsOf(zero.series[0]))
        EXPECT_EQ(zero.plot.bottom, point.y);

    // Negative values go below zero, which stays on the scale.
    const ChartLayout negative = LayOut({{"MAT", "-7"}});
    const ChartPanel& below = negative.panels[4];
    EXPECT_LE(below.low, -7);
    EXPECT_GE(below.high, 0);
    EXPECT_GT(below.series[0].runs.front().front().y, below.YOf(0));

    // Values up to 1e15 keep finite places and short labels.
    const ChartLayout huge = LayOut({{"Population", "1e15"}, {"Size", "1e15"}, {"Industry", "1e15"}});
    for (const ChartPanel& panel : huge.panels) {
        for (const ChartTick& tick : panel.ticks)
            EXPECT_LE(tick.label.text.size(), 5u) << tick.label.text;
        for (const ChartSeries& series : panel.series)
            for (const ChartPoint& point : PointsOf(series))
                EXPECT_TRUE(std::isfinite(point.y) && point.y >= panel.plot.top && point.y <= panel.plot.bottom);
    }
    EXPECT_EQ("1.0P", huge.panels[0].ticks.back().label.text);
}

TEST(ChartLayout, ASmallOrSenselessAreaStillGivesFinitePlaces) {
    const double nan = std::nan("");
    const struct {
        double width, height, fontSize;
    } areas[] = {{0, 0, 12}, {40, 30, 12}, {2000, 15, 12}, {-5, nan, 12}, {480, 640, 0}, {480, 640, nan}};
    for (const auto& [width, height, fontSize] : areas) {
        const ChartLayout chart = LayOut({{"Population", "1e300"}, {"MAT", "-1e308"}}, width, height, fontSize);
        EXPECT_GT(chart.fontSize, 0);
        for (const ChartPanel& panel : chart.panels) {
            EXPECT_LT(panel.plot.top, panel.plot.bottom);
            EXPECT_LT(panel.plot.left, panel.plot.right);
            for (const ChartSeries& series : panel.series)
                for (const ChartPoint& point : PointsOf(series))
                    EXPECT_TRUE(std::isfinite(point.x) && std::isfinite(point.y));
        }
    }
}

TEST(ChartLayout, AtALargerFontTheChartGrowsAsAWhole) {
    const ChartLayout normal = LayOut();
    const ChartLayout large = LayOut({}, kWidth * 1.5, kHeight * 1.5, kFontSize * 1.5);
    EXPECT_DOUBLE_EQ(normal.lineWidth * 1.5, large.lineWidth);
    EXPECT_DOUBLE_EQ(normal.plotLeft * 1.5, large.plotLeft);
    for (std::size_t i = 0; i < normal.panels.size(); ++i) {
        ASSERT_EQ(normal.panels[i].ticks.size(), large.panels[i].ticks.size());
        for (std::size_t s = 0; s < normal.panels[i].series.size(); ++s) {
            const auto a = PointsOf(normal.panels[i].series[s]);
            const auto b = PointsOf(large.panels[i].series[s]);
            ASSERT_EQ(a.size(), b.size());
            for (std::size_t p = 0; p < a.size(); ++p) {
                EXPECT_NEAR(a[p].x * 1.5, b[p].x, 1e-9);
                EXPECT_NEAR(a[p].y * 1.5, b[p].y, 1e-9);
            }
        }
    }
}

TEST(ChartLayout, NamesTurnsAsOftenAsTheirLabelsFit) {
    const ChartLayout wide = LayOut({}, 1200, kHeight);
    ASSERT_EQ(20u, wide.turns.size());
    EXPECT_EQ("40", wide.turns.front().label.text);
    EXPECT_EQ("59", wide.turns.back().label.text);
    const ChartLayout narrow = LayOut({}, 300, kHeight);
    ASSERT_LT(narrow.turns.size(), 20u);
    for (std::size_t i = 1; i < narrow.turns.size(); ++i)
        EXPECT_GT(narrow.turns[i].x - narrow.turns[i - 1].x, 2 * kFontSize * 0.6);
}

// The Ship mass panel's title keeps the ships goal's total in view: the Mass of every turn that follows a
// turn building ships, a design's name included.
TEST(ChartLayout, TheShipMassPanelGivesTheMassBuilt) {
    const struct {
        const char* production;
        const char* title;
    } cases[] = {{"Capital", "Ship mass (built 0.00)"}, {"Materials", "Ship mass (built 0.00)"}};
    for (const auto& c : cases)
        EXPECT_EQ(c.title, LayOut({{"Production", c.production}}).panels[3].title.text) << c.production;
    // Building ships from turn 45 on: the Mass of turns 46 to 59, added as a reader would.
    for (const char* ships : {"Ship", "Battleship_Mk2"}) {
        auto document = OpenedDocument(ExampleRecord({{"Production", "Capital"}}));
        std::vector<CZentharoDoc::Input> inputs;
        for (int row = 5; row < kProjectedTurns; ++row)
            inputs.push_back({&CZentharoDoc::m_production, row, ships});
        document->SetInputs(inputs, EditStep::Plan);
        double built = 0;
        for (int row = 6; row < kProjectedTurns; ++row)
            built += NumberText::Read(document->m_mass[row].View());
        char expected[64];
        std::snprintf(expected, sizeof expected, "Ship mass (built %.2f)", built);
        std::string grouped = expected; // 1,234.56
        const std::size_t point = grouped.find('.');
        for (std::size_t comma = point; comma > std::string("Ship mass (built ").size() + 3; comma -= 3)
            grouped.insert(comma - 3, 1, ',');
        EXPECT_EQ(grouped, ChartLayout::Of(*document, kWidth, kHeight, kFontSize).panels[3].title.text) << ships;
    }
}

// A plan offered over the table as it stands: each series has the plan's runs and the table's, by the
// same rule of points and breaks, both on one scale.
TEST(ChartLayout, APlanIsDrawnOverTheTableBeforeIt) {
    const auto before = OpenedDocument(ExampleRecord({{"Production", "Capital"}}));
    auto planned = OpenedDocument(ExampleRecord({{"Production", "Capital"}}));
    std::vector<CZentharoDoc::Input> inputs;
    for (int row = 0; row < kProjectedTurns; ++row)
        inputs.push_back({&CZentharoDoc::m_production, row, row < 6 ? "Materials" : "Ship"});
    planned->SetInputs(inputs, EditStep::Plan);
    const ChartLayout alone = ChartLayout::Of(*before, kWidth, kHeight, kFontSize);
    const ChartLayout plan = ChartLayout::Of(*planned, kWidth, kHeight, kFontSize, before.get());
    EXPECT_EQ(plan.panels[3].title.text, ChartLayout::Of(*planned, kWidth, kHeight, kFontSize).panels[3].title.text);
    for (std::size_t p = 0; p < plan.panels.size(); ++p) {
        const ChartPanel& panel = plan.panels[p];
        for (std::size_t s = 0; s < panel.series.size(); ++s) {
            const ChartSeries& series = panel.series[s];
            SCOPED_TRACE(series.column);
            const ChartSeries& asItStands = alone.panels[p].series[s];
            EXPECT_TRUE(asItStands.beforeRuns.empty());
            ASSERT_EQ(asItStands.runs.size(), series.beforeRuns.size());
            for (std::size_t r = 0; r < series.beforeRuns.size(); ++r) {
                ASSERT_EQ(asItStands.runs[r].size(), series.beforeRuns[r].size());
                for (std::size_t i = 0; i < series.beforeRuns[r].size(); ++i) {
                    const ChartPoint& point = series.beforeRuns[r][i];
                    EXPECT_EQ(asItStands.runs[r][i].row, point.row);
                    EXPECT_EQ(asItStands.runs[r][i].value, point.value);
                    EXPECT_EQ(plan.XOf(point.row), point.x);
                    EXPECT_NEAR(point.value, ValueAt(panel, point.y), 1e-9 * (panel.high - panel.low));
                    EXPECT_GE(point.y, panel.plot.top); // on the scale, not kept to its edge
                    EXPECT_LE(point.y, panel.plot.bottom);
                }
            }
            for (const ChartPoint& point : PointsOf(series))
                EXPECT_NEAR(point.value, ValueAt(panel, point.y), 1e-9 * (panel.high - panel.low));
        }
    }
}

} // namespace
