// Splitting a traced opening into its steps.
#include "OpeningSteps.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace {

constexpr double kNever = std::numeric_limits<double>::infinity();

std::size_t Index(OpeningStep step) { return static_cast<std::size_t>(step); }

bool Is(TracedCall call, std::initializer_list<TracedCall> calls) {
    return std::find(calls.begin(), calls.end(), call) != calls.end();
}

double FirstStart(const std::vector<TracedEvent>& trace, std::initializer_list<TracedCall> calls,
                  double after = -kNever) {
    double first = kNever;
    for (const TracedEvent& event : trace)
        if (event.start >= after && Is(event.call, calls))
            first = std::min(first, event.start);
    return first;
}

void Count(StepCalls& calls, TracedCall call) {
    using C = TracedCall;
    calls.windowsCreated +=
        Is(call, {C::FrameCreated, C::FormCreated, C::CellCreated, C::ChooserCreated, C::WindowCreated});
    calls.textsWritten += Is(call, {C::CellTextWritten, C::FrameTitled, C::TextWritten});
    calls.textsRead += Is(call, {C::CellTextRead, C::TextRead});
    calls.messagesSent +=
        Is(call, {C::FrameCreated, C::FontHanded, C::ChooserFilled, C::ChooserSelection, C::MessageSent});
}

} // namespace

const char* OpeningStepName(OpeningStep step) {
    static constexpr const char* kNames[kOpeningStepCount] = {
        "frame and view",    "fonts",      "cells", "choosers", "headers", "first recalculation and refresh",
        "show and activate", "first paint"};
    return kNames[Index(step)];
}

double OpeningSteps::TotalMs() const { return std::accumulate(ms.begin(), ms.end(), 0.0); }

OpeningSteps SplitOpening(const std::vector<TracedEvent>& trace, double begin, double returned, double drawn) {
    using C = TracedCall;
    std::array<double, kOpeningStepCount> marker{};
    marker[Index(OpeningStep::FrameAndView)] = begin;
    marker[Index(OpeningStep::Fonts)] = FirstStart(trace, {C::FontCreated});
    marker[Index(OpeningStep::Cells)] = FirstStart(trace, {C::CellCreated});
    marker[Index(OpeningStep::Choosers)] = FirstStart(trace, {C::ChooserCreated});
    const double headers = FirstStart(trace, {C::HeadersWalked});
    marker[Index(OpeningStep::Headers)] = headers;
    marker[Index(OpeningStep::Refresh)] = FirstStart(trace, {C::CellTextRead, C::CellTextWritten, C::ChooserSelection},
                                                     headers == kNever ? -kNever : headers);
    marker[Index(OpeningStep::ShowAndActivate)] = std::min(
        FirstStart(trace, {C::FrameTitled}), FirstStart(trace, {C::WindowShown}, marker[Index(OpeningStep::Cells)]));
    marker[Index(OpeningStep::FirstPaint)] = returned;

    // The steps in the order they happened; each ends where the next one begins.
    std::array<std::size_t, kOpeningStepCount> order{};
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return marker[a] < marker[b]; });
    std::array<double, kOpeningStepCount> stepEnd{};
    for (std::size_t i = 0; i < kOpeningStepCount; ++i) {
        const std::size_t step = order[i];
        stepEnd[step] = i + 1 < kOpeningStepCount ? std::min(marker[order[i + 1]], drawn) : drawn;
    }
    auto stepAt = [&](double time) {
        std::size_t found = Index(OpeningStep::FrameAndView);
        for (std::size_t step : order)
            if (marker[step] <= time)
                found = step;
        return found;
    };

    OpeningSteps steps;
    for (std::size_t step = 0; step < kOpeningStepCount; ++step)
        if (marker[step] != kNever)
            steps.ms[step] = std::max(0.0, stepEnd[step] - marker[step]);
    // Handing a control its font happens inside the creation loops: its time moves to the fonts.
    for (const TracedEvent& event : trace) {
        std::size_t step = stepAt(event.start);
        if (Is(event.call, {C::FontHanded, C::VisibilityAsked}) && step != Index(OpeningStep::Fonts)) {
            const double spent = event.end - event.start;
            steps.ms[step] -= spent;
            steps.ms[Index(OpeningStep::Fonts)] += spent;
            step = Index(OpeningStep::Fonts);
        }
        Count(steps.calls[step], event.call);
    }
    return steps;
}
