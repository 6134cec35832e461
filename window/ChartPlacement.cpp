// The sides tried in turn, and the place taken when none has room.
#include "ChartPlacement.h"

#include <algorithm>

namespace ChartPlacement {
namespace {

// The nearest start of a span of length size that lies within [first, last).
int Within(int start, int size, int first, int last) { return std::max(first, std::min(start, last - size)); }

ScreenBox At(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

} // namespace

ScreenBox Beside(const ScreenBox& projection, const ScreenBox& workArea, int width, int height) {
    width = std::max(0, std::min(width, workArea.Width()));
    height = std::max(0, std::min(height, workArea.Height()));
    const int levelTop = Within(projection.top, height, workArea.top, workArea.bottom);
    const int levelLeft = Within(projection.left, width, workArea.left, workArea.right);
    if (projection.right + width <= workArea.right && projection.right >= workArea.left)
        return At(projection.right, levelTop, width, height);
    if (projection.left - width >= workArea.left && projection.left <= workArea.right)
        return At(projection.left - width, levelTop, width, height);
    if (projection.bottom + height <= workArea.bottom && projection.bottom >= workArea.top)
        return At(levelLeft, projection.bottom, width, height);
    if (projection.top - height >= workArea.top && projection.top <= workArea.bottom)
        return At(levelLeft, projection.top - height, width, height);
    return At(workArea.right - width, levelTop, width, height);
}

} // namespace ChartPlacement
