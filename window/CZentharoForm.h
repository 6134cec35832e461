// The view of a projection window: the form with a grid of 17 x 20 cells and 20 production choosers.
// The document is the only store: after every change the document recalculates and the grid is
// brought back in line with it.
#pragma once

#include "contract/ModuleContract.h"
#include "framework/CControl.h"
#include "framework/CFont.h"
#include "framework/CFormView.h"
#include "framework/CRuntimeClass.h"
#include "framework/CString.h"
#include "model/GridColumns.h"
#include "model/PlanGoal.h"
#include "window/ScreenScale.h"

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
    // Brings every cell and chooser in line with the document.
    void UpdateGrid() noexcept;
    static CString FormatNumber(CString text) { return NumberText::FormatNumber(text.View()); }

    void OnCellKillFocus(UINT id);
    void OnProductionSelChange(UINT id);
    // Copy table (ID_EDIT_COPY_TABLE) puts the projection on the clipboard; the best plans
    // (ID_PLAN_SHIPS, ID_PLAN_PRODUCTION) are offered from row 0; other commands as every view.
    BOOL OnCmdMsg(UINT id) override;
    // Searches the best plan for the goal from firstRow (0..18) under the wait cursor, shows it and asks
    // whether to apply it; Yes stores the plan's productions with one recalculation, No changes nothing.
    void OfferBestPlan(PlanGoal goal, int firstRow) noexcept;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void CreateFonts();
    static std::string_view CellText(const CZentharoDoc& document, int column, int row, char* buffer);
    void CreateCells(const CZentharoDoc& document);
    void CreateChoosers();
    void HandFonts();
    void LayOutForm();
    void PlaceHeaders();
    void ShowCellText(int column, int row, std::string_view text);
    void ShowProduction(int row, const CString& production) noexcept;
    template <typename Edit>
    void TakeEdit(Edit edit);
    void CopyTable() noexcept;
    HWND TakePendingEdit();
    void OfferBestPlanFor(PlanGoal goal, int firstRow);

    ScreenScale m_scale; // the screen's, taken as the window opens
    // The fonts outlive the controls that use them: members are destroyed in reverse order.
    CFont m_cellFont;
    CFont m_chooserFont;
    CComboBox m_combo[kRows];
    CEdit m_edit[kColumns * kRows];
    bool m_updating = false; // set while the program itself changes the controls
};
