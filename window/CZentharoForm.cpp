// The projection grid: laying out the controls, showing the document and taking the user's edits.
#include "CZentharoForm.h"

#include "framework/CResourceException.h"
#include "framework/Clipboard.h"
#include "framework/SelectedObject.h"
#include "framework/WaitCursor.h"
#include "framework/WindowDc.h"
#include "framework/WindowText.h"
#include "model/CZentharoDoc.h"
#include "model/PlanText.h"
#include "model/ProductionChooser.h"
#include "model/ProductionPlanner.h"
#include "model/ProjectionTable.h"
#include "resources/resource.h"
#include "window/GridFonts.h"
#include "window/GridLayout.h"
#include "window/HeaderPlacement.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace {

RECT ToRect(const GridLayout::Box& box) { return {box.left, box.top, box.right, box.bottom}; }

// A header of the form: its static, the grid column the template puts it over, its text's size.
struct FormHeader {
    HWND control;
    int column;
    SIZE text;
};

SIZE TextSize(HWND control) {
    const std::string text = WindowText(control);
    SIZE extent{};
    if (const WindowDc dc(control); dc) {
        const SelectedObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0)));
        ::GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
    }
    return extent;
}

// The form's statics, each with the column under its place in the template. The form's own controls
// come first, in the template's order; the walk stops at the first cell rather than pass the 360
// controls made after them. None when the dialog units cannot be worked out.
std::vector<FormHeader> FindHeaders(HWND form, int columns, int firstCellId) {
    std::vector<FormHeader> headers;
    RECT fourUnits{0, 0, 4, 8};
    if (!::MapDialogRect(form, &fourUnits) || fourUnits.right <= 0)
        return headers;
    for (HWND child = ::GetWindow(form, GW_CHILD); child && ::GetDlgCtrlID(child) != firstCellId;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        char className[16];
        if (!::GetClassNameA(child, className, sizeof className) || lstrcmpiA(className, "Static") != 0)
            continue;
        RECT rect;
        ::GetWindowRect(child, &rect);
        ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&rect), 2);
        const double centerUnits = (rect.left + rect.right) / 2.0 * 4 / fourUnits.right;
        headers.push_back({child, GridLayout::ColumnUnderUnits(centerUnits, columns), TextSize(child)});
    }
    return headers;
}

} // namespace

CRuntimeClass CZentharoForm::classCZentharoForm = {"CZentharoForm", []() -> CObject* { return new CZentharoForm; }};

CZentharoForm::CZentharoForm() : CFormView(IDD_ZENTHARO_FORM) {}

CZentharoDoc* CZentharoForm::GetDocument() const { return static_cast<CZentharoDoc*>(m_pDocument); }

// The document is worked out before the cells exist, so that each cell is made with its first text and
// the first refresh only has the choosers' selections to set.
void CZentharoForm::OnInitialUpdate() {
    CZentharoDoc& document = *GetDocument();
    m_scale = ScreenScale::Of(m_hWnd);
    CreateFonts();
    document.Recalculate(0);
    CreateCells(document);
    CreateChoosers();
    HandFonts();
    LayOutForm();
    m_updating = true;
    for (int row = 0; row < kRows; ++row)
        ShowProduction(row, document.m_production[row]);
    m_updating = false;
    CFormView::OnInitialUpdate();
}

// The text the cell shows for the document: the turn as stored, the other columns formatted into
// buffer (kFormattedSize + 1 bytes). Either way the text is followed by a terminating zero.
std::string_view CZentharoForm::CellText(const CZentharoDoc& document, int column, int row, char* buffer) {
    if (column == 0)
        return document.m_turn[row].View();
    char* end = NumberText::FormatNumberInto((document.*kDocumentColumns[column].member)[row].View(), buffer);
    *end = '\0';
    return std::string_view(buffer, static_cast<std::size_t>(end - buffer));
}

// Each step throws when the window system refuses a font or control: a grid is whole or not shown.
void CZentharoForm::CreateFonts() {
    if (!m_cellFont.CreateFontIndirect(GridFonts::CellRequest(m_scale)) ||
        !m_chooserFont.CreateFontIndirect(GridFonts::ChooserRequest(m_scale)))
        AfxThrowResourceException();
}

// Column by column, top to bottom: the creation order is also the tab order.
void CZentharoForm::CreateCells(const CZentharoDoc& document) {
    for (int column = 0; column < kColumns; ++column) {
        // An input cell scrolls as the user types past its width; without it the edit control drops
        // every keystroke that does not fit, and a long number would be stored cut short.
        const DWORD kind = kDocumentColumns[column].editable ? ES_AUTOHSCROLL : ES_READONLY;
        for (int row = 0; row < kRows; ++row) {
            CEdit& cell = m_edit[kRows * column + row];
            char text[NumberText::kFormattedSize + 1];
            if (!cell.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_CENTER | kind, WS_EX_STATICEDGE,
                             ToRect(GridLayout::Cell(m_scale, column, row)), m_hWnd,
                             kFirstCellId + kRows * column + row, CellText(document, column, row, text).data()))
                AfxThrowResourceException();
        }
    }
}

void CZentharoForm::CreateChoosers() {
    for (int row = 0; row < kRows; ++row) {
        CComboBox& chooser = m_combo[row];
        if (!chooser.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_SORT | CBS_DROPDOWNLIST,
                            ToRect(GridLayout::Chooser(m_scale, row)), m_hWnd, kFirstChooserId + row))
            AfxThrowResourceException();
        for (const char* entry : ProductionChooser::kEntriesAdded)
            if (chooser.AddString(entry) < 0)
                AfxThrowResourceException();
    }
}

// In one pass once every control exists: under Wine, a font handed to each control as it is made slows
// the making of the controls after it (the cells took up to twice as long).
void CZentharoForm::HandFonts() {
    const bool visible = ::IsWindowVisible(m_hWnd) != FALSE;
    for (CEdit& cell : m_edit)
        cell.SetFont(m_cellFont.GetSafeHandle(), visible);
    for (CComboBox& chooser : m_combo)
        chooser.SetFont(m_chooserFont.GetSafeHandle(), visible);
}

// The template lays the form out in dialog units, which grow with the dialog font, while the grid is
// laid out by the screen's scale: the two meet only at the standard metrics. The headers, the Close
// button and the form's extent are therefore placed by the grid's layout too.
void CZentharoForm::LayOutForm() {
    PlaceHeaders();
    const RECT close = ToRect(GridLayout::Close(m_scale));
    ::MoveWindow(::GetDlgItem(m_hWnd, ModuleContract::kCloseCommandId), close.left, close.top, close.right - close.left,
                 close.bottom - close.top, FALSE);
    const GridLayout::Extent form = GridLayout::Form(m_scale);
    SetScrollSizes({form.cx, form.cy});
}

// Each header is found by where the template puts it, over its column, and made as wide as its text
// in its font: centred over the column, apart from its neighbours, ending above the first row.
void CZentharoForm::PlaceHeaders() {
    const std::vector<FormHeader> headers = FindHeaders(m_hWnd, kColumns, static_cast<int>(kFirstCellId));
    std::vector<HeaderPlacement::Header> spans;
    for (const FormHeader& header : headers) {
        const GridLayout::Box column = GridLayout::ColumnSpan(m_scale, header.column);
        spans.push_back({column.left, column.right, header.text.cx});
    }
    const std::vector<int> lefts = HeaderPlacement::Place(spans);
    for (std::size_t i = 0; i < headers.size(); ++i) {
        const SIZE text = headers[i].text;
        if (text.cx <= 0 || text.cy <= 0)
            continue; // not measured: it stays where the template put it
        const int top = std::max(0, GridLayout::HeaderBottom(m_scale) - static_cast<int>(text.cy));
        // One pixel to spare: a static breaks its line at a word when the text does not fit, and the
        // second line of a one-line header would not show.
        ::MoveWindow(headers[i].control, lefts[i], top, text.cx + 1, text.cy, FALSE);
    }
}

// Allocates nothing, so that it cannot fail: after any edit, taken or not, the grid shows the document.
void CZentharoForm::UpdateGrid() noexcept {
    const CZentharoDoc* document = GetDocument();
    if (!document)
        return;
    m_updating = true;
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            char text[NumberText::kFormattedSize + 1];
            ShowCellText(column, row, CellText(*document, column, row, text));
        }
        ShowProduction(row, document->m_production[row]);
    }
    m_updating = false;
}

// Writes only a text that differs from what the cell shows: rewriting an unchanged cell costs a round
// of messages and would clear a selection the dialog manager has just made for the user's typing.
// The text must be followed by a terminating zero.
void CZentharoForm::ShowCellText(int column, int row, std::string_view text) {
    const HWND cell = m_edit[kRows * column + row].GetSafeHwnd();
    char shown[NumberText::kFormattedSize + 2];
    const int copied = ::GetWindowTextA(cell, shown, sizeof shown);
    // A cell holding more than the buffer takes differs from every text the grid shows.
    if (copied < 0 || static_cast<std::size_t>(copied) != text.size() ||
        std::memcmp(shown, text.data(), text.size()) != 0)
        ::SetWindowTextA(cell, text.data());
}

void CZentharoForm::ShowProduction(int row, const CString& production) noexcept {
    CComboBox& chooser = m_combo[row];
    const int position = ProductionChooser::SelectedPosition(production.View());
    if (chooser.GetCurSel() != position)
        chooser.SetCurSel(position);
}

BOOL CZentharoForm::OnCommand(WPARAM wParam, LPARAM lParam) {
    struct ControlRange {
        UINT code, first, last;
        void (CZentharoForm::*handler)(UINT id);
    };
    static constexpr ControlRange kMessageMap[] = {
        {EN_KILLFOCUS, kFirstCellId, kFirstCellId + kColumns * kRows - 1, &CZentharoForm::OnCellKillFocus},
        {CBN_SELCHANGE, kFirstChooserId, kFirstChooserId + kRows - 1, &CZentharoForm::OnProductionSelChange},
    };
    const UINT id = LOWORD(wParam), code = HIWORD(wParam);
    if (lParam) {
        for (const ControlRange& entry : kMessageMap) {
            if (code == entry.code && id >= entry.first && id <= entry.last) {
                if (!m_updating) // the program's own changes are not the user's
                    (this->*entry.handler)(id);
                return TRUE;
            }
        }
    }
    return CFormView::OnCommand(wParam, lParam);
}

// An edit either is taken whole (stored, recalculated and shown) or leaves the table as it was: when
// memory runs out on the way, the grid shows the table as before and the user hears it.
template <typename Edit>
void CZentharoForm::TakeEdit(Edit edit) {
    try {
        edit();
    } catch (const std::bad_alloc&) {
        ::MessageBeep(MB_ICONHAND);
    }
    UpdateGrid();
}

void CZentharoForm::OnCellKillFocus(UINT id) {
    CZentharoDoc* document = GetDocument();
    if (!document)
        return; // the view is being destroyed after its document
    const int cell = static_cast<int>(id - kFirstCellId);
    const DocumentColumn& column = kDocumentColumns[cell / kRows];
    const int row = cell % kRows;
    TakeEdit([&] {
        if (column.editable)
            document->SetInput(column.member, row, CString(WindowText(m_edit[cell].GetSafeHwnd())));
        else
            document->Recalculate(0); // nothing new: stopped half-way it would leave every text as it is
    });
}

void CZentharoForm::OnProductionSelChange(UINT id) {
    CZentharoDoc* document = GetDocument();
    if (!document)
        return;
    const int row = static_cast<int>(id - kFirstChooserId);
    const HWND chooser = m_combo[row].GetSafeHwnd();
    const int selected = static_cast<int>(::SendMessageA(chooser, CB_GETCURSEL, 0, 0));
    const int length = static_cast<int>(::SendMessageA(chooser, CB_GETLBTEXTLEN, selected, 0));
    if (selected < 0 || length < 0)
        return;
    TakeEdit([&] {
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        ::SendMessageA(chooser, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(length));
        document->SetInput(&CZentharoDoc::m_production, row, CString(text));
    });
}

BOOL CZentharoForm::OnCmdMsg(UINT id) {
    switch (id) {
    case ID_EDIT_COPY_TABLE:
        CopyTable();
        return TRUE;
    case ID_PLAN_SHIPS:
        OfferBestPlan(PlanGoal::Ships, 0);
        return TRUE;
    case ID_PLAN_PRODUCTION:
        OfferBestPlan(PlanGoal::Production, 0);
        return TRUE;
    default:
        return CFormView::OnCmdMsg(id);
    }
}

// The plan is made for the table as the grid shows it, text still being typed into a cell included;
// the message box takes the focus too, and an edit taken then would change the table under the plan.
// Returns the cell left, to give the focus back to.
HWND CZentharoForm::TakePendingEdit() {
    const HWND focus = ::GetFocus();
    if (!focus || ::GetParent(focus) != m_hWnd)
        return nullptr;
    const UINT id = static_cast<UINT>(::GetDlgCtrlID(focus));
    if (id < kFirstCellId || id >= kFirstCellId + kColumns * kRows)
        return nullptr;
    ::SetFocus(::GetDlgItem(m_hWnd, ID_FILE_CLOSE)); // the cell reports losing the focus, and is taken
    return focus;
}

void CZentharoForm::OfferBestPlan(PlanGoal goal, int firstRow) noexcept {
    const HWND view = m_hWnd;
    HWND cellLeft = nullptr;
    try {
        cellLeft = TakePendingEdit();
        OfferBestPlanFor(goal, firstRow);
    } catch (const std::exception&) {
        ::MessageBeep(MB_ICONHAND); // no plan (memory ran out), and nothing changed
    }
    if (cellLeft && ::IsWindow(view) && ::IsWindow(cellLeft))
        ::SetFocus(cellLeft);
}

void CZentharoForm::OfferBestPlanFor(PlanGoal goal, int firstRow) {
    const HWND view = m_hWnd;
    const CZentharoDoc* document = GetDocument();
    if (!document || firstRow < 0 || firstRow > kLastPlannedRow)
        return;
    ProductionPlan plan;
    {
        const WaitCursor waiting;
        plan = ProductionPlanner(*document, goal, firstRow).Plan();
    }
    // Everything Yes needs is made before the question: after it, only the document's own all-or-nothing
    // edit can fail.
    std::vector<CString> productions;
    for (int row = plan.firstRow; row <= kLastPlannedRow; ++row)
        productions.emplace_back(plan.Entry(row));
    const std::string question = PlanText::Question(*document, plan);
    const int answer =
        ::MessageBoxA(view, question.c_str(), ModuleContract::kMessageCaption, MB_YESNO | MB_ICONQUESTION);
    // The box runs the thread's messages: the window may have been closed meanwhile.
    if (answer != IDYES || !::IsWindow(view) || !GetDocument())
        return;
    TakeEdit([&] { GetDocument()->SetInputs(&CZentharoDoc::m_production, plan.firstRow, productions); });
}

// The rows as the grid shows them, which is the document: every edit taken is shown at once, and text
// still being typed into a cell counts once the cell is left. The host's texts are Windows-1251. A copy
// that cannot be made is heard, and changes nothing it should not (see Clipboard::PutText).
void CZentharoForm::CopyTable() noexcept {
    constexpr UINT kHostCodePage = 1251;
    const CZentharoDoc* document = GetDocument();
    if (!document)
        return;
    try {
        if (Clipboard::PutText(m_hWnd, ProjectionTable::TabSeparated(*document, "\r\n"), kHostCodePage))
            return;
    } catch (const std::bad_alloc&) {
        // nothing was put on the clipboard
    }
    ::MessageBeep(MB_ICONHAND);
}
