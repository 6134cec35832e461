// Host script lines split into words.
#include "host/driving/ScriptLine.h"

#include <gtest/gtest.h>

namespace {

TEST(ScriptLine, SplitsAtBlanksAndKeepsQuotedBlanks) {
    const struct {
        const char* line;
        std::vector<std::string> words;
    } cases[] = {
        {"", {}},
        {"  \t \r", {}},
        {"# open a.game", {}},
        {"   #comment", {}},
        {"dump", {"dump"}},
        {"select Alpha 17\r", {"select", "Alpha", "17"}},
        {"  open\t examples/alpha.game  ", {"open", "examples/alpha.game"}},
        {"select \"Big Game\" 5", {"select", "Big Game", "5"}},
        {"open C:\\games\\\"my game\".game", {"open", "C:\\games\\my game.game"}},
        {"type Alpha 17 Col 3 \"\"", {"type", "Alpha", "17", "Col", "3", ""}},
        {"open #1.game", {"open", "#1.game"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::vector<std::string> words{"stale"};
        std::string error;
        ASSERT_TRUE(ScriptLine::Split(c.line, words, error)) << error;
        EXPECT_EQ(c.words, words);
    }
}

TEST(ScriptLine, RefusesAnUnclosedQuote) {
    std::vector<std::string> words{"kept"};
    std::string error;
    EXPECT_FALSE(ScriptLine::Split("select \"Big Game 5", words, error));
    EXPECT_EQ("a quote is not closed", error);
    EXPECT_EQ(std::vector<std::string>{"kept"}, words);
}

TEST(ScriptLine, UnescapesTabsLineBreaksAndBackslashes) {
    const struct {
        const char* word;
        const char* plain;
    } cases[] = {
        {"500", "500"},
        {"1\\t2\\n3", "1\t2\r\n3"}, // the clipboard's line break
        {"a\\\\tb", "a\\tb"},       // an escaped backslash is no escape
        {"C:\\games", "C:\\games"}, // other backslashes stay
        {"end\\", "end\\"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.plain, ScriptLine::Unescape(c.word)) << c.word;
}

} // namespace
