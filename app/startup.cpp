#include "app/startup.h"

#include "app/icon.h"
#include "app/skin.h"
#include "app/translations.h"

#include <QApplication>
#include <QLocale>

namespace tarvik {

void prepareApplication(QApplication& app)
{
    installQtTranslations(app, QLocale::system());
    applySkin(app);
    app.setWindowIcon(applicationIcon());
    // Ties the window to its installed .desktop entry (task bar icon, name).
    QGuiApplication::setDesktopFileName(QStringLiteral("ru.tarvik.tarvik"));
}

} // namespace tarvik
