// One user action each, through the real widgets on the offscreen platform.

#include "app/drop_down_list.h"
#include "app/form1.h"
#include "app/kinds_list.h"
#include "app/startup.h"

#include <QApplication>
#include <QComboBox>
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

// «Расчитать» on an own unequal angle in a stainless grade: the exact area,
// the density, the basis line beside the result.
void CalculateOwnSection(benchmark::State& state)
{
    chooseKind(13, 8);
    find<QRadioButton>(QStringLiteral("sRadioGroupItem0"))->click();
    const QString dims[] = {QStringLiteral("125"), QStringLiteral("80"), QStringLiteral("8"),
                            QStringLiteral("11"), QStringLiteral("3,7")};
    for (int i = 0; i < 5; ++i)
        find<QLineEdit>(QStringLiteral("sEditDimension%1").arg(i + 1))->setText(dims[i]);
    auto* metal = find<QComboBox>(QStringLiteral("sComboBoxMetal"));
    metal->setCurrentIndex(1);
    emit metal->activated(1);
    find<QLineEdit>(QStringLiteral("sEditParam"))->setText(QStringLiteral("12,5"));
    auto* button = find<QPushButton>(QStringLiteral("sButtonCalc"));
    for (auto _ : state)
        button->click();
}
BENCHMARK(CalculateOwnSection);

// A metal picked from its list: the grades refilled, the shown result dimmed.
void ChooseMetal(benchmark::State& state)
{
    chooseKind(9, 2);
    auto* metal = find<QComboBox>(QStringLiteral("sComboBoxMetal"));
    int i = 0;
    for (auto _ : state) {
        i = (i + 1) % metal->count();
        metal->setCurrentIndex(i);
        emit metal->activated(i);
    }
}
BENCHMARK(ChooseMetal);

// An own kind chosen: the size lists hidden, one field per dimension shown.
void ChooseOwnKind(benchmark::State& state)
{
    int i = 0;
    for (auto _ : state) {
        i = (i + 1) % 9;
        chooseKind(13, i);
    }
}
BENCHMARK(ChooseOwnKind);

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
    // The material's choice stays in memory, out of the user's settings.
    window.setMaterialStore({[] { return QString(); }, [](const QString&) {}});
    window.show();
    form = &window;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
