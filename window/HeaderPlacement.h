// Where the column headers' texts go along the top of the grid: each centred over its column, and
// texts that would come too close pushed apart, as far as their centres stay over their columns.
#pragma once

#include <vector>

namespace HeaderPlacement {

// The least room between two neighbouring header texts, in pixels.
constexpr int kMinimumGap = 3;

struct Header {
    int columnLeft, columnRight; // the pixels of its column: right is the first one outside it
    int textWidth;
};

// The left edge of each header's text, in the order given. Each text starts centred over its column;
// where two neighbours are less than kMinimumGap apart, the one on the left moves left and the one on
// the right moves right, half the shortfall each, until the gap is made or a centre would leave its
// column.
std::vector<int> Place(const std::vector<Header>& headers);

} // namespace HeaderPlacement
