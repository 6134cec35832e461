// Game files: a game's name and turn, then one Key=Value block per planet.
//
//     # Alpha, as seen in turn 40
//     Game=Alpha
//     Turn=40
//
//     [Planet]
//     Name=Terra Nova
//     Num=17
//     Size=1000.00
//     ...
//
// Values are Windows-1251 bytes and kept exactly as written (a trailing CR aside). Blank lines and
// lines starting with '#' are skipped. Parsing stops at the first fault and names its line; what it
// quotes of a line is cut after 80 characters, marked with "...".
#pragma once

#include "Game.h"

#include <optional>
#include <string>
#include <string_view>

class GameFile {
public:
    struct Error {
        int line = 0; // 1-based
        std::string what;
    };

    // The keys a planet block may hold.
    static constexpr const char* kPlanetKeys[] = {"Name",       "Num", "GameName", "Turn", "Size", "Resource",
                                                  "Population", "COL", "Industry", "CAP",  "MAT",  "Production"};

    // Parses text into game. On failure returns the first error and leaves game untouched.
    static std::optional<Error> Parse(std::string_view text, Game& game);

    // Reads and parses the file at path. On failure message says "path:line: what" (or why the file
    // cannot be read: missing, a directory, no regular file, unreadable, too large) and game is untouched.
    // Never throws.
    static bool Read(const std::string& path, Game& game, std::string& message);
};
