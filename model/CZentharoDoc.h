// The projection of one planet over 20 turns: its table of text cells and the turn-by-turn arithmetic.
#pragma once

#include "EditHistory.h"
#include "ProjectionColumn.h"
#include "framework/CDocument.h"
#include "framework/CMapStringToString.h"
#include "framework/NumberText.h"

#include <array>
#include <cstdint>
#include <vector>

class ClosedTables;

class CZentharoDoc : public CDocument {
public:
    // The keys of a planet record the projection reads; any other key changes nothing.
    static constexpr const char* kRecordKeys[] = {"Name",       "Num", "GameName", "Turn", "Size", "Resource",
                                                  "Population", "COL", "Industry", "CAP",  "MAT",  "Production"};

    // Copies the planet record and lays it into row 0, with the inputs at their defaults.
    explicit CZentharoDoc(const CMapStringToString& planetRecord);

    // Gives the document its window title.
    bool OnNewDocument() override;

    // Rebuilds rows firstRow + 1 .. lastRow from the row before each, then, when lastRow is 19, the L of
    // row 19. Rows after lastRow are left as they were. A first row outside 0..19 changes nothing.
    void Recalculate(int firstRow, int lastRow = kProjectedTurns - 1);

    // Stores text into a cell of an input column (or the production) as typed, then recalculates; all or
    // nothing: when memory runs out on the way, the table is left as it was and the exception goes on.
    // A change of the inputs is a step of the history: Typing, or Production for the production.
    void SetInput(ProjectionColumn CZentharoDoc::*column, int row, const CString& text);

    // Takes every column of another projection's table as it stands.
    void CopyTable(const CZentharoDoc& source);

    // One text for a cell of an input column (or the production), as typed.
    struct Input {
        ProjectionColumn CZentharoDoc::*column;
        int row;
        CString text;
    };
    // Stores every text, in order, then recalculates once: one user action that changes many cells
    // (a fill, a pasted block, a plan), one step of the history when it changed an input. All or
    // nothing, as SetInput.
    void SetInputs(const std::vector<Input>& inputs, EditStep step);

    // Every input and production back to what a new projection has, then one recalculation; all or
    // nothing, as SetInput.
    void ClearInputs();

    // Takes back the last step, or takes again the last step taken back: every input and production as
    // it was, byte for byte, then one recalculation. False when there is none. All or nothing, as
    // SetInput.
    bool Undo();
    bool Redo();
    const EditHistory& History() const { return m_history; }

    // Offers the inputs a closed window of the same planet left (laid onto this table's turns) as the
    // step that Undo takes back first, named Close. For a document no step has changed yet.
    void OfferClosedTable(TableInputs closed) noexcept;
    // When the document goes, its inputs are kept there for a later window of the planet.
    void KeepWhenClosed(ClosedTables* tables) noexcept { m_closedTables = tables; }
    ~CZentharoDoc() override;

    // Whether an input or production differs from what a new projection of the planet has.
    bool HoldsPlayerInputs() const;

    // The turn of row 0.
    std::int64_t FirstTurn() const;

    // Keeps quantity at or below limit by trading with reserve at rate units of quantity per unit of reserve.
    void Transfer(CString& quantity, CString& reserve, CString limit, int rate);

    CString ProjectionTitle();

    CMapStringToString m_planet{10};
    ProjectionColumn m_turn;
    ProjectionColumn m_size;
    ProjectionColumn m_res;
    ProjectionColumn m_pop;
    ProjectionColumn m_col;
    ProjectionColumn m_colIn;
    ProjectionColumn m_ind;
    ProjectionColumn m_cap;
    ProjectionColumn m_capIn;
    ProjectionColumn m_mat;
    ProjectionColumn m_matIn;
    ProjectionColumn m_l;
    ProjectionColumn m_upgrade;
    ProjectionColumn m_bombing;
    ProjectionColumn m_production;
    ProjectionColumn m_needCol;
    ProjectionColumn m_needCap;
    ProjectionColumn m_mass;

private:
    // The inputs that are numbers, and what each holds in a new projection.
    static constexpr ProjectionColumn CZentharoDoc::*kNumberInputs[] = {
        &CZentharoDoc::m_colIn, &CZentharoDoc::m_capIn, &CZentharoDoc::m_matIn, &CZentharoDoc::m_upgrade,
        &CZentharoDoc::m_bombing};
    static constexpr const char* kNoInput = "0";

    void StoreDefaultInputs();
    // Runs change, then the recalculation; when either fails the table is put back and the exception goes on.
    template <typename Change>
    void ChangeTable(Change change);
    // The same, as a step of the history when the inputs changed.
    template <typename Change>
    void ChangeInputs(EditStep step, Change change);
    void RestoreInputs(const TableInputs& inputs);
    // Puts back the inputs the step holds, then tells the history it was taken (Undone or Redone).
    bool TakeStep(const EditHistory::Step* step, void (EditHistory::*taken)(TableInputs) noexcept);

    void BuildRow(int r);
    void BalanceStocks(int r, const CString& sizeLimit);
    void ApplyBombing(int r);
    void ApplyProduction(int r);
    void StoreDerived(int r);
    void StoreL(int row, int sourceRow);
    void SubtractClamped(CString& cell, double amount);

    // Stores a computed value, rounded to 13 significant digits, through the scratch buffer.
    void Store(CString& cell, double value);

    char m_numBuf[NumberText::kBufferSize] = {};

    // The table as it was before the edit in progress, kept to put it back; reused from edit to edit.
    static constexpr std::size_t kColumnCount = 18;
    std::array<ProjectionColumn, kColumnCount> m_saved;
    void SaveTable();
    void RestoreTable() noexcept;

    EditHistory m_history;
    ClosedTables* m_closedTables = nullptr;
};
