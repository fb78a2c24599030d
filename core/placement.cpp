#include "placement.h"

#include <algorithm>

namespace tarvik::placement {
namespace {

// The start of a span of `length` within [low, high), as near to `wanted` as
// it can be; the low edge wins where the span is longer than the room.
int fit(int wanted, int length, int low, int high)
{
    return std::max(low, std::min(wanted, high - length));
}

} // namespace

Point placeFrame(Rect available, Margins frame, Size client, Point wanted)
{
    const int outerWidth = frame.left + client.width + frame.right;
    const int outerHeight = frame.top + client.height + frame.bottom;
    return {fit(wanted.x, outerWidth, available.left, available.right()),
            fit(wanted.y, outerHeight, available.top, available.bottom())};
}

} // namespace tarvik::placement
