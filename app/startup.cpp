#include "startup.h"

#include "fonts.h"
#include "icon.h"
#include "skin.h"

#include <QApplication>

namespace tarvik {

void prepareApplication(QApplication& app)
{
    fonts::installSubstitutions();
    applySkin(app);
    app.setWindowIcon(applicationIcon());
    // Ties the window to its installed .desktop entry (task bar icon, name).
    QGuiApplication::setDesktopFileName(QStringLiteral("ru.tarvik.tarvik"));
}

} // namespace tarvik
