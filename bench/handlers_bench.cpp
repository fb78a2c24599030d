// One user action each, through the real widgets on the offscreen platform.

#include "app/drop_down_list.h"
#include "app/form1.h"
#include "app/kinds_list.h"
#include "app/startup.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <benchmark/benchmark.h>

namespace {

tarvik::TForm1* form = nullptr;

template <class T> T* find(const QString& name)
{
    return form->findChild<T*>(name);
}

void chooseKind(int section, int row)
{
    auto* list = find<tarvik::KindsList>(QStringLiteral("sListBox%1").arg(section));
    list->setCurrentRow(row);
    emit list->chosen();
}

void ChooseSeamlessHotRolledPipe(benchmark::State& state)
{
    for (auto _ : state)
        chooseKind(9, 2); // 91 sizes and the first-level picker
}
BENCHMARK(ChooseSeamlessHotRolledPipe);

void ChooseFirstLevel(benchmark::State& state)
{
    chooseKind(9, 2);
    auto* first = find<tarvik::DropDownList>(QStringLiteral("sComboBoxE1"));
    int i = 0;
    for (auto _ : state) {
        first->setCurrentIndex(i);
        emit first->activated(i);
        i = (i + 1) % first->count();
    }
}
BENCHMARK(ChooseFirstLevel);

void Calculate(benchmark::State& state)
{
    chooseKind(1, 0);
    find<QRadioButton>(QStringLiteral("sRadioGroupItem0"))->click();
    find<tarvik::DropDownList>(QStringLiteral("sComboBoxElement"))->setItemIndex(3);
    find<QLineEdit>(QStringLiteral("sEditParam"))->setText(QStringLiteral("12,5"));
    auto* button = find<QPushButton>(QStringLiteral("sButtonCalc"));
    for (auto _ : state)
        button->click();
}
BENCHMARK(Calculate);

void HeaderClick(benchmark::State& state)
{
    auto* first = find<QPushButton>(QStringLiteral("sButton1"));
    auto* other = find<QPushButton>(QStringLiteral("sButton9"));
    bool flip = false;
    for (auto _ : state) {
        (flip ? first : other)->click();
        flip = !flip;
    }
}
BENCHMARK(HeaderClick);

void TypedKey(benchmark::State& state)
{
    auto* edit = find<QLineEdit>(QStringLiteral("sEditParam"));
    edit->setText(QStringLiteral("12"));
    edit->setFocus();
    bool type = true;
    for (auto _ : state) {
        // A digit, then Backspace, so the text stays short.
        QKeyEvent press(QEvent::KeyPress, type ? Qt::Key_5 : Qt::Key_Backspace, Qt::NoModifier,
                        type ? QStringLiteral("5") : QStringLiteral("\b"));
        QApplication::sendEvent(edit, &press);
        type = !type;
    }
}
BENCHMARK(TypedKey);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tarvik::prepareApplication(app);
    tarvik::TForm1 window;
    window.setSeparatorSource([] { return u','; });
    window.show();
    form = &window;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
