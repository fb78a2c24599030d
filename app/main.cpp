#include "fonts.h"
#include "form1.h"
#include "icon.h"
#include "skin.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    tarvik::fonts::installSubstitutions();
    tarvik::applySkin(app);
    app.setWindowIcon(tarvik::applicationIcon());
    // Ties the window to its installed .desktop entry (task bar icon, name).
    QGuiApplication::setDesktopFileName(QStringLiteral("ru.tarvik.tarvik"));

    tarvik::TForm1 form1;
    form1.placeOnScreen();
    form1.show();
    // The frame is known only once the window is shown.
    form1.placeOnScreen();
    return app.exec();
}
