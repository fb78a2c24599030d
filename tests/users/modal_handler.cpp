#include "modal_handler.h"

#include "common.h"

#include <QAbstractButton>
#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTimer>

namespace tarvik::users {

bool ModalHandler::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Show)
        return false;
    if (auto* box = qobject_cast<QMessageBox*>(watched)) {
        // Read the box once it is laid out and running its own loop.
        QTimer::singleShot(0, box, [this, box] {
            record(box);
            if (QAbstractButton* ok = box->button(QMessageBox::Ok))
                ok->click();
            else
                box->reject();
        });
    } else if (auto* menu = qobject_cast<QMenu*>(watched)) {
        QTimer::singleShot(0, menu, [this, menu] { answer(menu); });
    }
    return false;
}

void ModalHandler::record(QMessageBox* box)
{
    BoxSeen seen;
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.buttons = static_cast<int>(box->buttons().size());
    seen.format = box->textFormat();
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
        const QScreen* screen = box->screen() ? box->screen() : QGuiApplication::primaryScreen();
        const QRect area = screen->availableGeometry();
        const QRect okGlobal(ok->mapToGlobal(QPoint(0, 0)), ok->size());
        const QRect okInBox(ok->mapTo(box, QPoint(0, 0)), ok->size());
        seen.okReachable = ok->isVisible() && area.contains(okGlobal) && box->rect().contains(okInBox);
        seen.geometry = QStringLiteral("box %1,%2 %3x%4, OK at %5,%6, screen area %7x%8")
                            .arg(box->x())
                            .arg(box->y())
                            .arg(box->width())
                            .arg(box->height())
                            .arg(okGlobal.x())
                            .arg(okGlobal.y())
                            .arg(area.width())
                            .arg(area.height());
    }
    boxes.push_back(seen);
    ++totalBoxes;
}

void ModalHandler::answer(QMenu* menu)
{
    QAction* chosen = nullptr;
    if (menuCommand || !menuEntry.isEmpty()) {
        const QString wanted =
            menuCommand ? QString::fromLatin1(commandName(static_cast<int>(*menuCommand))) : menuEntry;
        for (QAction* a : menu->actions()) {
            QString text = a->text();
            text.remove(u'&');
            if (text.section(u'\t', 0, 0) == wanted)
                chosen = a;
        }
    }
    menuHandled = true;
    menu->close();
    if (chosen && chosen->isEnabled())
        chosen->trigger();
}

} // namespace tarvik::users
