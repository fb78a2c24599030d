#pragma once

// Where a top-level window goes on the screen, in plain pixel geometry: the
// window system adds a frame (title bar and borders) around the client area,
// and it is the whole frame that must stay on the screen.

namespace tarvik::placement {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }  // one past the last column
    int bottom() const { return top + height; } // one past the last row
};

// The frame's thickness on each side of the client area; `top` holds the
// title bar.
struct Margins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The frame's top-left corner for a client area of `client` framed by
// `frame`: `wanted` whenever the whole frame fits there inside `available`
// (the screen less its panels), otherwise the nearest position where it
// does. A frame wider or taller than `available` goes to its left or top
// edge, so that the title bar, and with it the means to move and close the
// window, stays on the screen.
Point placeFrame(Rect available, Margins frame, Size client, Point wanted);

// Where a window that starts narrow and widens later (its client growing to
// `wideClient`, rightwards) starts: where the wide frame also fits, so that
// widening moves nothing under the pointer; where no such place exists, as
// the narrow window alone would be placed.
Point placeWideningFrame(Rect available, Margins frame, Size narrowClient, Size wideClient, Point wanted);

} // namespace tarvik::placement
