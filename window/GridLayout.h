// Where the projection form's controls stand, in pixels of the form at a screen's scale, and which grid
// column lies under a point. The layout is drawn for the standard screen of 96 dots per inch (the
// constants) and taken to any other by one ScreenScale, so that the form, its headers and the timing
// harness place everything alike.
#pragma once

#include "model/GridColumns.h"
#include "model/ProjectionColumn.h"
#include "window/ScreenScale.h"

#include <algorithm>

namespace GridLayout {

// On the standard screen: the grid's first cell, the step from one column or row to the next, and
// the choosers right of the last column.
constexpr int kGridLeft = 15, kColumnPitch = 48;
constexpr int kGridTop = 30, kRowPitch = 21;
constexpr int kChooserLeft = kGridLeft + kColumnPitch * kGridColumnCount;
constexpr int kChooserWidth = 85, kChooserDropHeight = 100;
// The headers end this far down, above the first row; the Close button stands right of the choosers,
// near the top; the form reaches a little past it and well below the last row.
constexpr int kHeaderBottom = 26;
constexpr int kCloseGap = 22, kCloseTop = 39, kCloseWidth = 75, kCloseHeight = 23;
constexpr int kFormMarginRight = 7, kFormHeight = 510;

// What ColumnUnder answers for the choosers' column, right of the cells.
constexpr int kChoosers = -1;

// A rectangle of the form: right and bottom are the first pixels outside it.
struct Box {
    int left, top, right, bottom;
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
};

// The steps are rounded once and every position is a whole number of them from the grid's corner, so
// that at any scale each cell is one pixel short of the next, as on the standard screen.
constexpr int ColumnPitch(ScreenScale scale) { return scale.Pixels(kColumnPitch); }
constexpr int RowPitch(ScreenScale scale) { return scale.Pixels(kRowPitch); }
constexpr int ColumnLeft(ScreenScale scale, int column) {
    return scale.Pixels(kGridLeft) + ColumnPitch(scale) * column;
}
constexpr int RowTop(ScreenScale scale, int row) { return scale.Pixels(kGridTop) + RowPitch(scale) * row; }

constexpr Box Cell(ScreenScale scale, int column, int row) {
    const int left = ColumnLeft(scale, column), top = RowTop(scale, row);
    return {left, top, left + ColumnPitch(scale) - 1, top + RowPitch(scale) - 1};
}

// A row's chooser with the extent of its dropped list (the closed control is as tall as its font).
constexpr Box Chooser(ScreenScale scale, int row) {
    const int left = ColumnLeft(scale, kGridColumnCount), top = RowTop(scale, row);
    return {left, top, left + scale.Pixels(kChooserWidth), top + scale.Pixels(kChooserDropHeight)};
}

// The pixels a column's header stands over: a cell column's, or the choosers' for kChoosers.
constexpr Box ColumnSpan(ScreenScale scale, int column) {
    const Box span = column == kChoosers ? Chooser(scale, 0) : Cell(scale, column, 0);
    return {span.left, RowTop(scale, 0), span.right, RowTop(scale, kProjectedTurns)};
}

constexpr int HeaderBottom(ScreenScale scale) { return scale.Pixels(kHeaderBottom); }

constexpr Box Close(ScreenScale scale) {
    const int left = Chooser(scale, 0).right + scale.Pixels(kCloseGap), top = scale.Pixels(kCloseTop);
    return {left, top, left + scale.Pixels(kCloseWidth), top + scale.Pixels(kCloseHeight)};
}

// The form's full size, what its view scrolls over: the grid, the choosers and the Close button.
struct Extent {
    int cx, cy;
};
constexpr Extent Form(ScreenScale scale) {
    const int gridBottom = RowTop(scale, kProjectedTurns);
    return {Close(scale).right + scale.Pixels(kFormMarginRight), std::max(scale.Pixels(kFormHeight), gridBottom)};
}

// The grid column of `columns` under pixel x of the standard screen: left of the grid counts as the
// first column, from the choosers' left edge on as kChoosers.
constexpr int ColumnUnder(double x, int columns) {
    if (x >= kChooserLeft)
        return kChoosers;
    const int column = x < kGridLeft ? 0 : static_cast<int>((x - kGridLeft) / kColumnPitch);
    return column < columns ? column : columns - 1;
}

// The same for a point of the form's template, given in dialog units: the template and the grid
// meet at the dialog font's standard metrics, 6 pixels for every 4 horizontal units.
constexpr int ColumnUnderUnits(double x, int columns) { return ColumnUnder(x * 6 / 4, columns); }
} // namespace GridLayout
