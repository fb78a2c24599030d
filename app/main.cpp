#include "form1.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    tarvik::prepareApplication(app);

    tarvik::TForm1 form1;
    form1.placeOnScreen();
    form1.show();
    // The frame is known only once the window is shown.
    form1.placeOnScreen();
    return app.exec();
}
