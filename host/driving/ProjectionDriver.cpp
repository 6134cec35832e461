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

// Where on the screen the frame's caption answers the hit test with area (its icon, a caption button).
bool CaptionPart(HWND frame, LRESULT area, POINT& point) {
    RECT rect{};
    ::GetWindowRect(frame, &rect);
    for (int y = rect.top; y < rect.top + 40; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (::SendMessageA(frame, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == area) {
                point = {x + 4, y + 4};
                return true;
            }
    return false;
}

// A maximised child's caption buttons are in the host's menu bar, its close box last.
bool CloseBoxInTheMenuBar(HWND mainWindow, POINT& point) {
    const HMENU bar = ::GetMenu(mainWindow);
    RECT item{};
    if (!bar || !::GetMenuItemRect(mainWindow, bar, ::GetMenuItemCount(bar) - 1, &item))
        return false;
    point = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    return true;
}

// Picks Close in a system menu as soon as it shows, by its key, as a user does.
void CALLBACK PickCloseInTheMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND popup = ::FindWindowA("#32768", nullptr);
    if (!popup || !::IsWindowVisible(popup))
        return;
    ::KillTimer(nullptr, timer);
    RealInput::PressKey('C');
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

namespace {

struct NamedKey {
    const char* name;
    WORD virtualKey;
    bool shift, control, alt;
};

constexpr NamedKey kKeys[] = {
    {"Escape", VK_ESCAPE, false, false, false},
    {"Tab", VK_TAB, false, false, false},
    {"Shift+Tab", VK_TAB, true, false, false},
    {"Enter", VK_RETURN, false, false, false},
    {"Shift+Enter", VK_RETURN, true, false, false},
    {"Up", VK_UP, false, false, false},
    {"Down", VK_DOWN, false, false, false},
    {"Alt+Down", VK_DOWN, false, false, true},
    {"F4", VK_F4, false, false, false},
    {"Ctrl+D", 'D', false, true, false},
    {"Ctrl+V", 'V', false, true, false},
    {"Ctrl+Z", 'Z', false, true, false},
    {"Ctrl+Y", 'Y', false, true, false},
    {"Ctrl+Shift+Z", 'Z', true, true, false},
    {"Shift+F10", VK_F10, true, false, false},
    {"Menu", VK_APPS, false, false, false},
};

// "Escape, Tab, ... or Menu".
std::string KeyNames() {
    std::string names;
    for (std::size_t i = 0; i < std::size(kKeys); ++i)
        names.append(i == 0 ? "" : i + 1 == std::size(kKeys) ? " or " : ", ").append(kKeys[i].name);
    return names;
}

} // namespace

bool ProjectionDriver::Press(const std::string& key) {
    for (const NamedKey& named : kKeys) {
        if (key == named.name) {
            RealInput::PressKey(named.virtualKey, named.shift, named.control, named.alt);
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
        error = "KEY must be " + KeyNames();
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

bool ProjectionDriver::Chart(HWND frame, std::string& error) const {
    const HWND focus = ::GetFocus();
    if (!focus || (focus != frame && !::IsChild(frame, focus)))
        FocusInside(frame, View(frame));
    RealInput::PressKey('G', true, true);
    m_settle();
    const HWND chart = ProjectionWindows::ChartOf(frame);
    if (!chart || !::IsWindowVisible(chart)) {
        error = "Ctrl+Shift+G left no chart of the projection open";
        return false;
    }
    return true;
}

bool ProjectionDriver::CloseChart(HWND frame, std::string& error) const {
    const HWND chart = ProjectionWindows::ChartOf(frame);
    if (!chart) {
        error = "the projection has no chart open";
        return false;
    }
    RealInput::Focus(chart, chart);
    m_settle();
    RealInput::PressKey(VK_ESCAPE);
    m_settle();
    if (::IsWindow(chart)) {
        error = "Escape left the chart open";
        return false;
    }
    return true;
}

bool ProjectionDriver::PickFromSystemMenu(HWND frame, const std::string& item, std::string& error) const {
    std::string menu;
    return PickFromSystemMenu(frame, item, menu, error);
}

bool ProjectionDriver::PickFromSystemMenu(HWND frame, const std::string& item, std::string& menu,
                                          std::string& error) const {
    POINT icon{};
    if (::IsZoomed(frame) || !CaptionPart(frame, HTSYSMENU, icon)) {
        error = "the window's system menu icon cannot be clicked";
        return false;
    }
    FocusInside(frame, ::GetFocus() && ::IsChild(frame, ::GetFocus()) ? ::GetFocus() : View(frame));
    std::vector<MenuPicker::Item> items;
    const bool picked = MenuPicker::Run([&] { ClickOnScreen(frame, icon); }, item, items, error);
    menu = MenuPicker::Describe(items);
    return picked;
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

void ProjectionDriver::ClickOnScreen(HWND window, POINT point) const {
    ::ScreenToClient(window, &point);
    RealInput::Click(window, point);
    m_settle();
}

bool ProjectionDriver::Maximize(HWND frame, std::string& error) const {
    POINT box{};
    if (!CaptionPart(frame, HTMAXBUTTON, box)) {
        error = "the window shows no maximise box";
        return false;
    }
    ClickOnScreen(frame, box);
    if (!::IsZoomed(frame)) {
        error = "clicking the maximise box did not maximise the window";
        return false;
    }
    return true;
}

// A normal window's system menu opens from its icon. A maximised one's shows in the host's menu bar,
// from where Wine sends its commands to the host's main window rather than to the window: it is opened
// as the window's own, where its icon was.
void ProjectionDriver::CloseThroughTheSystemMenu(HWND frame) const {
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, &PickCloseInTheMenu);
    POINT icon{};
    if (::IsZoomed(frame)) {
        RECT rect{};
        ::GetWindowRect(frame, &rect);
        ::SetForegroundWindow(m_main);
        ::TrackPopupMenu(::GetSystemMenu(frame, FALSE), TPM_LEFTALIGN | TPM_TOPALIGN, rect.left + 10, rect.top + 30, 0,
                         frame, nullptr);
    } else if (CaptionPart(frame, HTSYSMENU, icon)) {
        ClickOnScreen(frame, icon);
    }
    ::KillTimer(nullptr, timer);
    m_settle();
}

bool ProjectionDriver::Close(HWND frame, const std::string& way, std::string& error) const {
    const HWND firstCell = ::GetDlgItem(View(frame), ModuleContract::CellId(0, 0));
    POINT box{};
    if (way == "Escape" || way == "Ctrl+F4") {
        FocusInside(frame, firstCell);
        RealInput::PressKey(way == "Escape" ? VK_ESCAPE : VK_F4, false, way == "Ctrl+F4");
        m_settle();
    } else if (way == "Button") {
        const HWND button = ::GetDlgItem(View(frame), ModuleContract::kCloseCommandId);
        if (!ScrollIntoView(View(frame), button)) {
            error = "the Close button cannot be scrolled into view";
            return false;
        }
        RECT rect{};
        ::GetClientRect(button, &rect);
        RealInput::Click(button, {rect.right / 2, rect.bottom / 2});
        m_settle();
    } else if (way == "CloseBox") {
        const bool maximised = ::IsZoomed(frame) != FALSE;
        if (maximised ? !CloseBoxInTheMenuBar(m_main, box) : !CaptionPart(frame, HTCLOSE, box)) {
            error = "the window shows no close box";
            return false;
        }
        ClickOnScreen(maximised ? m_main : frame, box);
    } else if (way == "SystemMenu") {
        CloseThroughTheSystemMenu(frame);
    } else {
        error = "WAY must be Escape, Button, CloseBox, Ctrl+F4 or SystemMenu";
        return false;
    }
    if (::IsWindow(frame)) {
        error = "the window is still open";
        return false;
    }
    return true;
}
