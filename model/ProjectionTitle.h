// The form of a projection window's title, "Zentharo  NAME (#NUM)   GAME:TURN": built by the
// document, taken apart by whoever finds the windows from outside.
#pragma once

#include <optional>
#include <string_view>

namespace ProjectionTitle {

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

} // namespace ProjectionTitle
