// Where a chart opens: beside its projection wherever there is room, always inside the work area.
#include "window/ChartPlacement.h"

#include <gtest/gtest.h>

namespace {

TEST(ChartPlacement, TakesTheFirstSideWithRoom) {
    const ScreenBox screen{0, 0, 1280, 1024};
    const struct {
        const char* side;
        ScreenBox projection;
        ScreenBox chart;
    } cases[] = {
        {"right", {100, 50, 700, 500}, {700, 50, 1180, 650}},
        {"left", {600, 50, 1200, 500}, {120, 50, 600, 650}},
        {"below", {10, 20, 1010, 400}, {10, 400, 490, 1000}},
        {"above", {10, 700, 1010, 1000}, {10, 100, 490, 700}},
        // No side has room: at the right edge, over the projection, level with its top.
        {"over", {20, 60, 1030, 650}, {800, 60, 1280, 660}},
        // Level with the projection's top, unless that would leave the work area.
        {"right, raised", {100, 700, 700, 1000}, {700, 424, 1180, 1024}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.side);
        const ScreenBox chart = ChartPlacement::Beside(c.projection, screen, 480, 600);
        EXPECT_EQ(c.chart.left, chart.left);
        EXPECT_EQ(c.chart.top, chart.top);
        EXPECT_EQ(c.chart.right, chart.right);
        EXPECT_EQ(c.chart.bottom, chart.bottom);
    }
}

TEST(ChartPlacement, StaysInsideTheWorkAreaWhateverTheProjection) {
    const ScreenBox work{0, 30, 800, 600}; // a task bar above, a small screen
    const ScreenBox projections[] = {
        {-3000, -3000, -2000, -2500},
        {5000, 5000, 6000, 6000},
        {0, 30, 800, 600},
        {100, 100, 100, 100},
    };
    for (const ScreenBox& projection : projections) {
        const ScreenBox chart = ChartPlacement::Beside(projection, work, 480, 900);
        EXPECT_EQ(480, chart.Width());
        EXPECT_EQ(570, chart.Height()); // cut to the work area
        EXPECT_GE(chart.left, work.left);
        EXPECT_GE(chart.top, work.top);
        EXPECT_LE(chart.right, work.right);
        EXPECT_LE(chart.bottom, work.bottom);
    }
}

} // namespace
