// The minimal Qt window of the start-up yardstick, changed as first_map.cpp
// is: it quits as soon as its window is first painted.

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

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

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow win;
    win.setWindowTitle(QStringLiteral("Тарвик-baseline"));
    auto* central = new QWidget(&win);
    auto* v = new QVBoxLayout(central);
    auto* list = new QListWidget(central);
    for (const char* s :
         {"Лист горячекатаный", "Труба профильная", "Уголок равнополочный", "Швеллер", "Балка двутавровая"})
        list->addItem(QString::fromUtf8(s));
    v->addWidget(list);
    auto* grid = new QGridLayout;
    const char* caps[12] = {"Сталь", "Лист",    "Труба",        "Уголок", "Швеллер",    "Балка",
                            "Круг",  "Квадрат", "Шестигранник", "Полоса", "Рассчитать", "Очистить"};
    for (int i = 0; i < 12; ++i)
        grid->addWidget(new QPushButton(QString::fromUtf8(caps[i]), central), i / 3, i % 3);
    v->addLayout(grid);
    win.setCentralWidget(central);
    QuitOnFirstPaint quit;
    win.installEventFilter(&quit);
    win.resize(232, 431);
    win.show();
    return app.exec();
}
