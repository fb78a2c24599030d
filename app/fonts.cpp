#include "fonts.h"

namespace tarvik {

// The face is asked for by its own name: looking up a family that is not
// installed sends Qt through fontconfig's fallbacks, a good part of the
// start-up time.
QFont controlFont(form::Font spec)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(spec.pixelSize);
    font.setBold(spec.bold);
    return font;
}

} // namespace tarvik
