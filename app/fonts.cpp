#include "app/fonts.h"

namespace tarvik {

// The face is asked for by its own name: looking up a family that is not
// installed sends Qt through fontconfig's fallbacks, a good part of the
// start-up time.
QFont controlFont(form::Font layout)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(layout.pixelSize);
    font.setBold(layout.bold);
    return font;
}

} // namespace tarvik
