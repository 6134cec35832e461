// How the Wine timing harness splits a traced opening of a projection window into its steps.
#include "bench/wine/OpeningSteps.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using C = TracedCall;

struct StepCase {
    const char* name;
    std::vector<TracedEvent> trace;
    double returned, drawn;
    // frame and view, fonts, cells, choosers, headers, refresh, show and activate, first paint
    std::array<double, kOpeningStepCount> expected;
};

// The view shown as it is made; two cells and one chooser, each handed its font as it is made; then
// headers, refresh and title.
const std::vector<TracedEvent> kOpeningAsBuilt = {
    {C::FrameCreated, 1, 9},         {C::FormCreated, 3, 8},      {C::WindowShown, 8.5, 8.8},
    {C::FontCreated, 10, 10.5},      {C::FontCreated, 10.5, 11},  {C::CellCreated, 12, 13},
    {C::VisibilityAsked, 13, 13.2},  {C::FontHanded, 13.2, 14},   {C::CellCreated, 14, 15},
    {C::VisibilityAsked, 15, 15.2},  {C::FontHanded, 15.2, 16},   {C::ChooserCreated, 20, 22},
    {C::VisibilityAsked, 22, 22.5},  {C::FontHanded, 22.5, 23},   {C::ChooserFilled, 23, 24},
    {C::HeadersWalked, 30, 30.1},    {C::TextRead, 30.2, 30.3},   {C::MessageSent, 30.3, 30.4},
    {C::WindowMoved, 30.5, 31},      {C::CellTextRead, 40, 40.1}, {C::CellTextWritten, 40.1, 41},
    {C::ChooserSelection, 41, 41.5}, {C::FrameTitled, 50, 50.5},  {C::WindowShown, 50.5, 52},
};

TEST(OpeningSteps, EachStepRunsFromItsFirstCallToTheNextStepsAndFontsGatherTheirHanding) {
    const StepCase cases[] = {
        {"as built: fonts handed inside the creation loops move to the fonts",
         kOpeningAsBuilt,
         55,
         100,
         {10, 2 + 3, 8 - 2, 10 - 1, 10, 10, 5, 45}},
        {"cells made with their texts, no headers: the refresh begins with the choosers' selection",
         {{C::FrameCreated, 1, 5},
          {C::FontCreated, 6, 7},
          {C::CellCreated, 8, 9},
          {C::FontHanded, 9, 9.5},
          {C::ChooserCreated, 10, 12},
          {C::ChooserSelection, 13, 14},
          {C::FrameTitled, 20, 21}},
         22,
         30,
         {6, 2.5, 1.5, 3, 0, 7, 2, 8}},
        {"a chooser selected as it is made belongs to the choosers, not the refresh after the headers",
         {{C::FontCreated, 1, 1.5},
          {C::CellCreated, 2, 3},
          {C::ChooserCreated, 4, 5},
          {C::ChooserSelection, 5, 6},
          {C::HeadersWalked, 7, 7.5},
          {C::CellTextRead, 9, 9.5},
          {C::FrameTitled, 11, 11.5}},
         12,
         14,
         {1, 1, 2, 3, 2, 2, 1, 2}},
        {"the view shown once its controls exist begins the showing, before the title",
         {{C::FrameCreated, 1, 2},
          {C::FontCreated, 3, 3.5},
          {C::CellCreated, 4, 5},
          {C::ChooserCreated, 6, 7},
          {C::HeadersWalked, 8, 8.5},
          {C::ChooserSelection, 9, 9.5},
          {C::WindowShown, 10, 11},
          {C::FrameTitled, 12, 12.5}},
         13,
         14,
         {3, 1, 2, 2, 1, 1, 3, 1}},
        {"headers laid out before the cells: steps follow the order they happened in",
         {{C::FontCreated, 1, 1.5},
          {C::HeadersWalked, 2, 2.5},
          {C::CellCreated, 4, 5},
          {C::ChooserCreated, 6, 7},
          {C::CellTextRead, 8, 8.5},
          {C::FrameTitled, 9, 9.5}},
         10,
         12,
         {1, 1, 2, 2, 2, 1, 1, 2}},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.name);
        const OpeningSteps steps = SplitOpening(c.trace, 0, c.returned, c.drawn);
        for (std::size_t step = 0; step < kOpeningStepCount; ++step)
            EXPECT_DOUBLE_EQ(c.expected[step], steps.ms[step]) << OpeningStepName(static_cast<OpeningStep>(step));
        EXPECT_DOUBLE_EQ(c.drawn, steps.TotalMs());
    }
}

TEST(OpeningSteps, CountsTheCallsOfEachStep) {
    const OpeningSteps steps = SplitOpening(kOpeningAsBuilt, 0, 55, 100);
    const struct {
        OpeningStep step;
        int windows, written, read, messages;
    } cases[] = {
        {OpeningStep::FrameAndView, 2, 0, 0, 1},    {OpeningStep::Fonts, 0, 0, 0, 3},
        {OpeningStep::Cells, 2, 0, 0, 0},           {OpeningStep::Choosers, 1, 0, 0, 1},
        {OpeningStep::Headers, 0, 0, 1, 1},         {OpeningStep::Refresh, 0, 1, 1, 1},
        {OpeningStep::ShowAndActivate, 0, 1, 0, 0}, {OpeningStep::FirstPaint, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(OpeningStepName(c.step));
        const StepCalls& calls = steps.calls[static_cast<std::size_t>(c.step)];
        EXPECT_EQ(c.windows, calls.windowsCreated);
        EXPECT_EQ(c.written, calls.textsWritten);
        EXPECT_EQ(c.read, calls.textsRead);
        EXPECT_EQ(c.messages, calls.messagesSent);
    }
}

} // namespace
