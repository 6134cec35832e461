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

    // Focuses cell (column, row), replaces its content by typing text, then presses Tab.
    bool Type(HWND frame, int column, int row, const std::string& text, std::string& error) const;
    // Scrolls the row's chooser into view if need be, drops it and clicks entry in its list; fails when
    // the click did not choose the entry.
    bool Choose(HWND frame, int row, const std::string& entry, std::string& error) const;
    // Presses Escape, Tab or Shift+Tab in the projection.
    bool Key(HWND frame, const std::string& key, std::string& error) const;
    // The 20 rows as shown: 17 cell texts and the chooser's entry, tab-separated, one row a line.
    std::string Grid(HWND frame) const;
    // Presses Ctrl+Shift+C in the projection; text is then what that put on the clipboard, as UTF-8
    // with "\n" for each line break.
    bool Copy(HWND frame, std::string& text, std::string& error) const;
    // Opens the frame's system menu by clicking the icon left of its title, clicks the entry of
    // commandId, and answers the message box it opens by clicking its button answer (IDYES,
    // IDNO...); text is then what the box said. Fails when the menu, the entry or the box is not there.
    bool PickFromSystemMenu(HWND frame, int commandId, int answer, std::string& text, std::string& error) const;
    // Moves and sizes the frame, in MDI-client coordinates, as dragging its edges ends up.
    bool Move(HWND frame, int x, int y, int cx, int cy, std::string& error) const;

private:
    static HWND View(HWND frame) { return ::GetWindow(frame, GW_CHILD); }
    void FocusInside(HWND frame, HWND target) const;

    HWND m_main;
    HWND m_client;
    std::function<void()> m_settle;
};
