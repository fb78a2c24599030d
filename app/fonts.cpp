#include "fonts.h"

namespace tarvik::fonts {

void installSubstitutions()
{
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}

namespace {
QFont make(const QString& family, int pixelSize, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}
} // namespace

// Both faces are asked for by their substitute directly: looking up a family
// that is not installed sends Qt through fontconfig's fallbacks, a good part
// of the start-up time.
QFont msSansSerif(int pixelSize, bool bold)
{
    return make(QStringLiteral("Liberation Sans"), pixelSize, bold);
}

QFont arial(int pixelSize)
{
    return make(QStringLiteral("Liberation Sans"), pixelSize, false);
}

} // namespace tarvik::fonts
