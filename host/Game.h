// One open game as the host holds it: its name, its turn and its planets' records.
#pragma once

#include "framework/CMapStringToString.h"

#include <vector>

struct Game {
    CString name;
    CString turn;
    // In file order; every record carries "GameName" and "Turn", filled in from the game when the
    // file leaves them out.
    std::vector<CMapStringToString> planets;
};
