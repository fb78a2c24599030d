// The program as shipped, but it quits as soon as its window is first
// painted: what start-up costs, counted by callgrind. Not installed.

#include "app/form1.h"
#include "app/startup.h"

#include <QApplication>
#include <QEvent>

namespace {

class QuitOnFirstPaint : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            QCoreApplication::exit(0);
        return false;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    tarvik::prepareApplication(app);
    tarvik::TForm1 form1;
    QuitOnFirstPaint quit;
    form1.installEventFilter(&quit);
    form1.placeOnScreen();
    form1.show();
    form1.reopenEstimateOncePainted();
    return app.exec();
}
