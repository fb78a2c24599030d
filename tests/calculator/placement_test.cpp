#include "calculator/form_layout.h"
#include "calculator/placement.h"

#include <gtest/gtest.h>

using namespace tarvik;
using namespace tarvik::placement;

namespace {

// A window manager's frame: a 20-px title bar over 1-px borders.
constexpr Margins titleBar{1, 21, 1, 1};
// The cases were reckoned for a client height of 431 (the window before the material's controls);
// the placement does not care which.
constexpr Size narrow{form::clientWidth, 431}; // frame 234 x 453
constexpr Size wide{644 - 2, 431};             // frame 644 x 453
constexpr Size tallWide{644 - 2, form::clientHeight};
constexpr Point stored{form::startLeft, form::startTop};

struct Case {
    const char* name;
    Rect available;
    Size client;
    Point wanted;
    Point expected;
};

const Case cases[] = {
    {"a large screen keeps the stored position", {0, 0, 1920, 1040}, narrow, stored, stored},
    {"and keeps it once widened", {0, 0, 1920, 1040}, wide, stored, stored},
    // 350 + 431 fits in 800 rows; the title bar does not.
    {"the title bar counts", {0, 0, 1280, 800}, narrow, stored, {979, 800 - 453}},
    {"widening moves left only as far as needed", {0, 0, 1280, 800}, wide, stored, {1280 - 644, 347}},
    {"1366x768 keeps the stored left", {0, 0, 1366, 768}, narrow, stored, {979, 768 - 453}},
    {"1366x768 wide", {0, 0, 1366, 768}, wide, stored, {1366 - 644, 315}},
    {"1024x768 narrow", {0, 0, 1024, 768}, narrow, stored, {1024 - 234, 315}},
    {"1024x768 wide", {0, 0, 1024, 768}, wide, stored, {1024 - 644, 315}},
    {"800x600 narrow", {0, 0, 800, 600}, narrow, stored, {800 - 234, 600 - 453}},
    {"800x600 wide", {0, 0, 800, 600}, wide, stored, {800 - 644, 147}},
    {"a panel at the top and the bottom", {0, 30, 1024, 700}, wide, stored, {1024 - 644, 730 - 453}},
    {"a window the user moved stays where it fits", {0, 0, 1366, 768}, wide, {100, 40}, {100, 40}},
    {"a position above or left of the area comes in", {0, 24, 1366, 744}, narrow, {-50, 0}, {0, 24}},
    {"a screen right of the first one", {1920, 0, 1280, 1024}, narrow, stored, {1920, 350}},
    // Too short (and too narrow) for the frame: the title bar stays on it.
    {"a short screen keeps the title bar", {0, 24, 683, 360}, wide, stored, {683 - 644, 24}},
    {"a narrow screen keeps the left edge", {10, 0, 600, 1000}, wide, stored, {10, 350}},
    // The window with the material's controls: the whole frame on a 1024 x 768 screen.
    {"the tall window on 1024x768",
     {0, 0, 1024, 768},
     tallWide,
     stored,
     {1024 - 644, 768 - form::clientHeight - 22}},
};

TEST(Placement, KeepsTheWholeFrameOnTheAvailableArea)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Point at = placeFrame(c.available, titleBar, c.client, c.wanted);
        EXPECT_EQ(at.x, c.expected.x);
        EXPECT_EQ(at.y, c.expected.y);
        // Wherever the frame fits at all, all of it is on the area.
        const int outerWidth = c.client.width + titleBar.left + titleBar.right;
        const int outerHeight = c.client.height + titleBar.top + titleBar.bottom;
        if (outerWidth <= c.available.width) {
            EXPECT_GE(at.x, c.available.left);
            EXPECT_LE(at.x + outerWidth, c.available.right());
        }
        if (outerHeight <= c.available.height) {
            EXPECT_GE(at.y, c.available.top);
            EXPECT_LE(at.y + outerHeight, c.available.bottom());
        }
    }
}

TEST(Placement, ANarrowStartWindowStandsWhereWideningMovesNothing)
{
    const struct {
        const char* name;
        Rect available;
        Point wanted;
        Point expected;
    } cases[] = {
        {"a large screen keeps the stored position", {0, 0, 1920, 1040}, stored, stored},
        {"1366x768 starts where the wide frame fits", {0, 0, 1366, 768}, stored, {1366 - 644, 315}},
        {"1024x768 too", {0, 0, 1024, 768}, stored, {1024 - 644, 315}},
        {"a window the user moved stays", {0, 0, 1366, 768}, {100, 40}, {100, 40}},
        // No place holds the wide frame: as the narrow one alone.
        {"a narrow screen places the narrow frame", {0, 0, 600, 1000}, stored, {600 - 234, 350}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Point start = placeWideningFrame(c.available, titleBar, narrow, wide, c.wanted);
        EXPECT_EQ(start, c.expected);
        // Where the wide frame fits, widening in place keeps it on the area,
        // so the later placement leaves it where it is.
        if (wide.width + 2 <= c.available.width) {
            EXPECT_EQ(placeFrame(c.available, titleBar, wide, start), start);
        }
    }
}

} // namespace
