// Filling, sorting and selecting the planet list.
#include "PlanetList.h"

#include "PlanetColumns.h"
#include "framework/Cp1251.h"

namespace {

void SetCellText(HWND list, int row, int column, const CString& bytes) {
    std::wstring text = Cp1251::ToWide(bytes.View());
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int RowOf(HWND list, std::size_t planet) {
    LVFINDINFOA find{};
    find.flags = LVFI_PARAM;
    find.lParam = static_cast<LPARAM>(planet);
    return static_cast<int>(
        ::SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

} // namespace

bool PlanetList::Create(HWND parent, int id, const std::vector<CMapStringToString>& planets) {
    m_planets = &planets;
    m_hwnd = ::CreateWindowExA(0, WC_LISTVIEWA, "",
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 0,
                               0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    if (!m_hwnd)
        return false;
    ListView_SetExtendedListViewStyle(m_hwnd, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    AddColumns();
    for (std::size_t planet = 0; planet < planets.size(); ++planet)
        AddRow(planet);
    return true;
}

void PlanetList::AddColumns() {
    for (std::size_t index = 0; index < PlanetColumns::kCount; ++index) {
        const PlanetColumn& shown = PlanetColumns::At(index);
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = shown.numeric ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.cx = shown.width;
        column.pszText = const_cast<char*>(shown.title);
        ::SendMessageA(m_hwnd, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
    }
}

void PlanetList::AddRow(std::size_t planet) {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = static_cast<int>(planet);
    item.lParam = static_cast<LPARAM>(planet);
    const int row = static_cast<int>(::SendMessageA(m_hwnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    const CMapStringToString& record = (*m_planets)[planet];
    for (std::size_t column = 0; column < PlanetColumns::kCount; ++column) {
        CString value;
        record.Lookup(PlanetColumns::At(column).key, value);
        SetCellText(m_hwnd, row, static_cast<int>(column), value);
    }
}

void PlanetList::Resize(int width, int height) { ::MoveWindow(m_hwnd, 0, 0, width, height, TRUE); }

void PlanetList::SortBy(std::size_t column) {
    m_descending = m_sorted && m_sortColumn == column && !m_descending;
    m_sortColumn = column;
    m_sorted = true;
    ::SendMessageA(m_hwnd, LVM_SORTITEMS, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&CompareRows));
    if (const auto selected = Selected())
        ::SendMessageA(m_hwnd, LVM_ENSUREVISIBLE, RowOf(m_hwnd, *selected), FALSE);
}

int CALLBACK PlanetList::CompareRows(LPARAM first, LPARAM second, LPARAM list) {
    const PlanetList& self = *reinterpret_cast<const PlanetList*>(list);
    const auto& planets = *self.m_planets;
    const int order = PlanetColumns::Compare(planets[static_cast<std::size_t>(first)],
                                             planets[static_cast<std::size_t>(second)], self.m_sortColumn);
    // Equal values keep the file's order, whichever way the column sorts.
    if (order == 0)
        return first < second ? -1 : (first > second ? 1 : 0);
    return self.m_descending ? -order : order;
}

bool PlanetList::Select(std::size_t planet) {
    const int row = RowOf(m_hwnd, planet);
    if (row < 0)
        return false;
    LVITEMA state{};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(m_hwnd, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    ::SendMessageA(m_hwnd, LVM_ENSUREVISIBLE, row, FALSE);
    return true;
}

std::optional<std::size_t> PlanetList::Selected() const {
    const int row = static_cast<int>(::SendMessageA(m_hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    return PlanetAt(row);
}

std::optional<std::size_t> PlanetList::PlanetAt(int row) const {
    if (row < 0)
        return std::nullopt;
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!::SendMessageA(m_hwnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return std::nullopt;
    return static_cast<std::size_t>(item.lParam);
}

std::optional<std::size_t> PlanetList::NewlySelected(const NMLISTVIEW& change) const {
    const bool nowSelected = (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED);
    if (!(change.uChanged & LVIF_STATE) || !nowSelected)
        return std::nullopt;
    return PlanetAt(change.iItem);
}
