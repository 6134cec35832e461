// What a host, a test or a timing run may rely on when it works the module's windows from outside:
// the controls' ids, the frame's window class, the menu command, the saved placement in the registry
// and the window title's form. The module builds its windows from these values and the demo host
// finds its way around them with the same values, so the two cannot drift apart.
#pragma once

#include "model/ChartLayout.h"
#include "model/GridColumns.h"
#include "model/ProductionChooser.h"
#include "model/ProjectionColumn.h"
#include "model/ProjectionTitle.h"
#include "resources/resource.h"

namespace ModuleContract {

// The grid: kCellColumns x kRows edit cells, numbered column by column, and one production chooser
// a row.
inline constexpr int kRows = kProjectedTurns;
inline constexpr int kCellColumns = kGridColumnCount;
inline constexpr int kFirstCellId = 5012;
inline constexpr int kFirstChooserId = 10000;

constexpr int CellId(int column, int row) { return kFirstCellId + kRows * column + row; }
constexpr int ChooserId(int row) { return kFirstChooserId + row; }

// The chooser's entries as its sorted list shows them, top to bottom.
inline constexpr const auto& kChooserEntries = ProductionChooser::kEntries;

// The Close button and Escape close the window. The projection's commands are on the context menu of
// its cells and choosers; those of the whole window (Clear all inputs, Copy table) on its system menu.
inline constexpr int kCloseCommandId = ID_FILE_CLOSE;
inline constexpr int kCopyTableCommandId = ID_EDIT_COPY_TABLE;
inline constexpr int kFillLaterTurnsCommandId = ID_EDIT_FILL_LATER;
inline constexpr int kPasteBlockCommandId = ID_EDIT_PASTE_BLOCK;
inline constexpr int kClearInputsCommandId = ID_EDIT_CLEAR_INPUTS;
// Chart is on the frame's system menu too, and Ctrl+Shift+G anywhere in the projection opens it.
inline constexpr int kChartCommandId = ID_VIEW_CHART;
// Best plan for ship mass... and Best plan for production..., on the system menu and the context menus:
// each offers the best plan for its goal in a message box (Yes applies it), from the row of the chooser
// whose context menu it was picked in, otherwise from row 0.
inline constexpr int kPlanShipsCommandId = ID_PLAN_SHIPS;
inline constexpr int kPlanProductionCommandId = ID_PLAN_PRODUCTION;
inline constexpr const char* kPlanShipsItem = "Best plan for ship mass...";
// Undo and Redo, on the system menu and the context menus, each item naming its step ("Undo Fill later
// turns"); Ctrl+Z, and Ctrl+Y or Ctrl+Shift+Z, anywhere in the projection.
inline constexpr int kUndoCommandId = ID_EDIT_UNDO_STEP;
inline constexpr int kRedoCommandId = ID_EDIT_REDO_STEP;
inline constexpr const char* kPlanProductionItem = "Best plan for production...";

// Projection frames are MDI children of this window class; the host tells them from its own by it.
inline constexpr const char* kFrameClassName = "ZentharoFrame";

// A projection's chart is a top-level tool window of this class, owned by the host's main window and
// titled kChartTitlePrefix followed by its projection's title.
inline constexpr const char* kChartClassName = "ZentharoChart";
inline constexpr const char* kChartTitlePrefix = ChartLayout::kTitlePrefix;

// The menu command the module asks the host to add, and which it expects back in OnUserCommand; also
// the caption of the module's message boxes.
inline constexpr const char* kMenuCommand = "Zentharo";
inline constexpr const char* kMessageCaption = "Zentharo";

// Under HKEY_CURRENT_USER: the placement the frame destroyed last leaves for the next, as REG_DWORDs.
inline constexpr const char* kPlacementKey = "SOFTWARE\\Morvane\\PlugIns\\Zentharo";
inline constexpr const char* kPlacementX = "x";
inline constexpr const char* kPlacementY = "y";
inline constexpr const char* kPlacementWidth = "cx";
inline constexpr const char* kPlacementHeight = "cy";
inline constexpr const char* kPlacementValues[] = {kPlacementX, kPlacementY, kPlacementWidth, kPlacementHeight};

// A projection's title: "Zentharo  NAME (#NUM)   GAME:TURN", built by the document, whose form it is.
using ProjectionTitle::ComposeTitle;
using ProjectionTitle::ParseTitle;
using ProjectionTitle::TitleParts;

} // namespace ModuleContract
