#include "calculator/placement.h"

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

Point placeWideningFrame(Rect available, Margins frame, Size narrowClient, Size wideClient, Point wanted)
{
    const Size widest{std::max(narrowClient.width, wideClient.width),
                      std::max(narrowClient.height, wideClient.height)};
    const bool wideFits = frame.left + widest.width + frame.right <= available.width &&
                          frame.top + widest.height + frame.bottom <= available.height;
    return placeFrame(available, frame, wideFits ? widest : narrowClient, wanted);
}

} // namespace tarvik::placement
