#include "app/window_placement.h"

#include "calculator/placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tarvik {

QMargins frameMargins(const QWidget& window)
{
    const QRect client = window.geometry();
    const QRect frame = window.frameGeometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

namespace {

// `wideOuterWidth` 0: the window keeps its width.
void place(QWidget& window, QPoint wanted, int wideOuterWidth)
{
    const QScreen* screen = QGuiApplication::screenAt(wanted);
    if (!screen)
        screen = window.screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QMargins m = frameMargins(window);
    const placement::Rect available{area.left(), area.top(), area.width(), area.height()};
    const placement::Margins frame{m.left(), m.top(), m.right(), m.bottom()};
    const placement::Size client{window.width(), window.height()};
    const placement::Size wide{wideOuterWidth - m.left() - m.right(), window.height()};
    const placement::Point at =
        wideOuterWidth > 0
            ? placement::placeWideningFrame(available, frame, client, wide, {wanted.x(), wanted.y()})
            : placement::placeFrame(available, frame, client, {wanted.x(), wanted.y()});
    // move() places a top-level window's frame, not its client area.
    if (window.frameGeometry().topLeft() != QPoint(at.x, at.y))
        window.move(at.x, at.y);
}

} // namespace

void placeWindow(QWidget& window, QPoint wanted)
{
    place(window, wanted, 0);
}

void placeWideningWindow(QWidget& window, QPoint wanted, int wideOuterWidth)
{
    place(window, wanted, wideOuterWidth);
}

FramePlacer::FramePlacer(QWidget& window, QPoint wanted, int wideOuterWidth)
    : QObject(&window), window_(window), wanted_(wanted), wideOuterWidth_(wideOuterWidth)
{
    window.installEventFilter(this);
}

bool FramePlacer::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == &window_ && (type == QEvent::Move || type == QEvent::Show || type == QEvent::Resize)) {
        const QMargins margins = frameMargins(window_);
        if (margins != placedWith_ && !margins.isNull()) {
            placedWith_ = margins;
            // Later changes of the frame keep the window where the user
            // has put it, as far as it fits.
            if (framed_)
                placeWindow(window_, window_.frameGeometry().topLeft());
            else
                place(window_, wanted_,
                      window_.frameGeometry().width() < wideOuterWidth_ ? wideOuterWidth_ : 0);
            framed_ = true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tarvik
