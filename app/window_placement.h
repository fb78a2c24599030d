#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>

class QWidget;

namespace tarvik {

// The frame's thickness around a top-level window's client area, as far as
// the window system has reported it (none before the window is framed).
QMargins frameMargins(const QWidget& window);

// Moves the top-level `window` so that its frame's top-left corner is at
// `wanted`, or, where the whole frame would not fit there, to the nearest
// position on the available area of the screen that holds `wanted` where it
// does. The frame counts as far as the window system has reported it.
void placeWindow(QWidget& window, QPoint wanted);

// Places a window that will widen to `wideOuterWidth` (frame included) where
// the wide frame fits too, so that widening it later moves nothing.
void placeWideningWindow(QWidget& window, QPoint wanted, int wideOuterWidth);

// Places a top-level window again whenever the window manager changes its
// frame. A window manager frames a window only after it has been mapped,
// and reports the frame's size later still, so a placement at show() time
// counts no title bar: the whole frame is known only at the Move that
// follows.
class FramePlacer : public QObject {
public:
    // Owned by `window`; the first framed placement aims at `wanted`, for a
    // window that will widen to `wideOuterWidth` if that is given.
    FramePlacer(QWidget& window, QPoint wanted, int wideOuterWidth = 0);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    QPoint wanted_;
    int wideOuterWidth_;
    QMargins placedWith_;
    bool framed_ = false;
};

} // namespace tarvik
