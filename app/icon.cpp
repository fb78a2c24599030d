#include "app/icon.h"

#include "icon_pixels.h"

#include <QImage>
#include <QPixmap>

namespace tarvik {

QIcon applicationIcon()
{
    const QImage image(reinterpret_cast<const uchar*>(iconPixels), iconSize, iconSize, QImage::Format_ARGB32);
    return QIcon(QPixmap::fromImage(image));
}

} // namespace tarvik
