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

// How much of [begin, end) lies inside [0, limit).
long long Inside(long long begin, long long end, long long limit) {
    return std::max(0LL, std::min(end, limit) - std::max(begin, 0LL));
}

} // namespace

FramePlacement FramePlacement::Reachable(const FrameLimits& limits) const {
    FramePlacement placed = *this;
    placed.cx = SaneSize(cx, limits.maxWidth);
    placed.cy = SaneSize(cy, limits.maxHeight);
    if (!x)
        placed.y = std::nullopt;
    else if (!y)
        placed.y = 0;

    // A zero width or height opens the frame at the default size in both directions.
    const bool defaultSize = (placed.cx && *placed.cx == 0) || (placed.cy && *placed.cy == 0);
    const std::optional<long long> width = KnownExtent(placed.cx, defaultSize, limits.minWidth);
    const std::optional<long long> height = KnownExtent(placed.cy, defaultSize, limits.minHeight);

    // An unknown width is judged as the smallest frame's: the default is never narrower.
    if (placed.x && limits.clientWidth > 0) {
        const long long left = *placed.x;
        const long long gripBegin = left + limits.gripLeft;
        const long long gripEnd = left + width.value_or(limits.minWidth) - limits.gripRight;
        const long long needed = std::clamp<long long>(gripEnd - gripBegin, 1, kGripWidth);
        if (Inside(gripBegin, gripEnd, limits.clientWidth) < needed)
            placed.x = Fitted(left, width, limits.clientWidth);
    }
    if (placed.y && limits.clientHeight > 0) {
        const long long top = *placed.y;
        const long long captionHeight = limits.titleBarHeight - limits.captionTop;
        const long long needed = std::max(1LL, (captionHeight + kGripHeightShare - 1) / kGripHeightShare);
        if (Inside(top + limits.captionTop, top + limits.titleBarHeight, limits.clientHeight) < needed)
            placed.y = Fitted(top, height, limits.clientHeight);
    }
    return placed;
}
