// One column of the projection table: the texts of rows 0..20, row r standing for turn offset r.
#pragma once

#include "framework/CStringArray.h"

using ProjectionColumn = CStringArray;

constexpr int kProjectionRows = 21; // rows 0..20; row 20 is never written after creation
constexpr int kProjectedTurns = 20; // rows 0..19 are shown and recalculated
