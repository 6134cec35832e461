// Best plan in the window: the system menu's two entries ask whether to apply the plan the model
// finds; Yes applies it, No changes nothing; text still being typed counts; and a window closed while
// the question is open is left alone, the host going on.
#include "MessageBoxWatcher.h"
#include "TestHost.h"
#include "host/driving/ProjectionWindows.h"
#include "host/driving/RealInput.h"
#include "host/driving/Screenshot.h"
#include "model/PlanText.h"
#include "model/ProductionPlanner.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

namespace {

// The question the window asks after the edits, and the edits with the plan's productions added.
struct Planned {
    std::string question;
    std::vector<GridEdit> edits;
};

Planned PlanAfter(const CMapStringToString& planet, const std::vector<GridEdit>& edits, PlanGoal goal) {
    CZentharoDoc document(planet);
    document.m_bAutoDelete = false;
    document.Recalculate(0);
    for (const GridEdit& edit : edits)
        document.SetInput(edit.column, edit.row, edit.text);
    const ProductionPlan plan = ProductionPlanner(document, goal, 0).Plan();
    Planned planned{PlanText::Question(document, plan), edits};
    for (int row = 0; row <= kLastPlannedRow; ++row)
        planned.edits.push_back({&CZentharoDoc::m_production, row, plan.Entry(row)});
    return planned;
}

// The pixels of a window's client area as the screen shows them, row by row.
std::vector<std::uint32_t> ClientPixels(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    const HDC dc = ::GetDC(window);
    const HDC memory = ::CreateCompatibleDC(dc);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(dc, client.right, client.bottom);
    const HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(client.right) * client.bottom);
    ::GetDIBits(memory, bitmap, 0, client.bottom, pixels.data(), &info, DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(window, dc);
    return pixels;
}

class BestPlanTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::RegDeleteKeyA(HKEY_CURRENT_USER, ModuleContract::kPlacementKey);
        host.LoadAndInitialize();
        host.Select(planet);
        host.Command("Alpha");
        ASSERT_EQ(1u, host.Projections().size());
        frame = host.Projections().front().frame;
        view = ::GetWindow(frame, GW_CHILD);
    }
    // Picks the system menu's entry, as clicking it does.
    void Ask(int command) {
        ::SendMessageA(frame, WM_SYSCOMMAND, static_cast<WPARAM>(command), 0);
        host.Settle();
    }

    const CMapStringToString planet = Planet("Alpha", "17", "Terra", {{"Production", "Capital"}});
    TestHost host;
    HWND frame = nullptr;
    HWND view = nullptr;
};

TEST_F(BestPlanTest, YesAppliesThePlanTheModelFindsAndNoChangesNothing) {
    const struct {
        int command;
        PlanGoal goal;
    } menuEntries[] = {{ModuleContract::kPlanShipsCommandId, PlanGoal::Ships},
                       {ModuleContract::kPlanProductionCommandId, PlanGoal::Production}};
    std::vector<GridEdit> edits;
    for (const auto& entry : menuEntries) {
        SCOPED_TRACE(PlanGoals::Name(entry.goal));
        const Planned planned = PlanAfter(planet, edits, entry.goal);
        {
            const MessageBoxWatcher watcher({}, IDNO);
            Ask(entry.command);
            ASSERT_EQ(1u, watcher.Shown().size());
            EXPECT_EQ(ModuleContract::kMessageCaption, watcher.Shown()[0].caption);
            EXPECT_EQ(planned.question, watcher.Shown()[0].text);
            EXPECT_EQ(ExpectedGrid(planet, edits), ShownGrid(frame));
        }
        const MessageBoxWatcher watcher({}, IDYES);
        Ask(entry.command);
        ASSERT_EQ(1u, watcher.Shown().size());
        EXPECT_EQ(ExpectedGrid(planet, planned.edits), ShownGrid(frame));
        edits = planned.edits; // the next plan starts from this one
    }
}

TEST_F(BestPlanTest, TextBeingTypedCountsBeforeThePlan) {
    const HWND cell = ::GetDlgItem(view, ModuleContract::CellId(1, 3)); // Col delivered in row 3
    RealInput::Focus(host.mainWindow, cell);
    host.Settle();
    RealInput::PressKey(VK_HOME);
    RealInput::PressKey(VK_END, true);
    RealInput::TypeText("500");
    host.Settle();
    const Planned planned = PlanAfter(planet, {{&CZentharoDoc::m_colIn, 3, "500"}}, PlanGoal::Production);
    const MessageBoxWatcher watcher({}, IDYES);
    Ask(ModuleContract::kPlanProductionCommandId);
    ASSERT_EQ(1u, watcher.Shown().size());
    EXPECT_EQ(planned.question, watcher.Shown()[0].text);
    EXPECT_EQ(ExpectedGrid(planet, planned.edits), ShownGrid(frame));
    EXPECT_EQ(cell, ::GetFocus()); // back where the user was typing
}

TEST_F(BestPlanTest, AWindowClosedWhileTheQuestionIsOpenIsLeftAlone) {
    {
        const MessageBoxWatcher watcher([this](HWND) { host.GamesList({}); }, IDYES);
        Ask(ModuleContract::kPlanShipsCommandId);
        ASSERT_EQ(1u, watcher.Shown().size());
    }
    EXPECT_TRUE(host.Projections().empty());
    EXPECT_FALSE(::IsWindow(frame));
    host.GamesList({"Alpha"});
    host.Command("Alpha");
    ASSERT_EQ(1u, host.Projections().size());
    EXPECT_EQ(ExpectedGrid(planet), ShownGrid(host.Projections().front().frame));
}

// While the question is open, the chart (opened for it) draws the plan over the table as it stands,
// dashed; after No, it draws the table as it stands, as before. The picture is kept to be looked at.
TEST_F(BestPlanTest, TheChartShowsThePlanWhileTheQuestionIsOpen) {
    ASSERT_EQ(nullptr, ProjectionWindows::ChartOf(frame));
    HWND chart = nullptr;
    std::vector<std::uint32_t> whileAsked;
    {
        const MessageBoxWatcher watcher(
            [&](HWND) {
                chart = ProjectionWindows::ChartOf(frame);
                if (!chart)
                    return;
                ::UpdateWindow(chart);
                whileAsked = ClientPixels(chart);
                if (const char* path = std::getenv("ZENTHARO_PLAN_SCREENSHOT")) {
                    std::string error;
                    EXPECT_TRUE(Screenshot::SaveBmp(chart, path, error)) << error;
                }
            },
            IDNO);
        Ask(ModuleContract::kPlanShipsCommandId);
        ASSERT_EQ(1u, watcher.Shown().size());
    }
    ASSERT_NE(nullptr, chart) << "no chart while the question was open";
    EXPECT_TRUE(::IsWindowVisible(chart));
    EXPECT_EQ(ExpectedGrid(planet), ShownGrid(frame));
    const std::vector<std::uint32_t> afterNo = ClientPixels(chart);
    EXPECT_NE(whileAsked, afterNo); // the plan and the dashed lines are gone
    // The chart as it stands: drawn again from scratch, the same picture.
    ::InvalidateRect(chart, nullptr, FALSE);
    ::UpdateWindow(chart);
    EXPECT_EQ(afterNo, ClientPixels(chart));
}

// A planet that can build nothing: no question, a message with OK alone, and nothing changed.
TEST_F(BestPlanTest, NothingToGainIsToldWithOkAlone) {
    const CMapStringToString barren = Planet("Alpha", "18", "Rock", {{"Population", "0"}, {"COL", "0"}});
    host.Select(barren);
    host.Command("Alpha");
    ASSERT_EQ(2u, host.Projections().size());
    const HWND rock = host.Projections().back().frame;
    bool okAlone = false;
    const MessageBoxWatcher watcher(
        [&](HWND box) { okAlone = ::GetDlgItem(box, IDOK) && !::GetDlgItem(box, IDYES) && !::GetDlgItem(box, IDNO); },
        IDOK);
    ::SendMessageA(rock, WM_SYSCOMMAND, ModuleContract::kPlanShipsCommandId, 0);
    host.Settle();
    ASSERT_EQ(1u, watcher.Shown().size());
    EXPECT_EQ("The current productions already give the most ship mass (0.00).", watcher.Shown()[0].text);
    EXPECT_TRUE(okAlone);
    EXPECT_EQ(ExpectedGrid(barren), ShownGrid(rock));
    EXPECT_EQ(nullptr, ProjectionWindows::ChartOf(rock)); // nothing to show
}

} // namespace
