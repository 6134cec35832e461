// The placement rule of projection frames: what is kept, what is brought back within reach.
#include "window/FramePlacement.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

// A 1000 x 600 client with the edges Wine gives a projection frame: 4-pixel borders, a 19-pixel caption
// (23 from the top edge), an 18-pixel icon at its left and three 18-pixel buttons at its right. The
// draggable part of a frame's caption runs from 22 pixels after its left edge to 58 before its right.
constexpr FrameLimits kLimits = {1000, 600, 23, 112, 27, 1292, 1036, 4, 22, 58};

constexpr std::optional<int> kDefault;

std::string Text(const std::optional<int>& value) { return value ? std::to_string(*value) : "default"; }

std::string Text(const FramePlacement& p) { return Text(p.x) + "," + Text(p.y) + " " + Text(p.cx) + "x" + Text(p.cy); }

struct Case {
    const char* name;
    FramePlacement stored;
    FramePlacement expected;
};

void ExpectPlaced(const Case& c, const FrameLimits& limits) {
    SCOPED_TRACE(c.name);
    const FramePlacement placed = c.stored.Reachable(limits);
    EXPECT_EQ(Text(c.expected), Text(placed));
    // A corrected placement is one the rule keeps: closing such a window saves it unchanged.
    EXPECT_EQ(Text(placed), Text(placed.Reachable(limits)));
}

// The reach of a 700 x 450 frame: 40 pixels of its draggable caption within the client's width, and 7
// of its 19 caption rows (a third) within its height.
TEST(FramePlacement, KeepsEveryPlacementWithTheTitleBarWithinReach) {
    const Case cases[] = {
        {"inside", {40, 30, 700, 450}, {40, 30, 700, 450}},
        {"partly left and above", {-10, -10, kDefault, 333}, {-10, -10, kDefault, 333}},
        {"a position only", {120, 80, kDefault, kDefault}, {120, 80, kDefault, kDefault}},
        {"a minimised frame's rectangle", {0, 576, 160, 24}, {0, 576, 160, 24}},
        {"40 pixels of caption left of the right edge", {938, 30, 700, 450}, {938, 30, 700, 450}},
        {"40 pixels of caption right of the left edge", {-602, 30, 700, 450}, {-602, 30, 700, 450}},
        {"a third of the caption above the bottom edge", {40, 589, 700, 450}, {40, 589, 700, 450}},
        {"a third of the caption below the top edge", {40, -16, 700, 450}, {40, -16, 700, 450}},
        {"the whole caption of the smallest frame", {-22, 30, kDefault, 450}, {-22, 30, kDefault, 450}},
        {"the largest size", {0, 0, 1292, 1036}, {0, 0, 1292, 1036}},
        {"zero sizes, the default size", {0, 0, 0, 0}, {0, 0, 0, 0}},
        {"smaller than the smallest frame", {10, 10, 5, 5}, {10, 10, 5, 5}},
        {"nothing stored", {}, {}},
    };
    for (const Case& c : cases)
        ExpectPlaced(c, kLimits);
}

TEST(FramePlacement, BringsTheTitleBarBackKeepingTheSize) {
    const Case cases[] = {
        {"far right", {100000, 30, 700, 450}, {300, 30, 700, 450}},
        {"a text \"100\" read as a number", {3158065, 30, 600, 450}, {400, 30, 600, 450}},
        {"39 pixels of caption left of the right edge", {939, 30, 700, 450}, {300, 30, 700, 450}},
        {"39 pixels of caption right of the left edge", {-603, 30, 700, 450}, {0, 30, 700, 450}},
        {"only the icon inside", {985, 30, 700, 450}, {300, 30, 700, 450}},
        {"only the caption buttons inside", {-650, 30, 700, 450}, {0, 30, 700, 450}},
        {"far left", {-100000, 30, 700, 450}, {0, 30, 700, 450}},
        {"less than a third of the caption below the top edge", {40, -17, 700, 450}, {40, 0, 700, 450}},
        {"the caption just above the top edge", {40, -23, 700, 450}, {40, 0, 700, 450}},
        {"a maximised frame's rectangle, its caption above the client", {-4, -23, 1008, 627}, {-4, 0, 1008, 627}},
        {"less than a third of the caption above the bottom edge", {40, 590, 700, 450}, {40, 150, 700, 450}},
        {"below the client", {40, 100000, 700, 450}, {40, 150, 700, 450}},
        {"larger than the client", {5000, 5000, 1200, 700}, {0, 0, 1200, 700}},
        {"both out of range", {INT_MIN, INT_MAX, 700, 450}, {0, 150, 700, 450}},
        // Sizes not known here: judged as the smallest frame, placed at the edge to open at the default.
        {"left with the default width", {-23, 30, kDefault, 450}, {0, 30, kDefault, 450}},
        {"far right with zero sizes", {100000, 100000, 0, 0}, {0, 0, 0, 0}},
        {"below with the default height", {40, 100000, 700, kDefault}, {40, 0, 700, kDefault}},
    };
    for (const Case& c : cases)
        ExpectPlaced(c, kLimits);
}

// The window system reads a position from x: without it, y is ignored; with it, a default y is taken as
// the literal value of the default, which lies far above the client.
TEST(FramePlacement, CompletesAPositionTheWindowSystemWouldMisread) {
    const Case cases[] = {
        {"an x with no y", {120, kDefault, kDefault, kDefault}, {120, 0, kDefault, kDefault}},
        {"an x out of reach with no y", {100000, kDefault, 700, 450}, {300, 0, 700, 450}},
        {"a y with no x", {kDefault, 80, 700, 450}, {kDefault, kDefault, 700, 450}},
        {"a y out of reach with no x", {kDefault, 100000, kDefault, kDefault}, {}},
    };
    for (const Case& c : cases)
        ExpectPlaced(c, kLimits);
}

TEST(FramePlacement, GivesUpSizesBeyondReasonForTheDefault) {
    const Case cases[] = {
        {"too wide", {40, 30, 100000, 450}, {40, 30, kDefault, 450}},
        {"one pixel too wide", {40, 30, 1293, 450}, {40, 30, kDefault, 450}},
        {"too high", {40, 30, 700, 1037}, {40, 30, 700, kDefault}},
        {"negative", {40, 30, -5, -1}, {40, 30, kDefault, kDefault}},
        {"the largest numbers", {40, 30, INT_MAX, INT_MIN}, {40, 30, kDefault, kDefault}},
        {"too wide and far right", {100000, 30, 100000, 450}, {0, 30, kDefault, 450}},
    };
    for (const Case& c : cases)
        ExpectPlaced(c, kLimits);
}

TEST(FramePlacement, AClientWithoutAreaJudgesNoPosition) {
    // The host minimised: nothing to measure a position against, but sizes are still judged.
    const FrameLimits minimised = {0, 0, 23, 112, 27, 1292, 1036, 4, 22, 58};
    const Case cases[] = {
        {"far out", {100000, -100000, 700, 450}, {100000, -100000, 700, 450}},
        {"too large", {40, 30, 100000, 100000}, {40, 30, kDefault, kDefault}},
        {"an x with no y, which still needs one", {100000, kDefault, 700, 450}, {100000, 0, 700, 450}},
    };
    for (const Case& c : cases)
        ExpectPlaced(c, minimised);
}

} // namespace
