// The chart window as a user meets it: Ctrl+Shift+G and the system menu open it beside the projection,
// it follows every edit (its pixels checked at computed points of each line), goes and comes back with
// its projection, and opens whole or not at all, leaving nothing behind over many openings.
#include "AllocationFaults.h"
#include "TestHost.h"
#include "framework/WindowText.h"
#include "host/driving/ProjectionDriver.h"
#include "host/driving/RealInput.h"
#include "host/driving/ResourceCounts.h"
#include "model/ChartLayout.h"
#include "window/ChartPlacement.h"
#include "window/ScreenScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

constexpr const char* kPlanetName = "Terra";

CMapStringToString ChartedPlanet(const char* num = "17") {
    return Planet("Alpha", num, kPlanetName, {{"Production", "Capital"}});
}

BOOL CALLBACK CountChart(HWND window, LPARAM count) {
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    *reinterpret_cast<int*>(count) += std::string(className) == ModuleContract::kChartClassName;
    return TRUE;
}

int ChartWindowCount() {
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountChart, reinterpret_cast<LPARAM>(&count));
    return count;
}

// The colour the screen shows at a point of a window's client area.
COLORREF ScreenPixel(HWND window, double x, double y) {
    POINT point{static_cast<LONG>(std::lround(x)), static_cast<LONG>(std::lround(y))};
    ::ClientToScreen(window, &point);
    const HDC screen = ::GetDC(nullptr);
    const COLORREF color = ::GetPixel(screen, point.x, point.y);
    ::ReleaseDC(nullptr, screen);
    return color;
}

COLORREF ColorOf(std::uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

double DistanceToSegment(const ChartPoint& p, const ChartPoint& a, const ChartPoint& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length = dx * dx + dy * dy;
    const double t = length == 0 ? 0 : std::fmax(0, std::fmin(1, ((p.x - a.x) * dx + (p.y - a.y) * dy) / length));
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

// How close another series of the panel comes to a point: its dots and the segments between them.
double ClearanceFromOthers(const ChartPanel& panel, const ChartSeries& series, const ChartPoint& point) {
    double nearest = 1e9;
    for (const ChartSeries& other : panel.series) {
        if (&other == &series)
            continue;
        for (const ChartRun& run : other.runs)
            for (std::size_t i = 0; i < run.size(); ++i)
                nearest = std::fmin(nearest, DistanceToSegment(point, run[i], run[i + 1 < run.size() ? i + 1 : i]));
    }
    return nearest;
}

class ChartTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::RegDeleteKeyA(HKEY_CURRENT_USER, ModuleContract::kPlacementKey);
        host.LoadAndInitialize();
        host.Select(ChartedPlanet());
        host.Command("Alpha");
        ASSERT_EQ(1u, host.Projections().size());
        frame = host.Projections().front().frame;
    }
    ProjectionDriver Driver() {
        return ProjectionDriver(host.mainWindow, host.mdiClient, [this] { host.Settle(); });
    }
    HWND OpenChart() {
        std::string error;
        EXPECT_TRUE(Driver().Chart(frame, error)) << error;
        return ProjectionWindows::ChartOf(frame);
    }
    // Chart, as the system menu's entry does it.
    void ChartFromSystemMenu() {
        ::SendMessageA(frame, WM_SYSCOMMAND, ModuleContract::kChartCommandId, 0);
        host.Settle();
    }

    TestHost host;
    HWND frame = nullptr;
};

TEST_F(ChartTest, OpensBesideItsProjectionAsAToolWindowOfTheHost) {
    const HWND chart = OpenChart();
    ASSERT_NE(nullptr, chart);
    EXPECT_EQ(host.mainWindow, ::GetWindow(chart, GW_OWNER));
    EXPECT_EQ(0, ::GetWindowLongA(chart, GWL_STYLE) & WS_CHILD);
    EXPECT_NE(0, ::GetWindowLongA(chart, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(std::string("Chart ") + WindowText(frame), WindowText(chart));
    EXPECT_EQ(chart, ::GetActiveWindow()); // Escape now closes the chart, not the projection
    // The MDI client knows nothing of it.
    EXPECT_EQ(frame, reinterpret_cast<HWND>(::SendMessageA(host.mdiClient, WM_MDIGETACTIVE, 0, 0)));
    EXPECT_EQ(1u, host.Projections().size());

    RECT projection{}, placed{};
    ::GetWindowRect(frame, &projection);
    ::GetWindowRect(chart, &placed);
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const ScreenBox expected = ChartPlacement::Beside(
        {projection.left, projection.top, projection.right, projection.bottom},
        {work.left, work.top, work.right, work.bottom}, placed.right - placed.left, placed.bottom - placed.top);
    EXPECT_EQ(expected.left, placed.left);
    EXPECT_EQ(expected.top, placed.top);
    RECT client{};
    ::GetClientRect(chart, &client);
    const ScreenScale scale = ScreenScale::Of(frame);
    EXPECT_EQ(scale.Pixels(480), client.right);
    EXPECT_EQ(scale.Pixels(600), client.bottom);

    // The system menu names it with its key.
    char entry[64] = {};
    ::GetMenuStringA(::GetSystemMenu(frame, FALSE), ModuleContract::kChartCommandId, entry, sizeof entry, MF_BYCOMMAND);
    EXPECT_STREQ("Chart\tCtrl+Shift+G", entry);
}

// Edits made with the chart open: afterwards the chart draws each series through the points the layout
// computes for the edited projection, at the window's own size.
TEST_F(ChartTest, FollowsEveryEditAndShowsEachLineWhereTheLayoutPutsIt) {
    const HWND chart = OpenChart();
    ASSERT_NE(nullptr, chart);
    const ProjectionDriver driver = Driver();
    std::string error;
    ASSERT_TRUE(driver.Type(frame, 1, 3, "500", "Tab", error)) << error; // colonists delivered in turn 43
    ASSERT_TRUE(driver.Choose(frame, 5, "Materials", error)) << error;
    ASSERT_TRUE(driver.Type(frame, 5, 8, "300", "Tab", error)) << error;   // an upgrade in turn 48
    ASSERT_TRUE(driver.Type(frame, 3, 10, "2500", "Tab", error)) << error; // materials delivered in turn 50
    const std::vector<GridEdit> edits = {{&CZentharoDoc::m_colIn, 3, "500"},
                                         {&CZentharoDoc::m_production, 5, "Materials"},
                                         {&CZentharoDoc::m_upgrade, 8, "300"},
                                         {&CZentharoDoc::m_matIn, 10, "2500"}};
    ASSERT_EQ(ExpectedGrid(ChartedPlanet(), edits), ShownGrid(frame));
    ASSERT_EQ(chart, ProjectionWindows::ChartOf(frame)) << "the edits closed or replaced the chart";

    // Typing made the host's window active. An owned window stays above its owner, but Wine without a
    // window manager raises the owner over it: the user brings the chart forward by its key.
    ASSERT_EQ(chart, OpenChart());
    CZentharoDoc expected(ChartedPlanet());
    expected.m_bAutoDelete = false;
    expected.Recalculate(0);
    for (const GridEdit& edit : edits)
        expected.SetInput(edit.column, edit.row, edit.text);
    RECT client{};
    ::GetClientRect(chart, &client);
    const ChartLayout layout =
        ChartLayout::Of(expected, client.right, client.bottom, ChartLayout::FontSizeAt(ScreenScale::Of(frame).Dpi()));

    if (const char* picture = std::getenv("ZENTHARO_CHART_SCREENSHOT"))
        host.SaveScreenshot(picture);
    for (const ChartPanel& panel : layout.panels) {
        for (const ChartSeries& series : panel.series) {
            SCOPED_TRACE(series.column);
            int checked = 0;
            for (const ChartRun& run : series.runs)
                for (const ChartPoint& point : run) {
                    // Where another line of the panel passes close by, either may be on top.
                    if (ClearanceFromOthers(panel, series, point) < 2 * (layout.markerRadius + layout.lineWidth))
                        continue;
                    EXPECT_EQ(ColorOf(series.color), ScreenPixel(chart, point.x, point.y)) << "row " << point.row;
                    ++checked;
                }
            EXPECT_GE(checked, series.runs.empty() ? 0 : 1);
        }
    }
    // Between the lines, the background.
    const ChartPanel& production = layout.panels[2];
    EXPECT_EQ(ColorOf(ChartLayout::kBackground),
              ScreenPixel(chart, (layout.XOf(0) + layout.XOf(1)) / 2 + 0.5,
                          production.plot.bottom - 0.25 * production.plot.Height() + 3));

    // Escape in the projection closes it, and its chart with it.
    std::string menu;
    ASSERT_TRUE(driver.Key(frame, "Escape", menu, error)) << error;
    EXPECT_TRUE(host.Projections().empty());
    EXPECT_FALSE(::IsWindow(chart));
}

TEST_F(ChartTest, ASecondRequestBringsTheOpenChartForward) {
    const HWND chart = OpenChart();
    RealInput::Focus(host.mainWindow, ::GetWindow(frame, GW_CHILD));
    host.Settle();
    EXPECT_EQ(chart, OpenChart());
    ChartFromSystemMenu();
    EXPECT_EQ(chart, ProjectionWindows::ChartOf(frame));
    EXPECT_EQ(1, ChartWindowCount());
    EXPECT_EQ(chart, ::GetActiveWindow());
}

TEST_F(ChartTest, EscapeClosesTheChartAloneAndTheSystemMenuOpensItAgain) {
    OpenChart();
    std::string error;
    ASSERT_TRUE(Driver().CloseChart(frame, error)) << error;
    EXPECT_EQ(0, ChartWindowCount());
    EXPECT_EQ(1u, host.Projections().size());
    ChartFromSystemMenu();
    const HWND chart = ProjectionWindows::ChartOf(frame);
    ASSERT_NE(nullptr, chart);
    EXPECT_TRUE(::IsWindowVisible(chart));
    // Its close box closes it too.
    ::SendMessageA(chart, WM_CLOSE, 0, 0);
    host.Settle();
    EXPECT_EQ(0, ChartWindowCount());
    EXPECT_EQ(1u, host.Projections().size());
}

TEST_F(ChartTest, IsHiddenAndShownWithItsGameAndClosesWithIt) {
    const HWND chart = OpenChart();
    host.Activate("Beta");
    EXPECT_FALSE(::IsWindowVisible(frame));
    EXPECT_FALSE(::IsWindowVisible(chart));
    host.Activate("Alpha");
    EXPECT_TRUE(::IsWindowVisible(frame));
    EXPECT_TRUE(::IsWindowVisible(chart));
    // A chart closed while its game was hidden does not come back with it.
    host.Activate("Beta");
    ::SendMessageA(chart, WM_CLOSE, 0, 0);
    host.Activate("Alpha");
    EXPECT_EQ(0, ChartWindowCount());

    OpenChart();
    host.GamesList({"Beta"});
    EXPECT_TRUE(host.Projections().empty());
    EXPECT_EQ(0, ChartWindowCount());
}

TEST_F(ChartTest, EachProjectionHasAChartOfItsOwn) {
    const HWND first = OpenChart();
    host.Select(ChartedPlanet("3"));
    host.Command("Alpha");
    ASSERT_EQ(2u, host.Projections().size());
    const HWND second = host.Projections().back().frame;
    frame = second;
    const HWND other = OpenChart();
    ASSERT_NE(nullptr, other);
    EXPECT_NE(first, other);
    EXPECT_EQ(2, ChartWindowCount());
    EXPECT_NE(WindowText(first), WindowText(other));
    // Closing one projection leaves the other's chart.
    ::SendMessageA(second, WM_SYSCOMMAND, SC_CLOSE, 0);
    host.Settle();
    EXPECT_FALSE(::IsWindow(other));
    EXPECT_TRUE(::IsWindow(first));
}

TEST_F(ChartTest, UnloadingTheModuleClosesTheChart) {
    OpenChart();
    host.plugin.Unload();
    host.Settle();
    EXPECT_EQ(0, ChartWindowCount());
    WNDCLASSA unused{};
    EXPECT_FALSE(::GetClassInfoA(::GetModuleHandleA("Zentharo.dll"), ModuleContract::kChartClassName, &unused));
}

// A CBT hook answering "no" to the creation of a chart window.
LRESULT CALLBACK RefuseCharts(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        if (HIWORD(reinterpret_cast<std::uintptr_t>(create->lpszClass)) &&
            std::string(create->lpszClass) == ModuleContract::kChartClassName)
            return 1;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(ChartTest, OpensWholeOrNotAtAll) {
    // The window refused: no chart, and the projection goes on working.
    const HHOOK hook = ::SetWindowsHookExA(WH_CBT, &RefuseCharts, nullptr, ::GetCurrentThreadId());
    ChartFromSystemMenu();
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ(0, ChartWindowCount());
    std::string error;
    ASSERT_TRUE(Driver().Type(frame, 1, 3, "500", "Tab", error)) << error;

    // Memory running out at each allocation of the opening in turn: a whole chart or none.
    const HMODULE module = ::GetModuleHandleA("Zentharo.dll");
    long allocations = 0;
    {
        AllocationFaults faults(module);
        ChartFromSystemMenu();
        allocations = faults.Count();
    }
    ASSERT_EQ(1, ChartWindowCount());
    ASSERT_GT(allocations, 0);
    ::SendMessageA(ProjectionWindows::ChartOf(frame), WM_CLOSE, 0, 0);
    for (long nth = 1; nth <= allocations; ++nth) {
        SCOPED_TRACE("allocation " + std::to_string(nth) + " of " + std::to_string(allocations) + " fails");
        {
            AllocationFaults faults(module);
            faults.FailFrom(nth);
            ChartFromSystemMenu();
        }
        const HWND chart = ProjectionWindows::ChartOf(frame);
        EXPECT_LE(ChartWindowCount(), 1);
        if (chart) {
            EXPECT_TRUE(::IsWindowVisible(chart));
            ::SendMessageA(chart, WM_CLOSE, 0, 0);
            host.Settle();
        }
    }
    // Painting without memory for the layout leaves an empty chart; later paints draw it again.
    const HWND chart = OpenChart();
    {
        AllocationFaults faults(module);
        faults.FailFrom(1, true);
        ::RedrawWindow(chart, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_TRUE(faults.Failed());
    }
    ::RedrawWindow(chart, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(::IsWindow(chart));
    EXPECT_EQ(ExpectedGrid(ChartedPlanet(), {{&CZentharoDoc::m_colIn, 3, "500"}}), ShownGrid(frame));
}

TEST_F(ChartTest, NothingGrowsOverAHundredOpeningsAndClosings) {
    // Closed in turn by Escape in the chart and by its close box, and every tenth time with its projection.
    const auto cycle = [this](int i) {
        OpenChart();
        std::string error;
        if (i % 10 == 9) {
            std::string menu;
            EXPECT_TRUE(Driver().Key(frame, "Escape", menu, error)) << error;
            host.Select(ChartedPlanet());
            host.Command("Alpha");
            frame = host.Projections().front().frame;
        } else if (i % 2 == 0) {
            EXPECT_TRUE(Driver().CloseChart(frame, error)) << error;
        } else {
            ::SendMessageA(ProjectionWindows::ChartOf(frame), WM_CLOSE, 0, 0);
            host.Settle();
        }
        EXPECT_EQ(0, ChartWindowCount());
    };
    for (int i : {0, 1, 9}) // the first of each kind makes what stays (classes, caches)
        cycle(i);
    const ResourceCounts before = ResourceCounts::Take();
    for (int i = 0; i < 100; ++i)
        cycle(i);
    const ResourceCounts after = ResourceCounts::Take();
    EXPECT_EQ(before.windows, after.windows);
    EXPECT_EQ(before.gdiObjects, after.gdiObjects);
    EXPECT_EQ(before.accelerators, after.accelerators);
    // Heap blocks the system keeps for a while may come and go; a leak of 40 bytes an opening would not.
    EXPECT_LE(after.heapBytes, before.heapBytes + 4096);
}

} // namespace
