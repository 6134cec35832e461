// Best plan in the window: the system menu's two entries ask whether to apply the plan the model
// finds; Yes applies it, No changes nothing; text still being typed counts; and a window closed while
// the question is open is left alone, the host going on.
#include "MessageBoxWatcher.h"
#include "TestHost.h"
#include "host/driving/RealInput.h"
#include "model/PlanText.h"
#include "model/ProductionPlanner.h"

#include <gtest/gtest.h>

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

} // namespace
