// The demo host's command line.
#include "host/HostOptions.h"

#include <gtest/gtest.h>

namespace {

TEST(HostOptions, ReadsModuleScriptAndGames) {
    const struct {
        std::vector<std::string> arguments;
        std::string module, script;
        std::vector<std::string> games;
        bool help;
        bool version = false;
    } cases[] = {
        {{}, "", "", {}, false},
        {{"a.game", "b.game"}, "", "", {"a.game", "b.game"}, false},
        {{"--module", "x.dll", "a.game"}, "x.dll", "", {"a.game"}, false},
        {{"a.game", "--script", "s.txt", "--module", "m.dll"}, "m.dll", "s.txt", {"a.game"}, false},
        {{"--", "--odd.game"}, "", "", {"--odd.game"}, false},
        {{"--help"}, "", "", {}, true},
        {{"--version", "a.game"}, "", "", {"a.game"}, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        HostOptions options;
        std::string error;
        ASSERT_TRUE(HostOptions::Parse(c.arguments, options, error)) << error;
        EXPECT_EQ(c.module, options.modulePath);
        EXPECT_EQ(c.script, options.scriptPath);
        EXPECT_EQ(c.games, options.gameFiles);
        EXPECT_EQ(c.help, options.help);
        EXPECT_EQ(c.version, options.version);
    }
}

TEST(HostOptions, RefusesWhatItCannotUse) {
    const struct {
        std::vector<std::string> arguments;
        std::string error;
    } cases[] = {
        {{"--module"}, "--module needs a value"},
        {{"a.game", "--script"}, "--script needs a value"},
        {{"--script", ""}, "--script needs a value"},
        {{"--script", "a", "--script", "b"}, "--script is given twice"},
        {{"--modul", "x.dll"}, "unknown option '--modul'"},
        {{"a.game", "-x"}, "unknown option '-x'"},
        {{"--module", "a.dll", "--module", "b.dll"}, "--module is given twice"},
        {{"--module", "", "a.game"}, "--module needs a value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        HostOptions options;
        options.gameFiles = {"kept"};
        std::string error;
        EXPECT_FALSE(HostOptions::Parse(c.arguments, options, error));
        EXPECT_EQ(c.error, error);
        EXPECT_EQ(std::vector<std::string>{"kept"}, options.gameFiles);
    }
}

} // namespace
