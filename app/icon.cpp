#include "icon.h"

// The resources live in a static library: register them before first use.
static void registerIconResource()
{
    Q_INIT_RESOURCE(tarvik);
}

namespace tarvik {

QIcon applicationIcon()
{
    registerIconResource();
    // Drawn from data/icons/hicolor/scalable/apps/tarvik.svg and compiled in,
    // so the program reads no files at run time.
    return QIcon(QStringLiteral(":/MAINICON.png"));
}

} // namespace tarvik
