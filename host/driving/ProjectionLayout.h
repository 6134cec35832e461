// Where a projection window's form has put its controls, read from outside as the tests check it:
// the form's extent, the headers with their texts' widths, the first and last cell of each column,
// the first and last chooser, the Close button and the grid's fonts.
#pragma once

#include "framework/Win32.h"

#include <string>

namespace ProjectionLayout {

// One line per item, positions in the form's client coordinates as when it is scrolled to its top
// left corner:
//   form cx= cy=                                the extent the form scrolls over
//   header "TEXT" x= y= cx= cy= text=WIDTH      each static, WIDTH its text's width in its font
//   cell COLUMN ROW x= y= cx= cy=               rows 0 and 19 of every column
//   chooser ROW x= y= cx= cy=                   rows 0 and 19, cy the extent of the dropped list
//   close x= y= cx= cy=
//   font cell|chooser height= width=            the logical size of the font the cells, choosers use
std::string Describe(HWND frame);

} // namespace ProjectionLayout
