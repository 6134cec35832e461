// What a host, a test or a timing run may rely on when it works the module's windows from outside:
// the controls' ids, the frame's window class, the menu command, the saved placement in the registry
// and the window title's form. The module builds its windows from these values and the demo host
// finds its way around them with the same values, so the two cannot drift apart.
#pragma once

#include "model/GridColumns.h"
#include "model/ProductionChooser.h"
#include "model/ProjectionColumn.h"
#include "resources/resource.h"

#include <optional>
#include <string_view>

namespace ModuleContract {

// The grid: kCellColumns x kRows edit cells, numbered column by column, and one production chooser
// a row.
inline constexpr int kRows = kProjectedTurns;
inline constexpr int kCellColumns = kGridColumnCount;
inline constexpr int kFirstCellId = 5012;
inline constexpr int kFirstChooserId = 10000;

constexpr int CellId(int column, int row) { return kFirstCellId + kRows * column + row; }
constexpr int ChooserId(int row) { return kFirstChooserId + row; }

// The chooser's entries as its sorted list shows them, top to bottom.
inline constexpr const auto& kChooserEntries = ProductionChooser::kEntries;

// The Close button and Escape close the window; Copy table is on the frame's system menu.
inline constexpr int kCloseCommandId = ID_FILE_CLOSE;
inline constexpr int kCopyTableCommandId = ID_EDIT_COPY_TABLE;

// Projection frames are MDI children of this window class; the host tells them from its own by it.
inline constexpr const char* kFrameClassName = "ZentharoFrame";

// The menu command the module asks the host to add, and which it expects back in OnUserCommand; also
// the caption of the module's message boxes.
inline constexpr const char* kMenuCommand = "Zentharo";
inline constexpr const char* kMessageCaption = "Zentharo";

// Under HKEY_CURRENT_USER: the placement the frame destroyed last leaves for the next, as REG_DWORDs.
inline constexpr const char* kPlacementKey = "SOFTWARE\\Morvane\\PlugIns\\Zentharo";
inline constexpr const char* kPlacementX = "x";
inline constexpr const char* kPlacementY = "y";
inline constexpr const char* kPlacementWidth = "cx";
inline constexpr const char* kPlacementHeight = "cy";
inline constexpr const char* kPlacementValues[] = {kPlacementX, kPlacementY, kPlacementWidth, kPlacementHeight};

// A projection's title: "Zentharo  NAME (#NUM)   GAME:TURN".
inline constexpr const char* kTitlePrefix = "Zentharo  ";
inline constexpr const char* kTitleNumberOpen = " (#";
inline constexpr const char* kTitleNumberClose = ")   ";
inline constexpr const char* kTitleTurnSeparator = ":";

template <typename Text>
Text ComposeTitle(std::string_view name, std::string_view num, std::string_view game, std::string_view turn) {
    Text title(kTitlePrefix);
    title += name;
    title += std::string_view(kTitleNumberOpen);
    title += num;
    title += std::string_view(kTitleNumberClose);
    title += game;
    title += std::string_view(kTitleTurnSeparator);
    title += turn;
    return title;
}

struct TitleParts {
    std::string_view name, num, game, turn;
};

// The parts of a title, viewing into it; nothing when it has not the title's form. The last ")   "
// ends the number and the last ":" the game, so a name may hold either, a game no ")   " and a turn
// no ":".
constexpr std::optional<TitleParts> ParseTitle(std::string_view title) {
    const std::string_view prefix = kTitlePrefix, numberClose = kTitleNumberClose;
    const std::string_view numberMark = std::string_view(kTitleNumberOpen).substr(1); // "(#" after its space
    if (title.substr(0, prefix.size()) != prefix)
        return std::nullopt;
    const std::size_t gameStart = title.rfind(numberClose);
    if (gameStart == std::string_view::npos || gameStart < prefix.size())
        return std::nullopt;
    const std::size_t numStart = title.rfind(numberMark, gameStart);
    if (numStart == std::string_view::npos || numStart < prefix.size() + 1 || title[numStart - 1] != ' ')
        return std::nullopt;
    const std::size_t turnStart = title.rfind(kTitleTurnSeparator[0]);
    if (turnStart == std::string_view::npos || turnStart < gameStart)
        return std::nullopt;
    TitleParts parts;
    parts.name = title.substr(prefix.size(), numStart - 1 - prefix.size());
    parts.num = title.substr(numStart + numberMark.size(), gameStart - numStart - numberMark.size());
    parts.game = title.substr(gameStart + numberClose.size(), turnStart - gameStart - numberClose.size());
    parts.turn = title.substr(turnStart + 1);
    return parts;
}

} // namespace ModuleContract
