// Game files: what a sound file gives, and the line and reason for each kind of malformed file.
#include "host/GameFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

namespace {

CString ValueOf(const CMapStringToString& record, const char* key) {
    CString value;
    EXPECT_TRUE(record.Lookup(key, value)) << "no " << key;
    return value;
}

bool Has(const CMapStringToString& record, const char* key) {
    CString ignored;
    return record.Lookup(key, ignored);
}

Game Parsed(std::string_view text) {
    Game game;
    const auto error = GameFile::Parse(text, game);
    EXPECT_FALSE(error) << error->line << ": " << error->what;
    return game;
}

TEST(GameFile, ReadsTheGameAndItsPlanetsInFileOrder) {
    const Game game = Parsed("# a comment\r\n"
                             "Game=Alpha\r\n"
                             "Turn=40\r\n"
                             "\r\n"
                             "[Planet]\r\n"
                             "Name=Terra Nova\r\n"
                             "Num=17\r\n"
                             "Size=1000.00\r\n"
                             "  # an indented comment\r\n"
                             "[Planet]  \n"
                             "Name=\xcd\xee\xe2\xfb\xe9 \xd1\xe2\xe5\xf2\n"
                             "Num=5\n"
                             "Production=Mk2=heavy  \n");
    EXPECT_EQ("Alpha", game.name);
    EXPECT_EQ("40", game.turn);
    ASSERT_EQ(2u, game.planets.size());
    EXPECT_EQ("Terra Nova", ValueOf(game.planets[0], "Name"));
    EXPECT_EQ("1000.00", ValueOf(game.planets[0], "Size"));
    // Values stay bytes: Windows-1251 letters, a second '=', trailing blanks.
    EXPECT_EQ("\xcd\xee\xe2\xfb\xe9 \xd1\xe2\xe5\xf2", ValueOf(game.planets[1], "Name"));
    EXPECT_EQ("Mk2=heavy  ", ValueOf(game.planets[1], "Production"));
    EXPECT_FALSE(Has(game.planets[1], "Size"));
}

TEST(GameFile, PlanetsTakeTheGamesNameAndTurnUnlessTheyHaveTheirOwn) {
    const Game game = Parsed("Game=Beta\nTurn=112\n"
                             "[Planet]\nNum=1\n"
                             "[Planet]\nNum=2\nGameName=Beta\nTurn=98\n");
    ASSERT_EQ(2u, game.planets.size());
    EXPECT_EQ("Beta", ValueOf(game.planets[0], "GameName"));
    EXPECT_EQ("112", ValueOf(game.planets[0], "Turn"));
    EXPECT_EQ("98", ValueOf(game.planets[1], "Turn")); // last seen in an earlier turn
}

TEST(GameFile, ReportsTheFirstFaultWithItsLine) {
    const struct {
        const char* name;
        const char* text;
        int line;
        const char* what;
    } cases[] = {
        {"a line without '='", "Game=A\nTurn=1\n[Planet]\nName Terra\n", 4, "expected Key=Value"},
        {"an empty key", "Game=A\nTurn=1\n[Planet]\n=5\n", 4, "key before '=' is empty"},
        {"an unknown section", "Game=A\nTurn=1\n[Planets]\n", 3, "unknown section '[Planets]'"},
        {"a planet before the game's name", "Turn=1\n[Planet]\nNum=1\n", 2, "no name"},
        {"a planet before the turn", "Game=A\n\n[Planet]\nNum=1\n", 3, "no turn"},
        {"a turn that is no whole number", "Game=A\nTurn=40.5\n", 2, "Turn must be a whole number, found '40.5'"},
        {"an empty game name", "Game=\nTurn=1\n", 1, "Game= needs"},
        {"an unknown game key", "Game=A\nTurns=1\n", 2, "unknown game key 'Turns'"},
        {"a misspelt planet key", "Game=A\nTurn=1\n[Planet]\nPopultion=5\n", 4, "unknown planet key 'Popultion'"},
        {"a key with a blank before '='", "Game=A\nTurn=1\n[Planet]\nSize =5\n", 4, "unknown planet key 'Size '"},
        {"a key twice in a planet", "Game=A\nTurn=1\n[Planet]\nSize=1\nMAT=2\nSize=3\n", 6,
         "Size is given twice (first on line 4)"},
        {"the game's name twice", "Game=A\nGame=B\n", 2, "Game is given twice (first on line 1)"},
        {"a planet number twice in the game", "Game=A\nTurn=1\n[Planet]\nNum=7\n[Planet]\nNum=7\n", 6,
         "planet number 7 is given twice (first on line 4)"},
        {"a planet of another game", "Game=A\nTurn=1\n[Planet]\nGameName=B\n", 4, "GameName 'B' is not this game's"},
        {"no planet at all", "Game=A\nTurn=1\n\n", 3, "no [Planet] block"},
        {"an empty file", "", 1, "no [Planet] block"},
        {"a UTF-8 byte order mark", "\xEF\xBB\xBFGame=A\nTurn=1\n[Planet]\n", 1, "UTF-8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Game game;
        game.name = "untouched";
        const auto error = GameFile::Parse(c.text, game);
        ASSERT_TRUE(error);
        EXPECT_EQ(c.line, error->line);
        EXPECT_NE(std::string::npos, error->what.find(c.what)) << error->what;
        EXPECT_EQ("untouched", game.name);
        EXPECT_TRUE(game.planets.empty());
    }
}

TEST(GameFile, PlanetsWithoutNumbersDoNotClash) {
    const Game game = Parsed("Game=A\nTurn=1\n[Planet]\nName=X\n[Planet]\nName=Y\nNum=\n[Planet]\nNum=\n");
    EXPECT_EQ(3u, game.planets.size());
}

TEST(GameFile, ReadNamesTheFileInItsMessages) {
    const auto path = std::filesystem::temp_directory_path() / "GameFile_test_bad.game";
    std::ofstream(path, std::ios::binary) << "Game=A\nTurn=1\n[Planet]\nSize\n";
    Game game;
    std::string message;
    EXPECT_FALSE(GameFile::Read(path.string(), game, message));
    EXPECT_EQ(path.string() + ":4: expected Key=Value, [Planet] or a # comment", message);

    const std::string missing = (std::filesystem::temp_directory_path() / "GameFile_test_missing.game").string();
    EXPECT_FALSE(GameFile::Read(missing, game, message));
    EXPECT_EQ(missing + ": cannot open the file", message);
    std::filesystem::remove(path);
}

TEST(GameFile, QuotesAtMostEightyCharactersOfALine) {
    const std::string huge(5 << 20, 'K');
    const std::string cut = "'" + huge.substr(0, 80) + "...'";
    const std::string eighty(80, 'K');
    const struct {
        const char* name;
        std::string text;
        std::string quote;
    } cases[] = {
        {"a huge planet key", "Game=A\nTurn=1\n[Planet]\n" + huge + "=1\n", cut},
        {"a huge game key", "Game=A\n" + huge + "=1\n", cut},
        {"a huge section", "Game=A\nTurn=1\n" + ("[" + huge), "'[" + huge.substr(0, 79) + "...'"},
        {"a huge turn", "Game=A\nTurn=" + huge + "\n", cut},
        {"a huge line without '='", "Game=A\nTurn=1\n[Planet]\n" + huge + "\n", "expected Key=Value"},
        {"a huge other game", "Game=A\nTurn=1\n[Planet]\nGameName=" + huge + "\n", cut},
        {"a huge planet number twice", "Game=A\nTurn=1\n[Planet]\nNum=" + huge + "\n[Planet]\nNum=" + huge,
         huge.substr(0, 80) + "... is given twice"},
        {"eighty characters are quoted whole", "Game=A\nTurn=1\n[Planet]\n" + eighty + "=1\n", "'" + eighty + "'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Game game;
        const auto error = GameFile::Parse(c.text, game);
        ASSERT_TRUE(error);
        EXPECT_LT(error->what.size(), 400u);
        EXPECT_NE(std::string::npos, error->what.find(c.quote)) << error->what;
    }
    // The game's name, quoted from an earlier line, is cut as well.
    Game game;
    const auto error = GameFile::Parse("Game=" + huge + "\nTurn=1\n[Planet]\nGameName=B\n", game);
    ASSERT_TRUE(error);
    EXPECT_EQ("GameName 'B' is not this game's name " + cut, error->what);
}

TEST(GameFile, TakesAnyBytes) {
    // Values are bytes: NUL, bytes that are no Windows-1251 letter, a stray CR, a line of only '='.
    constexpr char kText[] = "Game=\x98\0\xff\nTurn=1\n[Planet]\nName=a\rb\0\x81\r\n";
    const std::string text(kText, sizeof kText - 1);
    const Game game = Parsed(text);
    EXPECT_EQ(std::string("\x98\0\xff", 3), game.name.Bytes());
    ASSERT_EQ(1u, game.planets.size());
    EXPECT_EQ(std::string("a\rb\0\x81", 5), ValueOf(game.planets[0], "Name").Bytes());
    constexpr char kNulKey[] = "Game=A\nTurn=1\n[Planet]\n\0=\n";
    Game refused;
    const auto error = GameFile::Parse(std::string_view(kNulKey, sizeof kNulKey - 1), refused);
    ASSERT_TRUE(error);
    EXPECT_EQ(std::string("unknown planet key '\0'", 22), error->what.substr(0, 22));
}

TEST(GameFile, ReadRefusesWhatIsNoReadableFile) {
    const auto directory = std::filesystem::temp_directory_path() / "GameFile_test_directory.game";
    std::filesystem::create_directories(directory);
    const auto fifo = std::filesystem::temp_directory_path() / "GameFile_test_fifo.game";
    std::filesystem::remove(fifo);
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
    const struct {
        std::string path;
        std::string message;
    } cases[] = {
        {directory.string(), directory.string() + ": cannot read the file: it is a directory"},
        {fifo.string(), fifo.string() + ": cannot read the file: it is not a regular file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        Game game;
        game.name = "untouched";
        std::string message;
        EXPECT_FALSE(GameFile::Read(c.path, game, message));
        EXPECT_EQ(c.message, message);
        EXPECT_EQ("untouched", game.name);
    }
    std::filesystem::remove(directory);
    std::filesystem::remove(fifo);
}

TEST(GameFile, TheSampleGamesAreSound) {
    const struct {
        const char* file;
        const char* name;
        std::size_t planets;
    } samples[] = {{"alpha.game", "Alpha", 7}, {"beta.game", "Beta", 6}};
    for (const auto& sample : samples) {
        SCOPED_TRACE(sample.file);
        Game game;
        std::string message;
        ASSERT_TRUE(GameFile::Read(std::string(ZENTHARO_SOURCE_DIR) + "/examples/" + sample.file, game, message))
            << message;
        EXPECT_EQ(sample.name, game.name);
        EXPECT_EQ(sample.planets, game.planets.size());
    }
}

} // namespace
