// The records the host hands to the module's entry points, keyed as the module reads them.
#pragma once

#include "framework/CMapStringToString.h"

#include <cstdint>
#include <vector>

namespace HostRecords {

// OnInitialize: the main window's handle and the host's other values, as decimal texts.
CMapStringToString Initialize(std::uintptr_t mainFrame, std::uintptr_t dataManager, std::uint32_t eventMask,
                              std::uintptr_t mainFramePointer);

// OnUserCommand: the menu command chosen for a game.
CMapStringToString UserCommand(const CString& game, const CString& turn, const CString& command);

// OnActivate: the game whose window became active.
CMapStringToString Activate(const CString& game);

// OnGamesListModified: the games still open as "Game.1", "Game.2", ...
CMapStringToString GamesList(const std::vector<CString>& games);

} // namespace HostRecords
