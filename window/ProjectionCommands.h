// The projection window's own commands, listed once. Each entry is an item of the context menu of a
// cell or chooser, its shortcut key, and, for a command of the whole window, an item of the window's
// system menu too. A new command is one entry in the table (ProjectionCommands.cpp) and one member
// function of the view.
#pragma once

#include "framework/Win32.h"

#include <string>

class CZentharoForm;

// A shortcut: a letter key with Ctrl, and Shift if asked. A virtual key of 0 is no shortcut.
struct CommandKey {
    WORD virtualKey;
    bool control;
    bool shift;
};

struct ProjectionCommand {
    // A multiple of 16 below 0xF000: the system menu hands its commands on without the four low bits.
    UINT id;
    const char* text; // the menu item, without its shortcut
    CommandKey key;
    // On the system menu too, and its key works wherever the focus is in the window.
    bool wholeWindow;
    // Runs the command for the cell or chooser it was asked in; nullptr when it was asked elsewhere
    // (the system menu, a key on the Close button). A command without a key is asked by a menu only:
    // from the system menu, it is asked for the whole window.
    void (CZentharoForm::*run)(HWND control);
    // Whether it can act for that control (a greyed menu item otherwise); nullptr: always. The key of
    // a command that cannot act goes on to the control as if it were not the window's, unless
    // keyAlwaysTaken.
    bool (CZentharoForm::*available)(HWND control) const;
    // The item's text when it changes with the window's state ("Undo Typing"); nullptr: text.
    std::string (CZentharoForm::*label)(HWND control) const = nullptr;
    CommandKey otherKey = {0, false, false}; // a second shortcut, not shown in menus
    // A key the control must not see even when the command cannot act: it is heard instead.
    bool keyAlwaysTaken = false;
    // The menus put a separator after the item (and in a cell's menu, the edit control's own commands).
    bool endsGroup = false;
};

namespace ProjectionCommands {

const ProjectionCommand* begin();
const ProjectionCommand* end();

const ProjectionCommand* WithId(UINT id);
// The command whose key this is, with these modifiers held (and Alt not), or nullptr.
const ProjectionCommand* ForKey(WORD virtualKey, bool control, bool shift);
// The item's text as a menu shows it, text followed by the command's key: "Fill later turns\tCtrl+D".
std::string MenuText(const ProjectionCommand& command, const std::string& text);

} // namespace ProjectionCommands

// Range-for over the table: for (const ProjectionCommand& command : ProjectionCommandTable{}).
struct ProjectionCommandTable {
    const ProjectionCommand* begin() const { return ProjectionCommands::begin(); }
    const ProjectionCommand* end() const { return ProjectionCommands::end(); }
};
