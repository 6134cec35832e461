// Real input into projection windows, and their grid read back.
#include "ProjectionDriver.h"

#include "ClipboardText.h"
#include "MenuPicker.h"
#include "ProjectionWindows.h"
#include "RealInput.h"

#include "contract/ModuleContract.h"
#include "framework/WindowText.h"

namespace {

using ModuleContract::kCellColumns;
using ModuleContract::kChooserEntries;
using ModuleContract::kRows;

// The projection of planet NUM of GAME, told by its title.
bool TitleNames(const std::string& title, const std::string& game, const std::string& num) {
    const auto parts = ModuleContract::ParseTitle(title);
    return parts && parts->num == num && parts->game == game;
}

std::string ChooserEntry(HWND chooser) {
    const LRESULT selected = ::SendMessageA(chooser, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR)
        return "";
    std::string text(static_cast<std::size_t>(::SendMessageA(chooser, CB_GETLBTEXTLEN, selected, 0)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        ::SendMessageA(chooser, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

RECT RectIn(HWND window, HWND parent) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Scrolls the view a line at a time, as clicking its scroll bars' arrows does, until the control lies
// wholly inside it. False when the view cannot scroll that far, or is too small to hold the control.
bool ScrollIntoView(HWND view, HWND control) {
    for (int step = 0; step < 1000; ++step) {
        RECT client{};
        ::GetClientRect(view, &client);
        const RECT rect = RectIn(control, view);
        if (rect.right - rect.left > client.right || rect.bottom - rect.top > client.bottom)
            return false;
        UINT message = WM_VSCROLL;
        int code = -1;
        if (rect.top < client.top)
            code = SB_LINEUP;
        else if (rect.bottom > client.bottom)
            code = SB_LINEDOWN;
        else if (rect.left < client.left)
            message = WM_HSCROLL, code = SB_LINEUP;
        else if (rect.right > client.right)
            message = WM_HSCROLL, code = SB_LINEDOWN;
        if (code < 0)
            return true;
        ::SendMessageA(view, message, MAKEWPARAM(code, 0), 0);
        const RECT moved = RectIn(control, view);
        if (moved.left == rect.left && moved.top == rect.top)
            return false;
    }
    return false;
}

// Where a click opens the frame's system menu: the icon at the left of its title bar.
bool SystemMenuIcon(HWND frame, POINT& icon) {
    RECT rect{};
    ::GetWindowRect(frame, &rect);
    for (int y = rect.top; y < rect.top + 40; ++y)
        for (int x = rect.left; x < rect.left + 40; ++x)
            if (::SendMessageA(frame, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTSYSMENU) {
                icon = {x + 4, y + 4};
                ::ScreenToClient(frame, &icon);
                return true;
            }
    return false;
}

} // namespace

HWND ProjectionDriver::Find(const std::string& game, const std::string& num, std::string& error) const {
    for (HWND child = ::GetWindow(m_client, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!ProjectionWindows::IsProjection(child) || !TitleNames(WindowText(child), game, num))
            continue;
        if (!::IsWindowVisible(child)) {
            error = "the projection of planet " + num + " of '" + game + "' is hidden";
            return nullptr;
        }
        return child;
    }
    error = "no projection of planet " + num + " of '" + game + "' is open";
    return nullptr;
}

void ProjectionDriver::FocusInside(HWND frame, HWND target) const {
    ::SendMessageA(m_client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(frame), 0);
    RealInput::Focus(m_main, target);
    m_settle();
}

HWND ProjectionDriver::Control(HWND frame, int column, int row, std::string& error) const {
    if (column < 0 || column > kCellColumns || row < 0 || row >= kRows) {
        error = "COLUMN must be 0.." + std::to_string(kCellColumns) + " (" + std::to_string(kCellColumns) +
                ": the chooser) and ROW 0.." + std::to_string(kRows - 1);
        return nullptr;
    }
    const int id = column == kCellColumns ? ModuleContract::ChooserId(row) : ModuleContract::CellId(column, row);
    return ::GetDlgItem(View(frame), id);
}

bool ProjectionDriver::Type(HWND frame, int column, int row, const std::string& text, const std::string& key,
                            std::string& error) const {
    if (column < 0 || column >= kCellColumns || row < 0 || row >= kRows) {
        error = "COLUMN must be 0.." + std::to_string(kCellColumns - 1) + " and ROW 0.." + std::to_string(kRows - 1);
        return false;
    }
    const HWND cell = ::GetDlgItem(View(frame), ModuleContract::CellId(column, row));
    FocusInside(frame, cell);
    RealInput::PressKey(VK_HOME);
    RealInput::PressKey(VK_END, true); // select the whole content, so typing replaces it
    RealInput::PressKey(VK_DELETE);
    RealInput::TypeText(text);
    if (key != "none" && !Press(key)) {
        error = "KEY must be Tab, Enter, Shift+Enter, Up, Down or none, not '" + key + "'";
        return false;
    }
    m_settle();
    return true;
}

bool ProjectionDriver::Choose(HWND frame, int row, const std::string& entry, std::string& error) const {
    int position = -1;
    for (std::size_t i = 0; i < kChooserEntries.size(); ++i)
        if (entry == kChooserEntries[i])
            position = static_cast<int>(i);
    if (row < 0 || row >= kRows || position < 0) {
        error = "ROW must be 0.." + std::to_string(kRows - 1) + " and ENTRY one of ";
        for (std::size_t i = 0; i < kChooserEntries.size(); ++i)
            error += (i ? ", " : "") + std::string(kChooserEntries[i]);
        return false;
    }
    const HWND view = View(frame);
    const HWND chooser = ::GetDlgItem(view, ModuleContract::ChooserId(row));
    // The list drops below the chooser where it is now: a user scrolls a chooser into sight first.
    if (!ScrollIntoView(view, chooser)) {
        error = "the chooser of row " + std::to_string(row) + " cannot be scrolled into view";
        return false;
    }
    FocusInside(frame, chooser);
    RealInput::PressKey(VK_F4); // drop the list
    m_settle();
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    RECT item{};
    if (!::GetComboBoxInfo(chooser, &info) || !info.hwndList ||
        ::SendMessageA(info.hwndList, LB_GETITEMRECT, position, reinterpret_cast<LPARAM>(&item)) == LB_ERR) {
        error = "the chooser's list did not open";
        return false;
    }
    RealInput::Click(info.hwndList, {(item.left + item.right) / 2, (item.top + item.bottom) / 2});
    m_settle();
    if (ChooserEntry(chooser) != entry) {
        error = "clicking '" + entry + "' in the list of row " + std::to_string(row) + " did not choose it";
        return false;
    }
    return true;
}

bool ProjectionDriver::Press(const std::string& key) {
    struct NamedKey {
        const char* name;
        WORD virtualKey;
        bool shift, control;
    };
    static constexpr NamedKey kKeys[] = {
        {"Escape", VK_ESCAPE, false, false},
        {"Tab", VK_TAB, false, false},
        {"Shift+Tab", VK_TAB, true, false},
        {"Enter", VK_RETURN, false, false},
        {"Shift+Enter", VK_RETURN, true, false},
        {"Up", VK_UP, false, false},
        {"Down", VK_DOWN, false, false},
        {"Ctrl+D", 'D', false, true},
        {"Ctrl+V", 'V', false, true},
        {"Shift+F10", VK_F10, true, false},
        {"Menu", VK_APPS, false, false},
    };
    for (const NamedKey& named : kKeys) {
        if (key == named.name) {
            RealInput::PressKey(named.virtualKey, named.shift, named.control);
            return true;
        }
    }
    return false;
}

bool ProjectionDriver::Key(HWND frame, const std::string& key, std::string& menu, std::string& error) const {
    const HWND focus = ::GetFocus();
    if (!focus || (focus != frame && !::IsChild(frame, focus)))
        FocusInside(frame, View(frame));
    if (key == "Shift+F10" || key == "Menu") {
        std::vector<MenuPicker::Item> items;
        std::string noMenu;
        const auto open = [&] {
            Press(key);
            m_settle();
        };
        if (MenuPicker::Run(open, "", items, noMenu))
            menu = MenuPicker::Describe(items);
        return true;
    }
    if (!Press(key)) {
        error = "KEY must be Escape, Tab, Shift+Tab, Enter, Shift+Enter, Up, Down, Ctrl+D, Ctrl+V, Shift+F10 or Menu";
        return false;
    }
    m_settle();
    return true;
}

bool ProjectionDriver::Focus(HWND frame, int column, int row, std::string& error) const {
    const HWND control = Control(frame, column, row, error);
    if (!control)
        return false;
    FocusInside(frame, control);
    return true;
}

std::string ProjectionDriver::Focused(HWND frame) const {
    const HWND focus = ::GetFocus();
    if (!focus || ::GetParent(focus) != View(frame))
        return "other";
    const int id = ::GetDlgCtrlID(focus);
    const int cell = id - ModuleContract::kFirstCellId, chooser = id - ModuleContract::kFirstChooserId;
    if (cell >= 0 && cell < kCellColumns * kRows)
        return "cell " + std::to_string(cell / kRows) + " " + std::to_string(cell % kRows);
    if (chooser >= 0 && chooser < kRows)
        return "chooser " + std::to_string(chooser);
    return "other";
}

bool ProjectionDriver::PickFromMenu(HWND frame, int column, int row, const std::string& item,
                                    std::string& error) const {
    const HWND control = Control(frame, column, row, error);
    if (!control)
        return false;
    if (!ScrollIntoView(View(frame), control)) {
        error = "the control cannot be scrolled into view";
        return false;
    }
    ::SendMessageA(m_client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(frame), 0);
    RealInput::Focus(m_main, ::GetFocus() && ::IsChild(frame, ::GetFocus()) ? ::GetFocus() : View(frame));
    m_settle();
    RECT rect{};
    ::GetClientRect(control, &rect);
    std::vector<MenuPicker::Item> items;
    return MenuPicker::Run(
        [&] {
            RealInput::RightClick(control, {rect.right / 2, rect.bottom / 2});
            m_settle();
        },
        item, items, error);
}

std::string ProjectionDriver::Grid(HWND frame) const {
    const HWND view = View(frame);
    std::string grid;
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kCellColumns; ++column)
            grid += WindowText(::GetDlgItem(view, ModuleContract::CellId(column, row))) + '\t';
        grid += ChooserEntry(::GetDlgItem(view, ModuleContract::ChooserId(row)));
        grid += row + 1 < kRows ? "\n" : "";
    }
    return grid;
}

bool ProjectionDriver::Copy(HWND frame, std::string& text, std::string& error) const {
    if (!ClipboardText::Clear(m_main, error)) // whatever is read afterwards, the key put there
        return false;
    const HWND focus = ::GetFocus();
    if (!focus || (focus != frame && !::IsChild(frame, focus)))
        FocusInside(frame, View(frame));
    RealInput::PressKey('C', true, true);
    m_settle();
    std::string copied;
    if (!ClipboardText::Read(m_main, copied, error))
        return false;
    text.clear();
    for (std::size_t i = 0; i < copied.size(); ++i)
        if (!(copied[i] == '\r' && i + 1 < copied.size() && copied[i + 1] == '\n'))
            text += copied[i];
    return true;
}

bool ProjectionDriver::PickFromSystemMenu(HWND frame, const std::string& item, std::string& error) const {
    POINT icon{};
    if (::IsZoomed(frame) || !SystemMenuIcon(frame, icon)) {
        error = "the window's system menu icon cannot be clicked";
        return false;
    }
    FocusInside(frame, ::GetFocus() && ::IsChild(frame, ::GetFocus()) ? ::GetFocus() : View(frame));
    std::vector<MenuPicker::Item> items;
    return MenuPicker::Run(
        [&] {
            RealInput::Click(frame, icon);
            m_settle();
        },
        item, items, error);
}

bool ProjectionDriver::Move(HWND frame, int x, int y, int cx, int cy, std::string& error) const {
    if (cx <= 0 || cy <= 0) {
        error = "CX and CY must be positive";
        return false;
    }
    ::ShowWindow(frame, SW_RESTORE);
    ::MoveWindow(frame, x, y, cx, cy, TRUE);
    m_settle();
    return true;
}
