// Edits of many cells in one user action, as the projection window makes them and the command-line tool
// repeats them: filling later turns from a cell, laying a block of tab-separated lines onto the grid
// from a cell, and clearing the inputs. Each stores its texts as typed and recalculates once, all or
// nothing, as one step of the document's history. Neither changes a stored text the player did not
// change: a fill copies texts byte for byte, and a pasted field that reads as its cell already shows it
// leaves the cell's text alone, so a copied table pasted back changes nothing. Columns are counted as
// the grid shows them: the 17 cell columns, then the production (the order of kDocumentColumns).
#pragma once

#include "CZentharoDoc.h"
#include "GridColumns.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace GridEdits {

// The production choosers stand right of the cells, as one more column.
constexpr int kProductionColumn = kGridColumnCount;

// Text that holds a tab or a line break is a block; anything else is a single value, which a cell
// takes into its text.
bool IsBlock(std::string_view text);

// Copies the text the input column holds at row, byte for byte, into every later row, then
// recalculates once. A column that is no input, or a row outside 0..19, changes nothing.
void FillLaterTurns(CZentharoDoc& document, int column, int row);
// The same with text, typed into the cell and not yet stored, going into that row and every later one.
void FillLaterTurns(CZentharoDoc& document, int column, int row, const CString& text);

// A block refused for a Production field that names none of the chooser's entries.
struct PasteRefusal {
    int row;          // the grid row the field would have gone to
    std::string text; // the field as the block holds it
};

// Where the fields of a block go when it is laid from (column, row) onto the document: each line on the
// next row, each field on the next column to the right. Fields on computed columns, below row 19 or
// right of the production are left out, and so is an empty production field (the turn keeps its
// production) and a field equal to what its cell or chooser shows (the cell keeps its text). A first
// line equal to the copied table's header line is skipped. Lines may end in CR LF, LF or CR.
struct LaidBlock {
    std::vector<CZentharoDoc::Input> inputs; // in block order
    std::optional<PasteRefusal> refusal;     // the first bad production field; then inputs is empty
    bool lands = false;                      // a field falls on an input cell or a chooser
};
LaidBlock LayBlock(const CZentharoDoc& document, int column, int row, std::string_view block);

// Lays the block and stores its inputs with one recalculation. A refused block changes nothing.
std::optional<PasteRefusal> PasteBlock(CZentharoDoc& document, int column, int row, std::string_view block);

// What was wrong, for the user: the turn and row, the text and the entries it should have named.
std::string Describe(const PasteRefusal& refusal, const CZentharoDoc& document);

} // namespace GridEdits
