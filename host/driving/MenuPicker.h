// Works a popup menu that an action opens, from inside the menu's own loop, as a user does: reads its
// items, then clicks the one asked for, or closes the menu when none is.
#pragma once

#include "framework/Win32.h"

#include <functional>
#include <string>
#include <vector>

class MenuPicker {
public:
    struct Item {
        std::string text; // as the menu shows it, shortcut included after a tab; empty for a separator
        bool separator;
        bool greyed;
    };

    // Runs open, which gives the input that opens a menu and returns once the input has been handled
    // (the menu's loop runs inside it). Meanwhile the menu's items are read into items and the item
    // whose text, before its shortcut and without its & marks, is pick gets clicked; with pick empty
    // the menu is closed. Fails, with error set, when no menu opened, or pick is missing or greyed
    // (the menu is then closed).
    static bool Run(const std::function<void()>& open, const std::string& pick, std::vector<Item>& items,
                    std::string& error);

    // The item's text as a script names it: before the tab, without the & marks.
    static std::string Name(const std::string& text);
    // One line for each item: "item TEXT" (the tab written \t), with " greyed" after a greyed one, or
    // "separator".
    static std::string Describe(const std::vector<Item>& items);
};
