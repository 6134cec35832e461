// Parses arbitrary game files as the demo host does, and checks what a parse promises: a sound game,
// or a short error naming a line of the file, with the game untouched.
#include "host/GameFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

bool IsWholeNumber(const CString& text) {
    const std::string& bytes = text.Bytes();
    return !bytes.empty() && std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Game game;
    game.name = "untouched";
    const auto error = GameFile::Parse(text, game);
    if (error) {
        const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
        Check(error->line >= 1 && error->line <= lines + 1);
        // Quotes are cut, so a message stays short however long the line.
        Check(!error->what.empty() && error->what.size() < 400);
        Check(game.name == "untouched" && game.planets.empty());
        return 0;
    }
    Check(!game.name.IsEmpty() && IsWholeNumber(game.turn) && !game.planets.empty());
    for (const CMapStringToString& planet : game.planets) {
        CString value;
        Check(planet.Lookup("GameName", value) && value == game.name);
        Check(planet.Lookup("Turn", value));
    }
    return 0;
}
