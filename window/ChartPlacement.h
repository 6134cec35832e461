// Where a projection's chart opens: beside the projection, inside the screen's work area. Portable, free
// of the window system, so the rule is tested natively; the chart measures the screen and hands it in.
#pragma once

// A rectangle in screen pixels; right and bottom lie just outside it.
struct ScreenBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

namespace ChartPlacement {

// The chart's frame, width x height (cut to the work area when larger), beside the projection's frame:
// right of it, else left of it, level with its top; else below it, else above it, level with its left
// edge; always wholly inside the work area. Where no side has room it stands at the work area's right
// edge, level with the projection's top, over the projection's right part.
ScreenBox Beside(const ScreenBox& projection, const ScreenBox& workArea, int width, int height);

} // namespace ChartPlacement
