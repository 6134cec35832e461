// The main window's menu bar (File, Window, Help, and Plug-ins once the module names its command) and
// its keyboard shortcuts.
#pragma once

#include "framework/UniqueHandle.h"

#include <string>

class FrameMenu {
public:
    // A new menu bar; windowMenu receives its Window menu, where MDI lists the children.
    static HMENU Create(HMENU& windowMenu);
    // Adds a Plug-ins menu with the module's command to the window's menu bar.
    static void AddModuleCommand(HWND frame, const std::string& text);
    // Takes the Plug-ins menu away again, when there is one.
    static void RemoveModuleCommand(HWND frame);
    // Greys out what cannot be done now.
    static void Enable(HMENU menu, bool gameOpen, bool planetSelected);
    static UniqueAccelerators CreateShortcuts();
};
