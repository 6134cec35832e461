// Parsing game files, line by line, into a game that is handed over only when the whole file is sound.
#include "GameFile.h"

#include "framework/FileText.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <new>

namespace {

constexpr std::string_view kPlanetHeader = "[Planet]";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// A piece of a line as a message quotes it: short, however long the line.
std::string Quoted(std::string_view text) { return "'" + FileText::Quote(text) + "'"; }

bool IsBlank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

bool IsComment(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    return first != std::string_view::npos && line[first] == '#';
}

std::string_view TrimRight(std::string_view text) {
    const std::size_t last = text.find_last_not_of(" \t");
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

bool IsWholeNumber(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsPlanetKey(std::string_view key) {
    return std::any_of(std::begin(GameFile::kPlanetKeys), std::end(GameFile::kPlanetKeys),
                       [key](const char* known) { return key == known; });
}

std::string PlanetKeyList() {
    std::string list;
    for (const char* key : GameFile::kPlanetKeys)
        list += (list.empty() ? "" : ", ") + std::string(key);
    return list;
}

// The parser's state between lines: the game so far, the planet being read, and where keys and
// planet numbers were first seen, for errors about repeats.
class Parser {
public:
    std::optional<GameFile::Error> Line(int number, std::string_view line);
    std::optional<GameFile::Error> Finish(int lastLine);
    Game& Result() { return m_game; }

private:
    std::optional<GameFile::Error> StartPlanet(int number);
    std::optional<GameFile::Error> GameKey(int number, std::string_view key, std::string_view value);
    std::optional<GameFile::Error> PlanetKey(int number, std::string_view key, std::string_view value);

    Game m_game;
    bool m_inPlanet = false;
    std::map<std::string, int, std::less<>> m_keyLines;    // of the game, then of the current planet
    std::map<std::string, int, std::less<>> m_numberLines; // planet numbers of the whole game
};

GameFile::Error Fault(int line, std::string what) { return {line, std::move(what)}; }

std::optional<GameFile::Error> Parser::Line(int number, std::string_view line) {
    if (IsBlank(line) || IsComment(line))
        return std::nullopt;
    if (line.front() == '[') {
        if (TrimRight(line) == kPlanetHeader)
            return StartPlanet(number);
        return Fault(number, "unknown section " + Quoted(TrimRight(line)) + "; only [Planet] blocks follow");
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return Fault(number, "expected Key=Value, [Planet] or a # comment");
    if (equals == 0)
        return Fault(number, "the key before '=' is empty");
    const std::string_view key = line.substr(0, equals);
    const std::string_view value = line.substr(equals + 1);
    if (const auto first = m_keyLines.find(key); first != m_keyLines.end())
        return Fault(number,
                     FileText::Quote(key) + " is given twice (first on line " + std::to_string(first->second) + ")");
    m_keyLines.emplace(key, number);
    return m_inPlanet ? PlanetKey(number, key, value) : GameKey(number, key, value);
}

std::optional<GameFile::Error> Parser::StartPlanet(int number) {
    if (m_game.name.IsEmpty())
        return Fault(number, "the game has no name: Game= must come before the first [Planet]");
    if (m_game.turn.IsEmpty())
        return Fault(number, "the game has no turn: Turn= must come before the first [Planet]");
    m_inPlanet = true;
    m_keyLines.clear();
    m_game.planets.emplace_back();
    return std::nullopt;
}

std::optional<GameFile::Error> Parser::GameKey(int number, std::string_view key, std::string_view value) {
    if (key == "Game") {
        if (value.empty())
            return Fault(number, "Game= needs the game's name");
        m_game.name = CString(value);
    } else if (key == "Turn") {
        if (!IsWholeNumber(value))
            return Fault(number, "Turn must be a whole number, found " + Quoted(value));
        m_game.turn = CString(value);
    } else {
        return Fault(number, "unknown game key " + Quoted(key) + "; a game has Game= and Turn=, then [Planet] blocks");
    }
    return std::nullopt;
}

std::optional<GameFile::Error> Parser::PlanetKey(int number, std::string_view key, std::string_view value) {
    if (!IsPlanetKey(key))
        return Fault(number, "unknown planet key " + Quoted(key) + "; a planet has " + PlanetKeyList());
    if (key == "GameName" && value != m_game.name.View())
        return Fault(number, "GameName " + Quoted(value) + " is not this game's name " + Quoted(m_game.name.View()));
    if (key == "Num" && !value.empty()) {
        if (const auto first = m_numberLines.find(value); first != m_numberLines.end())
            return Fault(number, "planet number " + FileText::Quote(value) + " is given twice (first on line " +
                                     std::to_string(first->second) + ")");
        m_numberLines.emplace(value, number);
    }
    m_game.planets.back().SetAt(CString(key), CString(value));
    return std::nullopt;
}

std::optional<GameFile::Error> Parser::Finish(int lastLine) {
    if (m_game.planets.empty())
        return Fault(lastLine, "the file has no [Planet] block");
    for (CMapStringToString& planet : m_game.planets) {
        CString value;
        if (!planet.Lookup("GameName", value))
            planet.SetAt("GameName", m_game.name);
        if (!planet.Lookup("Turn", value))
            planet.SetAt("Turn", m_game.turn);
    }
    return std::nullopt;
}

} // namespace

std::optional<GameFile::Error> GameFile::Parse(std::string_view text, Game& game) {
    if (text.substr(0, kUtf8Mark.size()) == kUtf8Mark)
        return Fault(1, "the file is marked as UTF-8; game files are Windows-1251 text");
    Parser parser;
    int number = 0;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (auto error = parser.Line(number, line))
            return error;
    }
    if (auto error = parser.Finish(std::max(number, 1)))
        return error;
    game = std::move(parser.Result());
    return std::nullopt;
}

bool GameFile::Read(const std::string& path, Game& game, std::string& message) {
    std::string text;
    const FileText::ReadResult result = FileText::Read(path, text);
    if (result == FileText::ReadResult::Missing) {
        message = path + ": cannot open the file";
        return false;
    }
    if (result != FileText::ReadResult::Read) {
        message = path + ": cannot read the file: " + FileText::Reason(result);
        return false;
    }
    try {
        if (const auto error = Parse(text, game)) {
            message = path + ":" + std::to_string(error->line) + ": " + error->what;
            return false;
        }
    } catch (const std::bad_alloc&) {
        message = path + ": cannot read the file: it is too large";
        return false;
    }
    return true;
}
