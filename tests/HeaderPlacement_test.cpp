// Header texts over their columns: centred, then pushed apart where they come too close, each centre
// kept over its column.
#include "window/HeaderPlacement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using HeaderPlacement::Header;
using HeaderPlacement::kMinimumGap;

// Twice the text's centre, against twice its column's edges: the centre stays over the column.
void ExpectCentreOverColumn(const Header& header, int left) {
    const int centre = 2 * left + header.textWidth;
    EXPECT_GE(centre, 2 * header.columnLeft);
    EXPECT_LE(centre, 2 * header.columnRight);
}

TEST(HeaderPlacement, PlacesEachTextCentredAndApart) {
    const struct {
        const char* what;
        std::vector<Header> headers;
        std::vector<int> lefts;
    } cases[] = {
        {"a narrow text centred, half a pixel to the left", {{15, 62, 22}}, {27}},
        {"a text wider than its column", {{10, 20, 14}}, {8}},
        {"room enough: nothing moves", {{15, 62, 22}, {63, 110, 15}}, {27, 79}},
        // The two "Need" headers at 96 dots per inch just make it; at 120 they are pushed 1 and 2 px.
        {"exactly the gap", {{687, 734, 44}, {735, 782, 48}}, {688, 735}},
        {"a shortfall of 3", {{859, 918, 57}, {919, 978, 62}}, {859, 919}},
        {"the right one takes the odd pixel", {{0, 40, 40}, {40, 80, 40}}, {-1, 42}},
        {"given right to left", {{40, 80, 40}, {0, 40, 40}}, {42, -1}},
        {"a neighbour with little room: the other moves the more", {{0, 4, 4}, {4, 24, 26}}, {-2, 5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<int> lefts = HeaderPlacement::Place(c.headers);
        EXPECT_EQ(c.lefts, lefts);
        for (std::size_t i = 0; i < c.headers.size(); ++i)
            ExpectCentreOverColumn(c.headers[i], lefts[i]);
    }
}

// Pushing one pair apart closes the gap on the other side of the one in the middle; the passes settle
// the whole row.
TEST(HeaderPlacement, SettlesAChainOfCrowdedTexts) {
    const std::vector<Header> headers = {{0, 30, 30}, {30, 60, 30}, {60, 90, 30}, {90, 120, 30}};
    const std::vector<int> lefts = HeaderPlacement::Place(headers);
    for (std::size_t i = 0; i < headers.size(); ++i) {
        SCOPED_TRACE(i);
        ExpectCentreOverColumn(headers[i], lefts[i]);
        if (i + 1 < headers.size()) {
            EXPECT_GE(lefts[i + 1] - (lefts[i] + headers[i].textWidth), kMinimumGap);
        }
    }
}

// Texts far wider than their columns cannot be kept apart: the placement still ends, every centre
// over its column.
TEST(HeaderPlacement, GivesUpWhereTheColumnsLeaveNoRoom) {
    const std::vector<Header> headers = {{0, 10, 60}, {10, 20, 60}, {20, 30, 60}};
    const std::vector<int> lefts = HeaderPlacement::Place(headers);
    ASSERT_EQ(3u, lefts.size());
    for (std::size_t i = 0; i < headers.size(); ++i)
        ExpectCentreOverColumn(headers[i], lefts[i]);
}

} // namespace
