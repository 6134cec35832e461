// Works a projection window as a user does, through real input: typing into its cells, picking
// productions, pressing keys; and reads back what its grid shows. The host knows the window only
// by its class and the layout of its controls, never by the module's code.
#pragma once

#include "framework/Win32.h"

#include <functional>
#include <string>

class ProjectionDriver {
public:
    // settle runs the host's message loop until the input just given has been handled.
    ProjectionDriver(HWND mainWindow, HWND mdiClient, std::function<void()> settle)
        : m_main(mainWindow), m_client(mdiClient), m_settle(std::move(settle)) {}

    // The visible projection of planet NUM of GAME, or nullptr with error set.
    HWND Find(const std::string& game, const std::string& num, std::string& error) const;

    // Focuses cell (column, row), replaces its content by typing text, then presses key (a name Key
    // takes, or "none").
    bool Type(HWND frame, int column, int row, const std::string& text, const std::string& key,
              std::string& error) const;
    // Scrolls the row's chooser into view if need be, drops it and clicks entry in its list; fails when
    // the click did not choose the entry.
    bool Choose(HWND frame, int row, const std::string& entry, std::string& error) const;
    // Presses a key in the projection's focused control (the view when the focus is elsewhere):
    // Escape, Tab, Shift+Tab, Enter, Shift+Enter, Up, Down, Alt+Down, F4, Ctrl+D, Ctrl+V, Ctrl+Z,
    // Ctrl+Y, Ctrl+Shift+Z, or Shift+F10 or Menu, which open the control's context menu: its items are then read into
    // menu, one a line (see MenuPicker::Describe), and it is closed.
    bool Key(HWND frame, const std::string& key, std::string& menu, std::string& error) const;
    // Focuses cell (column, row), or with column kCellColumns the chooser of the row, as a click does.
    bool Focus(HWND frame, int column, int row, std::string& error) const;
    // Where the focus is: "cell COLUMN ROW", "chooser ROW", or "other" (elsewhere in the window or
    // outside it).
    std::string Focused(HWND frame) const;
    // Right-clicks cell (column, row), or the chooser of the row with column kCellColumns, and picks
    // the item of its context menu named item (its text before the shortcut). Fails when the item is
    // missing or greyed.
    bool PickFromMenu(HWND frame, int column, int row, const std::string& item, std::string& error) const;
    // The 20 rows as shown: 17 cell texts and the chooser's entry, tab-separated, one row a line.
    std::string Grid(HWND frame) const;
    // Presses Ctrl+Shift+C in the projection; text is then what that put on the clipboard, as UTF-8
    // with "\n" for each line break.
    bool Copy(HWND frame, std::string& text, std::string& error) const;
    // Presses Ctrl+Shift+G in the projection; fails when no chart of it is then open and visible.
    bool Chart(HWND frame, std::string& error) const;
    // Presses Escape in the projection's chart; fails when it has none, or the chart stays open.
    bool CloseChart(HWND frame, std::string& error) const;
    // Opens the frame's system menu by clicking the icon left of its title, and picks the item named
    // item (as PickFromMenu names them), or with item empty closes it again; menu then holds its items,
    // one a line (see MenuPicker::Describe). Fails when the menu or the item is not there.
    bool PickFromSystemMenu(HWND frame, const std::string& item, std::string& error) const;
    bool PickFromSystemMenu(HWND frame, const std::string& item, std::string& menu, std::string& error) const;
    // Moves and sizes the frame, in MDI-client coordinates, as dragging its edges ends up.
    bool Move(HWND frame, int x, int y, int cx, int cy, std::string& error) const;
    // Maximises the frame by clicking the maximise box in its caption.
    bool Maximize(HWND frame, std::string& error) const;
    // Closes the frame one of the ways a user can: Escape or Ctrl+F4 pressed in a cell, a click on the
    // Close button, on the close box (in the caption, or in the host's menu bar while maximised), or
    // Close picked in its system menu. Fails when the way is unknown or the frame is still there.
    bool Close(HWND frame, const std::string& way, std::string& error) const;

private:
    static HWND View(HWND frame) { return ::GetWindow(frame, GW_CHILD); }
    void FocusInside(HWND frame, HWND target) const;
    void ClickOnScreen(HWND window, POINT point) const;
    void CloseThroughTheSystemMenu(HWND frame) const;
    // The cell or (column kCellColumns) chooser, or nullptr with error set.
    HWND Control(HWND frame, int column, int row, std::string& error) const;
    // Presses a named key; false for a name it does not know.
    static bool Press(const std::string& key);

    HWND m_main;
    HWND m_client;
    std::function<void()> m_settle;
};
