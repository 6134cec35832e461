// The projection grid: laying out the controls, showing the document and taking the user's edits.
#include "CZentharoForm.h"

#include "framework/CResourceException.h"
#include "framework/Clipboard.h"
#include "framework/SelectedObject.h"
#include "framework/UniqueHandle.h"
#include "framework/WaitCursor.h"
#include "framework/WindowDc.h"
#include "framework/WindowText.h"
#include "model/CZentharoDoc.h"
#include "model/GridEdits.h"
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
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

RECT ToRect(const GridLayout::Box& box) { return {box.left, box.top, box.right, box.bottom}; }

// The host's texts are Windows-1251, whatever the system's code page.
constexpr UINT kHostCodePage = 1251;

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

// Shift+F10 and the Menu key ask for the focused control's context menu.
bool IsContextMenuKey(const MSG& message) {
    const bool shift = ::GetKeyState(VK_SHIFT) < 0, control = ::GetKeyState(VK_CONTROL) < 0;
    return message.wParam == VK_APPS || (message.wParam == VK_F10 && shift && !control);
}

// The edit control's own text commands, as the platform's menu of an edit offers them.
enum EditItem : UINT { kCut = 1, kCopy, kPaste, kDelete, kSelectAll };

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

// Cannot fail: after any edit, taken or not, the grid shows the document. Only the system menu's texts
// allocate, and a text that cannot be made leaves the item as it was.
void CZentharoForm::UpdateGrid() noexcept {
    const CZentharoDoc* document = GetDocument();
    if (!document)
        return;
    m_updating = true;
    const HWND focus = ::GetFocus();
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            char text[NumberText::kFormattedSize + 1];
            ShowCellText(column, row, CellText(*document, column, row, text), focus);
        }
        ShowProduction(row, document->m_production[row]);
    }
    m_updating = false;
    m_chart.Refresh();
    // A maximised window's system menu opens from the host's menu bar, which tells the host, not the
    // frame: the steps it names are kept up to date here.
    if (const HWND frame = GetParentFrame(); ::IsZoomed(frame))
        if (const HMENU systemMenu = ::GetSystemMenu(frame, FALSE))
            ShowCommandsIn(systemMenu, true);
}

// Writes only a text that differs from what the cell shows: rewriting an unchanged cell costs a round
// of messages and would clear a selection the dialog manager has just made for the user's typing.
// A text the program writes is no typing of the user's, whatever the platform's text setting leaves
// of the cell's modification flag; only the focused cell can hold typing (a cell left is stored and
// its flag cleared). The text must be followed by a terminating zero.
void CZentharoForm::ShowCellText(int column, int row, std::string_view text, HWND focus) {
    const HWND cell = m_edit[kRows * column + row].GetSafeHwnd();
    char shown[NumberText::kFormattedSize + 2];
    const int copied = ::GetWindowTextA(cell, shown, sizeof shown);
    // A cell holding more than the buffer takes differs from every text the grid shows.
    if (copied < 0 || static_cast<std::size_t>(copied) != text.size() ||
        std::memcmp(shown, text.data(), text.size()) != 0) {
        ::SetWindowTextA(cell, text.data());
        if (cell == focus)
            ::SendMessageA(cell, EM_SETMODIFY, FALSE, 0);
    }
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

// A cell stores its text only when the user changed it: a cell the focus merely passes keeps its text
// with every digit the grid does not show. Leaving any cell recalculates and refreshes all the same.
void CZentharoForm::OnCellKillFocus(UINT id) {
    CZentharoDoc* document = GetDocument();
    if (!document)
        return; // the view is being destroyed after its document
    if (m_telling)
        return; // a message took the focus for a moment: the cell is still being edited
    const int cell = static_cast<int>(id - kFirstCellId);
    const DocumentColumn& column = kDocumentColumns[cell / kRows];
    const int row = cell % kRows;
    const HWND cellWindow = m_edit[cell].GetSafeHwnd();
    const bool typed = column.editable && HoldsTyping(cellWindow);
    TakeEdit([&] {
        if (typed)
            document->SetInput(column.member, row, CString(WindowText(cellWindow)));
        else
            document->Recalculate(0); // nothing new: stopped half-way it would leave every text as it is
    });
    ::SendMessageA(cellWindow, EM_SETMODIFY, FALSE, 0);
}

bool CZentharoForm::HoldsTyping(HWND cell) { return ::SendMessageA(cell, EM_GETMODIFY, 0, 0) != 0; }

HWND CZentharoForm::TypingCell() const {
    const HWND focus = ::GetFocus();
    const std::optional<GridPlace> place = PlaceOf(focus);
    if (!place || place->column == kChooserColumn || !kDocumentColumns[place->column].editable)
        return nullptr;
    return HoldsTyping(focus) ? focus : nullptr;
}

void CZentharoForm::TakeBackTyping(HWND cell) {
    const std::optional<GridPlace> place = PlaceOf(cell);
    const CZentharoDoc* document = GetDocument();
    if (!place || place->column == kChooserColumn || !document)
        return;
    char text[NumberText::kFormattedSize + 1];
    m_updating = true;
    ::SetWindowTextA(cell, CellText(*document, place->column, place->row, text).data());
    ::SendMessageA(cell, EM_SETMODIFY, FALSE, 0);
    m_updating = false;
    ::SendMessageA(cell, EM_SETSEL, 0, -1); // typing replaces the content, as after Tab
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

std::string CZentharoForm::CommandText(const ProjectionCommand& command, HWND control) const {
    return ProjectionCommands::MenuText(command, command.label ? (this->*command.label)(control) : command.text);
}

void CZentharoForm::ShowCommandsIn(HMENU systemMenu, bool historyOnly) const noexcept {
    for (const ProjectionCommand& command : ProjectionCommandTable{}) {
        if (!command.wholeWindow || (historyOnly && !command.label))
            continue;
        const bool enabled = !command.available || (this->*command.available)(nullptr);
        const UINT state = MF_BYCOMMAND | MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED);
        try {
            ::ModifyMenuA(systemMenu, command.id, state, command.id, CommandText(command, nullptr).c_str());
        } catch (const std::bad_alloc&) {
            ::EnableMenuItem(systemMenu, command.id, state); // the item keeps its text
        }
    }
}

bool CZentharoForm::CanUndo(HWND) const {
    const CZentharoDoc* document = GetDocument();
    return TypingCell() || (document && document->History().NextUndo());
}

bool CZentharoForm::CanRedo(HWND) const {
    const CZentharoDoc* document = GetDocument();
    return !TypingCell() && document && document->History().NextRedo();
}

std::string CZentharoForm::UndoText(HWND) const {
    const CZentharoDoc* document = GetDocument();
    if (TypingCell())
        return std::string("Undo ") + EditSteps::Name(EditStep::Typing);
    const EditHistory::Step* step = document ? document->History().NextUndo() : nullptr;
    return step ? std::string("Undo ") + EditSteps::Name(step->kind) : "Undo";
}

std::string CZentharoForm::RedoText(HWND) const {
    const CZentharoDoc* document = GetDocument();
    const EditHistory::Step* step = document ? document->History().NextRedo() : nullptr;
    return step ? std::string("Redo ") + EditSteps::Name(step->kind) : "Redo";
}

void CZentharoForm::Undo(HWND) {
    if (const HWND typing = TypingCell()) {
        TakeBackTyping(typing);
        return;
    }
    if (CZentharoDoc* document = GetDocument())
        TakeEdit([&] { document->Undo(); });
}

void CZentharoForm::Redo(HWND) {
    CZentharoDoc* document = GetDocument();
    if (document && !TypingCell())
        TakeEdit([&] { document->Redo(); });
}

BOOL CZentharoForm::OnCmdMsg(UINT id) {
    const ProjectionCommand* command = ProjectionCommands::WithId(id);
    if (!command)
        return CFormView::OnCmdMsg(id);
    // A command without a key comes from the system menu: it is the whole window's.
    const HWND focus = ::GetFocus();
    RunCommand(*command, command->key.virtualKey && PlaceOf(focus) ? focus : nullptr);
    return TRUE;
}

void CZentharoForm::OnDestroy() {
    m_chart.Close();
    CFormView::OnDestroy();
}

// A chart that cannot be opened (no window or memory left) is heard, and nothing of it stays.
void CZentharoForm::OpenChart(HWND) noexcept {
    const CZentharoDoc* document = GetDocument();
    if (!document)
        return;
    try {
        if (m_chart.Open(GetParentFrame(), *document, m_scale))
            return;
    } catch (const std::bad_alloc&) {
        m_chart.Close();
    }
    ::MessageBeep(MB_ICONHAND);
}

void CZentharoForm::RunCommand(const ProjectionCommand& command, HWND control) {
    if (command.available && !(this->*command.available)(control)) {
        ::MessageBeep(MB_ICONHAND); // the clipboard changed since the key or the menu was read, say
        return;
    }
    (this->*command.run)(control);
}

std::optional<CZentharoForm::GridPlace> CZentharoForm::PlaceOf(HWND window) const {
    if (!window || ::GetParent(window) != m_hWnd)
        return std::nullopt;
    const int id = ::GetDlgCtrlID(window);
    const int cell = id - static_cast<int>(kFirstCellId), chooser = id - static_cast<int>(kFirstChooserId);
    if (cell >= 0 && cell < kColumns * kRows)
        return GridPlace{cell / kRows, cell % kRows};
    if (chooser >= 0 && chooser < kRows)
        return GridPlace{kChooserColumn, chooser};
    return std::nullopt;
}

HWND CZentharoForm::ControlAt(GridPlace place) const {
    if (place.column == kChooserColumn)
        return m_combo[place.row].GetSafeHwnd();
    return m_edit[kRows * place.column + place.row].GetSafeHwnd();
}

BOOL CZentharoForm::PreTranslateMessage(MSG* message) {
    const std::optional<GridPlace> place = PlaceOf(message->hwnd);
    if (place && place->column == kChooserColumn && m_combo[place->row].GetDroppedState())
        return FALSE;
    switch (message->message) {
    case WM_RBUTTONDOWN:
        return place.has_value(); // the menu opens as the button comes up
    case WM_RBUTTONUP:
        if (!place)
            return FALSE;
        ::PostMessageA(m_hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(message->hwnd),
                       MAKELPARAM(message->pt.x, message->pt.y));
        return TRUE;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (IsContextMenuKey(*message))
            return place.has_value(); // the menu opens as the key comes up
        return OnKeyDown(*message, place);
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (!place || !IsContextMenuKey(*message))
            return FALSE;
        ::PostMessageA(m_hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(message->hwnd), MAKELPARAM(-1, -1));
        return TRUE;
    default:
        return FALSE;
    }
}

// Commands run from the view's queue rather than inside the keyboard hook: a paste may tell the user
// something, and a message box's loop should not run inside a hook.
BOOL CZentharoForm::OnKeyDown(const MSG& message, const std::optional<GridPlace>& place) {
    const WORD key = static_cast<WORD>(message.wParam);
    const bool control = ::GetKeyState(VK_CONTROL) < 0, shift = ::GetKeyState(VK_SHIFT) < 0;
    if (::GetKeyState(VK_MENU) < 0)
        return FALSE;
    if (const ProjectionCommand* command = ProjectionCommands::ForKey(key, control, shift)) {
        const HWND where = place ? message.hwnd : nullptr;
        if ((!command->wholeWindow && !where) || (command->available && !(this->*command->available)(where))) {
            if (!command->keyAlwaysTaken)
                return FALSE;           // Ctrl+V of a single value pastes into the cell's text, say
            ::MessageBeep(MB_ICONHAND); // nothing to undo: the cell's own undo must not act instead
            return TRUE;
        }
        ::PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(command->id, 1), 0);
        return TRUE; // also when held down: each repeat runs it again
    }
    if (!place || control)
        return FALSE;
    if (key == VK_ESCAPE && !shift && message.hwnd == TypingCell()) {
        TakeBackTyping(message.hwnd); // as every grid does; Escape elsewhere closes the window
        return TRUE;
    }
    if (key == VK_RETURN) {
        MoveFrom(*place, shift ? -1 : 1, true);
        return TRUE;
    }
    // In a closed chooser too: there the arrows would change the production, one entry a press.
    if ((key == VK_UP || key == VK_DOWN) && !shift) {
        MoveFrom(*place, key == VK_UP ? -1 : 1, false);
        return TRUE;
    }
    return FALSE;
}

// To the same column rowStep rows on; focusing it stores the cell left, as every focus change does.
// Where there is no such row, Enter (storeAtEdge) stores the cell and stays; an arrow does nothing.
void CZentharoForm::MoveFrom(GridPlace place, int rowStep, bool storeAtEdge) {
    const bool cell = place.column != kChooserColumn;
    const int row = place.row + rowStep;
    HWND selected = nullptr;
    if (row >= 0 && row < kRows) {
        selected = ControlAt({place.column, row});
        ::SetFocus(selected);
        ScrollToShow(selected);
    } else if (cell && storeAtEdge) {
        OnCellKillFocus(static_cast<UINT>(kFirstCellId + kRows * place.column + place.row));
        selected = ControlAt(place);
    }
    if (cell && selected) // typing replaces the content, as after Tab
        ::SendMessageA(selected, EM_SETSEL, 0, -1);
}

BOOL CZentharoForm::OnContextMenu(HWND window, POINT screen) {
    const std::optional<GridPlace> place = PlaceOf(window);
    if (!place)
        return FALSE;
    // The menu's commands act on the control it belongs to, as on the focused one: a right-click
    // focuses it first, storing the cell it leaves.
    const HWND frame = GetParentFrame(), client = ::GetParent(frame);
    if (reinterpret_cast<HWND>(::SendMessageA(client, WM_MDIGETACTIVE, 0, 0)) != frame)
        ::SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(frame), 0);
    if (::GetFocus() != window)
        ::SetFocus(window);
    if (screen.x == -1 && screen.y == -1) { // from the keyboard: below the control
        RECT rect;
        ::GetWindowRect(window, &rect);
        screen = {rect.left, rect.bottom};
    }

    // A menu is shown whole or not at all.
    const UniqueMenu menu(::CreatePopupMenu());
    const bool made = menu && AppendCommands(menu.Get(), window, place->column != kChooserColumn);
    if (!made) {
        ::MessageBeep(MB_ICONHAND);
        return TRUE;
    }
    const HWND self = m_hWnd;
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                           screen.x, screen.y, 0, self, nullptr));
    // The menu's loop ran the host's messages: the window may have gone meanwhile.
    if (!chosen || CWnd::FromHandlePermanent(self) != this || !::IsWindow(window))
        return TRUE;
    if (const ProjectionCommand* command = ProjectionCommands::WithId(chosen))
        RunCommand(*command, window);
    else
        RunEditItem(chosen, window);
    return TRUE;
}

// The projection's commands, each greyed where it cannot act; in a cell's menu the edit control's own
// commands follow the first group (Undo and Redo), which serves the typing too.
bool CZentharoForm::AppendCommands(HMENU menu, HWND control, bool cell) const {
    for (const ProjectionCommand& command : ProjectionCommandTable{}) {
        const bool enabled = !command.available || (this->*command.available)(control);
        if (!::AppendMenuA(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), command.id,
                           CommandText(command, control).c_str()))
            return false;
        if (command.endsGroup &&
            !(::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr) && (!cell || AppendEditItems(menu, control))))
            return false;
    }
    return true;
}

// Cut, Copy, Paste, Delete and Select All, each available as the edit control makes it, then a
// separator before the projection's other commands.
bool CZentharoForm::AppendEditItems(HMENU menu, HWND cell) const {
    const bool readOnly = (::GetWindowLongA(cell, GWL_STYLE) & ES_READONLY) != 0;
    DWORD start = 0, end = 0;
    ::SendMessageA(cell, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const bool selection = end > start;
    const DWORD length = static_cast<DWORD>(::GetWindowTextLengthA(cell));
    const struct {
        UINT item;
        const char* text;
        bool enabled;
    } items[] = {
        {kCut, "Cu&t", !readOnly && selection},
        {kCopy, "&Copy", selection},
        {kPaste, "&Paste", !readOnly && ::IsClipboardFormatAvailable(CF_TEXT)},
        {kDelete, "&Delete", !readOnly && selection},
        {0, nullptr, false},
        {kSelectAll, "Select &All", length > 0 && !(start == 0 && end >= length)},
        {0, nullptr, false},
    };
    for (const auto& item : items) {
        const BOOL appended =
            item.text ? ::AppendMenuA(menu, MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED), item.item, item.text)
                      : ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        if (!appended)
            return false;
    }
    return true;
}

// Paste with a block on the clipboard lays the block, as Ctrl+V does: one cell taking "500<tab>20"
// would read as 500 alone.
void CZentharoForm::RunEditItem(UINT item, HWND cell) {
    static constexpr struct {
        UINT item, message;
        WPARAM wParam;
        LPARAM lParam;
    } kMessages[] = {
        {kCut, WM_CUT, 0, 0},      {kCopy, WM_COPY, 0, 0},         {kPaste, WM_PASTE, 0, 0},
        {kDelete, WM_CLEAR, 0, 0}, {kSelectAll, EM_SETSEL, 0, -1},
    };
    if (item == kPaste && ClipboardBlock()) {
        PasteBlock(cell);
        return;
    }
    for (const auto& entry : kMessages)
        if (entry.item == item)
            ::SendMessageA(cell, entry.message, entry.wParam, entry.lParam);
}

bool CZentharoForm::CanFillLaterTurns(HWND control) const {
    const std::optional<GridPlace> place = PlaceOf(control);
    return place && (place->column == kChooserColumn || kDocumentColumns[place->column].editable);
}

// What the control's row holds, byte for byte, or what was typed into the cell, goes into its row and
// every later row, in one recalculation.
void CZentharoForm::FillLaterTurns(HWND control) {
    const std::optional<GridPlace> place = PlaceOf(control);
    CZentharoDoc* document = GetDocument();
    if (!place || !document)
        return;
    const bool typed = place->column != kChooserColumn && HoldsTyping(control);
    TakeEdit([&] {
        if (typed)
            GridEdits::FillLaterTurns(*document, place->column, place->row, CString(WindowText(control)));
        else
            GridEdits::FillLaterTurns(*document, place->column, place->row);
    });
    if (typed)
        ::SendMessageA(control, EM_SETMODIFY, FALSE, 0);
}

std::optional<std::string> CZentharoForm::ClipboardBlock() const {
    std::optional<std::string> text = Clipboard::GetText(m_hWnd, kHostCodePage);
    if (text && !GridEdits::IsBlock(*text))
        text.reset();
    return text;
}

// Where some field of the block would fall on an input cell or a chooser.
bool CZentharoForm::CanPasteBlock(HWND control) const {
    const std::optional<GridPlace> place = PlaceOf(control);
    const CZentharoDoc* document = GetDocument();
    if (!place || !document)
        return false;
    const std::optional<std::string> block = ClipboardBlock();
    return block && GridEdits::LayBlock(*document, place->column, place->row, *block).lands;
}

// The block on the clipboard, laid from the control. A block naming a production that is none of the
// chooser's entries changes nothing, not even the text being typed, and the user is told why.
void CZentharoForm::PasteBlock(HWND control) {
    const std::optional<GridPlace> place = PlaceOf(control);
    CZentharoDoc* document = GetDocument();
    if (!place || !document)
        return;
    std::string refusal;
    try {
        const std::optional<std::string> block = ClipboardBlock();
        if (!block) {
            ::MessageBeep(MB_ICONHAND);
            return;
        }
        if (const auto refused = GridEdits::PasteBlock(*document, place->column, place->row, *block))
            refusal = "Nothing was pasted: " + GridEdits::Describe(*refused, *document) +
                      ".\n\nA Production field must name one of them exactly, or be empty to keep the turn's "
                      "production.";
    } catch (const std::bad_alloc&) {
        ::MessageBeep(MB_ICONHAND);
    }
    if (!refusal.empty()) {
        Tell(refusal, control);
        return;
    }
    UpdateGrid();
    if (::IsWindow(control) && place->column != kChooserColumn)
        ::SendMessageA(control, EM_SETMODIFY, FALSE, 0); // the block took the place of any typing
}

void CZentharoForm::Tell(const std::string& text, HWND control) {
    const HWND self = m_hWnd;
    m_telling = true;
    ::MessageBoxA(::GetAncestor(self, GA_ROOT), text.c_str(), ModuleContract::kMessageCaption,
                  MB_OK | MB_ICONEXCLAMATION);
    if (CWnd::FromHandlePermanent(self) != this)
        return; // closed while the message was shown
    m_telling = false;
    if (::IsWindow(control))
        ::SetFocus(control);
}

void CZentharoForm::ClearAllInputs(HWND) {
    if (CZentharoDoc* document = GetDocument())
        TakeEdit([&] { document->ClearInputs(); });
}

// The rows as the grid shows them, which is the document: every edit taken is shown at once, and text
// still being typed into a cell counts once the cell is left. A copy that cannot be made is heard, and
// changes nothing it should not (see Clipboard::PutText).
void CZentharoForm::CopyTable(HWND) noexcept {
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

void CZentharoForm::PlanShips(HWND control) noexcept { OfferBestPlan(PlanGoal::Ships, control); }

void CZentharoForm::PlanProduction(HWND control) noexcept { OfferBestPlan(PlanGoal::Production, control); }

bool CZentharoForm::CanPlan(HWND control) const { return FirstPlannedRow(control) <= kLastPlannedRow; }

int CZentharoForm::FirstPlannedRow(HWND control) const {
    const std::optional<GridPlace> place = PlaceOf(control);
    return place && place->column == kChooserColumn ? place->row : 0;
}

void CZentharoForm::OfferBestPlan(PlanGoal goal, HWND control) noexcept {
    const HWND self = m_hWnd;
    // The plan is made for the table as the grid shows it: text still being typed into a cell counts.
    const HWND focus = ::GetFocus();
    const std::optional<GridPlace> focused = PlaceOf(focus);
    try {
        if (focused && focused->column != kChooserColumn)
            OnCellKillFocus(static_cast<UINT>(kFirstCellId + kRows * focused->column + focused->row));
        OfferBestPlanFrom(goal, FirstPlannedRow(control), focus);
    } catch (const std::exception&) {
        ::MessageBeep(MB_ICONHAND); // no plan (memory ran out), and nothing changed
    }
    if (CWnd::FromHandlePermanent(self) == this)
        m_telling = false;
}

void CZentharoForm::OfferBestPlanFrom(PlanGoal goal, int firstRow, HWND focus) {
    const HWND self = m_hWnd;
    const CZentharoDoc* document = GetDocument();
    if (!document)
        return;
    ProductionPlan plan;
    {
        const WaitCursor waiting;
        plan = ProductionPlanner(*document, goal, firstRow).Plan();
    }
    // Everything Yes needs is made before the question: after it, only the document's own
    // all-or-nothing edit can fail.
    const std::vector<CZentharoDoc::Input> productions = plan.Inputs(*document);
    const bool gains = plan.changedRows > 0;
    const std::string text = gains ? PlanText::Question(*document, plan) : PlanText::NothingToGain(plan);
    // The plan seen before it is answered: the chart, opened if need be, draws the planned table over the
    // table as it stands. A chart that cannot open leaves the question as it is.
    std::unique_ptr<CZentharoDoc> planned;
    if (gains) {
        planned = std::make_unique<CZentharoDoc>(document->m_planet);
        planned->m_bAutoDelete = false;
        planned->CopyTable(*document);
        planned->SetInputs(productions, EditStep::Plan);
        if (m_chart.Open(GetParentFrame(), *document, m_scale))
            m_chart.ShowPlan(planned.get());
    }
    m_telling = true; // the box takes the focus for a while: the cell left has been stored already
    const int answer = ::MessageBoxA(::GetAncestor(self, GA_ROOT), text.c_str(), ModuleContract::kMessageCaption,
                                     gains ? MB_YESNO | MB_ICONQUESTION : MB_OK | MB_ICONINFORMATION);
    if (CWnd::FromHandlePermanent(self) != this)
        return; // closed while the question was open, and its chart with it
    m_chart.ShowPlan(nullptr);
    m_telling = false;
    if (::IsWindow(focus) && ::IsChild(self, focus))
        ::SetFocus(focus);
    if (gains && answer == IDYES && GetDocument())
        TakeEdit([&] { GetDocument()->SetInputs(productions, EditStep::Plan); });
}
