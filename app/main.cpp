#include "app/form1.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    tarvik::prepareApplication(app);

    tarvik::TForm1 form1;
    // Placed again by the window itself once the window manager has framed
    // it.
    form1.placeOnScreen();
    form1.show();
    form1.reopenEstimateOncePainted();
    return app.exec();
}
