#include "window_placement.h"

#include "core/placement.h"

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

void placeWindow(QWidget& window, QPoint wanted)
{
    const QScreen* screen = QGuiApplication::screenAt(wanted);
    if (!screen)
        screen = window.screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QMargins m = frameMargins(window);
    const placement::Point at = placement::placeFrame(
        {area.left(), area.top(), area.width(), area.height()}, {m.left(), m.top(), m.right(), m.bottom()},
        {window.width(), window.height()}, {wanted.x(), wanted.y()});
    // move() places a top-level window's frame, not its client area.
    if (window.frameGeometry().topLeft() != QPoint(at.x, at.y))
        window.move(at.x, at.y);
}

FramePlacer::FramePlacer(QWidget& window, QPoint wanted) : QObject(&window), window_(window), wanted_(wanted)
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
            placeWindow(window_, framed_ ? window_.frameGeometry().topLeft() : wanted_);
            framed_ = true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tarvik
