#include "icon.h"

#include <QPainter>
#include <QPixmap>

namespace tarvik {

QIcon applicationIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x50, 0x50, 0x50), 1));
    p.setBrush(QColor(0x9A, 0x9A, 0x9A));
    p.drawRoundedRect(QRectF(5.5, 1.5, 21, 29), 3, 3);
    p.setBrush(QColor(0xD8, 0xE8, 0xD0));
    p.drawRect(QRectF(8.5, 4.5, 15, 6));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x40, 0x40, 0x40));
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRect(9 + 5 * col, 13 + 4 * row, 4, 3);
    return QIcon(pixmap);
}

} // namespace tarvik
