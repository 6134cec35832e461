// The reachability rule for a frame's placement.
#include "FramePlacement.h"

#include <algorithm>

namespace {

// A stored size the frame can keep: the size itself, or absent for the default.
std::optional<int> SaneSize(std::optional<int> size, int limit) {
    if (size && (*size < 0 || *size > limit))
        return std::nullopt;
    return size;
}

// The size the frame will have, when it is known: a default or zero size is the window system's choice.
std::optional<long long> KnownExtent(std::optional<int> size, bool defaultSize, int minimum) {
    if (defaultSize || !size || *size <= 0)
        return std::nullopt;
    return std::max(*size, minimum);
}

// The nearest position at which a frame of this extent lies wholly inside the client, or its edge. A
// frame of the default size goes to the edge: the window system sizes it to fit from there.
int Fitted(long long position, std::optional<long long> extent, int client) {
    if (!extent)
        return 0;
    return static_cast<int>(std::clamp(position, 0LL, std::max(0LL, client - *extent)));
}

} // namespace

FramePlacement FramePlacement::Reachable(const FrameLimits& limits) const {
    FramePlacement placed = *this;
    placed.cx = SaneSize(cx, limits.maxWidth);
    placed.cy = SaneSize(cy, limits.maxHeight);

    // A zero width or height opens the frame at the default size in both directions.
    const bool defaultSize = (placed.cx && *placed.cx == 0) || (placed.cy && *placed.cy == 0);
    const std::optional<long long> width = KnownExtent(placed.cx, defaultSize, limits.minWidth);
    const std::optional<long long> height = KnownExtent(placed.cy, defaultSize, limits.minHeight);
    const long long grip = limits.titleBarHeight;

    // An unknown width is judged as the smallest frame's: the default is never narrower.
    if (x && limits.clientWidth > 0) {
        const long long left = *x;
        if (left + width.value_or(limits.minWidth) < grip || left > limits.clientWidth - grip)
            placed.x = Fitted(left, width, limits.clientWidth);
    }
    if (y && limits.clientHeight > 0) {
        const long long top = *y;
        if (top < -grip || top > limits.clientHeight - grip)
            placed.y = Fitted(top, height, limits.clientHeight);
    }
    return placed;
}
