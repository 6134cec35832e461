// Header texts centred over their columns and kept apart.
#include "HeaderPlacement.h"

#include <algorithm>
#include <numeric>

namespace HeaderPlacement {

namespace {

// a / 2 rounded down, for negative a too.
int HalfDown(int a) { return a >= 0 ? a / 2 : -((1 - a) / 2); }
int HalfUp(int a) { return -HalfDown(-a); }

// The text's left edges at which its centre, left + width / 2, is still over the column.
int LowestLeft(const Header& header) { return HalfUp(2 * header.columnLeft - header.textWidth); }
int HighestLeft(const Header& header) { return HalfDown(2 * header.columnRight - header.textWidth); }

} // namespace

std::vector<int> Place(const std::vector<Header>& headers) {
    const int count = static_cast<int>(headers.size());
    std::vector<int> left(headers.size());
    for (int i = 0; i < count; ++i) {
        const Header& header = headers[i];
        left[i] = header.columnLeft + HalfDown(header.columnRight - header.columnLeft - header.textWidth);
    }
    std::vector<int> order(headers.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return headers[a].columnLeft + headers[a].columnRight < headers[b].columnLeft + headers[b].columnRight;
    });
    // A push can close the gap on a header's other side; a few passes settle a chain of them. Where
    // the columns leave too little room, the passes stop with the texts as close as they could be
    // brought apart.
    for (int pass = 0; pass < 4 * count; ++pass) {
        bool moved = false;
        for (int k = 0; k + 1 < count; ++k) {
            const int a = order[k], b = order[k + 1];
            const int shortfall = kMinimumGap - (left[b] - (left[a] + headers[a].textWidth));
            if (shortfall <= 0)
                continue;
            const int roomLeft = std::max(0, left[a] - LowestLeft(headers[a]));
            const int roomRight = std::max(0, HighestLeft(headers[b]) - left[b]);
            int toLeft = std::min(shortfall / 2, roomLeft);
            const int toRight = std::min(shortfall - toLeft, roomRight);
            toLeft = std::min(shortfall - toRight, roomLeft);
            left[a] -= toLeft;
            left[b] += toRight;
            moved = moved || toLeft > 0 || toRight > 0;
        }
        if (!moved)
            break;
    }
    return left;
}

} // namespace HeaderPlacement
