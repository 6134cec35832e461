// The window title's form, as the module writes it and the demo host reads it back.
#include "contract/ModuleContract.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using ModuleContract::ComposeTitle;
using ModuleContract::ParseTitle;

TEST(ModuleContract, TitlesReadBackAsTheyWereWritten) {
    const struct {
        const char *name, *num, *game, *turn;
        const char* title;
    } cases[] = {
        {"Terra", "17", "Alpha", "40", "Zentharo  Terra (#17)   Alpha:40"},
        {"", "", "", "", "Zentharo   (#)   :"},
        {"Terra Nova", "199", "Beta Prime", "7", "Zentharo  Terra Nova (#199)   Beta Prime:7"},
        // A name may hold the separators: the last ones split the title.
        {"Odd (#1)   x:y", "5", "Alpha", "40", "Zentharo  Odd (#1)   x:y (#5)   Alpha:40"},
        {"  ", "3", "A:B", "40", "Zentharo     (#3)   A:B:40"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        const std::string title = ComposeTitle<std::string>(c.name, c.num, c.game, c.turn);
        EXPECT_EQ(c.title, title);
        const auto parts = ParseTitle(title);
        ASSERT_TRUE(parts);
        EXPECT_EQ(c.name, parts->name);
        EXPECT_EQ(c.num, parts->num);
        EXPECT_EQ(c.game, parts->game);
        EXPECT_EQ(c.turn, parts->turn);
    }
}

TEST(ModuleContract, OtherTitlesAreNotProjections) {
    for (const char* title : {
             "",
             "Zentharo",
             "Alpha",
             "Zentharo  Terra (#17)   Alpha",    // no turn
             "Zentharo  Terra (#17) Alpha:40",   // the number not closed as the module closes it
             "Zentharo  Terra 17)   Alpha:40",   // no number mark
             "Zentharo  Terra(#17)   Alpha:40",  // no space before the number
             "Zentharo Terra (#17)   Alpha:40",  // one space after the prefix's name
             "Zentharo  Terra:40 (#17)   Alpha", // the last colon before the game
             "zentharo  Terra (#17)   Alpha:40",
         }) {
        SCOPED_TRACE(title);
        EXPECT_FALSE(ParseTitle(title));
    }
}

TEST(ModuleContract, GridIdsCoverTheCellsColumnByColumnWithoutOverlap) {
    using namespace ModuleContract;
    static_assert(CellId(0, 0) == 5012 && CellId(1, 0) == 5032 && CellId(16, 19) == 5351);
    static_assert(CellId(kCellColumns - 1, kRows - 1) < ChooserId(0));
    static_assert(ChooserId(19) == 10019);
    static_assert(kCloseCommandId == 57602);
    static_assert(ParseTitle("Zentharo  Terra (#17)   Alpha:40")->num == "17");
    EXPECT_EQ(4u, std::size(kPlacementValues));
}

} // namespace
