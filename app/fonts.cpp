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

QFont msSansSerif(int pixelSize, bool bold)
{
    return make(QStringLiteral("MS Sans Serif"), pixelSize, bold);
}

QFont arial(int pixelSize)
{
    return make(QStringLiteral("Arial"), pixelSize, false);
}

} // namespace tarvik::fonts
