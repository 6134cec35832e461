// The view of a projection window: the form with a grid of 17 x 20 cells and 20 production choosers.
// The document is the only store: after every change the document recalculates and the grid is
// brought back in line with it.
#pragma once

#include "CZentharoChart.h"
#include "contract/ModuleContract.h"
#include "framework/CControl.h"
#include "framework/CFont.h"
#include "framework/CFormView.h"
#include "framework/CRuntimeClass.h"
#include "framework/CString.h"
#include "model/GridColumns.h"
#include "model/PlanGoal.h"
#include "window/ProjectionCommands.h"
#include "window/ScreenScale.h"

#include <optional>
#include <string>

class CZentharoDoc;

class CZentharoForm : public CFormView {
public:
    static CRuntimeClass classCZentharoForm;

    static constexpr UINT kFirstCellId = ModuleContract::kFirstCellId;
    static constexpr UINT kFirstChooserId = ModuleContract::kFirstChooserId;
    static constexpr int kRows = ModuleContract::kRows;
    static constexpr int kColumns = ModuleContract::kCellColumns;

    CZentharoForm();
    CZentharoDoc* GetDocument() const;

    void OnInitialUpdate() override;
    // Brings every cell and chooser, and the chart when it is open, in line with the document.
    void UpdateGrid() noexcept;
    static CString FormatNumber(CString text) { return NumberText::FormatNumber(text.View()); }

    void OnCellKillFocus(UINT id);
    void OnProductionSelChange(UINT id);
    // The projection's commands (ProjectionCommands.h), for the focused cell or chooser; other
    // commands as every view.
    BOOL OnCmdMsg(UINT id) override;
    // The projection's frame was hidden or shown: its chart follows.
    void OnProjectionShown(bool shown) noexcept { m_chart.FollowProjection(shown); }

    // The grid's keys: Enter and Shift+Enter store and move down or up, Up and Down move, in a cell
    // and between closed choosers; Escape takes back what is being typed into a cell. Then the
    // commands' keys, and the context menu's right button, Shift+F10 and Menu key on a cell or
    // chooser. A dropped list keeps the platform's keys, and Alt+Down and F4 drop it.
    BOOL PreTranslateMessage(MSG* message) override;

    // A command's item as the menus show it, its key included: "Undo Fill later turns\tCtrl+Z".
    std::string CommandText(const ProjectionCommand& command, HWND control) const;
    // Brings the items of the whole window's commands in the frame's system menu up to date: their
    // texts, and greyed where they cannot act. historyOnly: Undo and Redo alone.
    void ShowCommandsIn(HMENU systemMenu, bool historyOnly) const noexcept;

    // The commands of the projection's menus and keys. control is the cell or chooser they were asked
    // in, or nullptr.
    // Undo takes back the text being typed into the focused cell first, then the document's steps.
    void Undo(HWND control);
    bool CanUndo(HWND control) const;
    std::string UndoText(HWND control) const;
    // Redo waits while a cell holds typing: taking a step again would write over it.
    void Redo(HWND control);
    bool CanRedo(HWND control) const;
    std::string RedoText(HWND control) const;
    void FillLaterTurns(HWND control);
    bool CanFillLaterTurns(HWND control) const;
    void PasteBlock(HWND control);
    bool CanPasteBlock(HWND control) const;
    void ClearAllInputs(HWND control);
    void CopyTable(HWND control) noexcept;
    void OpenChart(HWND control) noexcept;
    // The best plan for a goal, from the chooser's row when asked in a chooser, otherwise from row 0:
    // searched under the wait cursor, shown with a question, applied with one recalculation on Yes.
    void PlanShips(HWND control) noexcept;
    void PlanProduction(HWND control) noexcept;
    // Row 19's chooser has no later turn to plan for.
    bool CanPlan(HWND control) const;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The context menu of a cell (the edit control's text commands, then the projection's) or of a
    // chooser (the projection's).
    BOOL OnContextMenu(HWND window, POINT screen) override;
    // The chart goes with the view, before the document it draws.
    void OnDestroy() override;

private:
    void CreateFonts();
    static std::string_view CellText(const CZentharoDoc& document, int column, int row, char* buffer);
    void CreateCells(const CZentharoDoc& document);
    void CreateChoosers();
    void HandFonts();
    void LayOutForm();
    void PlaceHeaders();
    void ShowCellText(int column, int row, std::string_view text, HWND focus);
    void ShowProduction(int row, const CString& production) noexcept;
    template <typename Edit>
    void TakeEdit(Edit edit);

    // A control of the grid: a cell of column 0..16, or the chooser (kChooserColumn), and its row.
    struct GridPlace {
        int column;
        int row;
    };
    static constexpr int kChooserColumn = kColumns;
    std::optional<GridPlace> PlaceOf(HWND window) const;
    HWND ControlAt(GridPlace place) const;
    BOOL OnKeyDown(const MSG& message, const std::optional<GridPlace>& place);
    void MoveFrom(GridPlace place, int rowStep, bool storeAtEdge);
    void RunCommand(const ProjectionCommand& command, HWND control);
    bool AppendCommands(HMENU menu, HWND control, bool cell) const;
    bool AppendEditItems(HMENU menu, HWND cell) const;
    void RunEditItem(UINT item, HWND cell);
    // The focused cell when it holds text the user typed and has not stored yet, else nullptr.
    HWND TypingCell() const;
    static bool HoldsTyping(HWND cell);
    // The cell shows the document's text again, nothing stored.
    void TakeBackTyping(HWND cell);
    // Shows the user a message; the control that had the focus gets it back, its text unstored.
    void Tell(const std::string& text, HWND control);
    std::optional<std::string> ClipboardBlock() const;
    int FirstPlannedRow(HWND control) const;
    void OfferBestPlan(PlanGoal goal, HWND control) noexcept;
    void OfferBestPlanFrom(PlanGoal goal, int firstRow, HWND focus);

    ScreenScale m_scale; // the screen's, taken as the window opens
    // The fonts outlive the controls that use them: members are destroyed in reverse order.
    CFont m_cellFont;
    CFont m_chooserFont;
    CComboBox m_combo[kRows];
    CEdit m_edit[kColumns * kRows];
    bool m_updating = false; // set while the program itself changes the controls
    bool m_telling = false;  // set while a message of the view is shown
    CZentharoChart m_chart;
};
