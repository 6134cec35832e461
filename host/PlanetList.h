// A game's planets in a report-view list: one row per planet, the columns of PlanetColumns, sorted by
// a click on a column header (a second click reverses the order). Rows remember their planet's index.
#pragma once

#include "framework/Win32.h"

#include "framework/CMapStringToString.h"

#include <commctrl.h>

#include <cstddef>
#include <optional>
#include <vector>

class PlanetList {
public:
    // Creates the list as a child of parent and fills it. The planets must outlive the list.
    bool Create(HWND parent, int id, const std::vector<CMapStringToString>& planets);
    HWND Handle() const { return m_hwnd; }
    void Resize(int width, int height);

    void SortBy(std::size_t column);
    // Selects a planet's row and makes it the focused, visible one. Returns false when it has no row.
    bool Select(std::size_t planet);
    std::optional<std::size_t> Selected() const;

    // The planet a change notification from this list newly selects, if any.
    std::optional<std::size_t> NewlySelected(const NMLISTVIEW& change) const;

private:
    static int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM list);
    void AddColumns();
    void AddRow(std::size_t planet);
    std::optional<std::size_t> PlanetAt(int row) const;

    HWND m_hwnd = nullptr; // a child: destroyed with its parent
    const std::vector<CMapStringToString>* m_planets = nullptr;
    std::size_t m_sortColumn = 0;
    bool m_sorted = false;
    bool m_descending = false;
};
