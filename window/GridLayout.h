// Where the grid's controls stand in the form, in pixels, and which grid column lies under a point.
#pragma once

namespace GridLayout {

constexpr int kGridLeft = 15, kColumnPitch = 48, kCellWidth = 47;
constexpr int kGridTop = 30, kRowPitch = 21, kCellHeight = 20;
constexpr int kChooserLeft = 831, kChooserRight = 916, kChooserDropHeight = 100;

// What ColumnUnder answers for the choosers' column, right of the cells.
constexpr int kChoosers = -1;

// The grid column of `columns` under pixel x: left of the grid counts as the first column,
// from the choosers' left edge on as kChoosers.
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
