// The estimate's desktop face with 10,000 lines (and a start with 100): a
// committed edit shown (model, totals, repaint), a save, an open, and the
// window made and shown. Offscreen, in a temporary data folder.

#include "app/estimate/estimate_keeper.h"
#include "app/estimate/estimate_model.h"
#include "app/estimate/estimate_window.h"
#include "estimate/estimate_table.h"
#include "number/quantity.h"

#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace tarvik;

Calculation rebar(std::uint64_t metres)
{
    Calculation c{u"Арматура", u"Арматура А1", u"12", 0.89, 0, formatAmount(Amount(metres), 0, u','), {}};
    c.result = calculatedText(c.number, u',', c.unitMass, c.mode);
    return c;
}

// A folder holding one estimate of `lines` lines.
std::unique_ptr<QTemporaryDir> folderWith(std::size_t lines)
{
    auto dir = std::make_unique<QTemporaryDir>();
    EstimateKeeper keeper(dir->path(), u',');
    for (std::size_t i = 0; i < lines; ++i) {
        const std::uint64_t id = keeper.estimate().add(rebar(i + 1)).id;
        keeper.estimate().editPrice(id, u"65000");
    }
    keeper.saveSoon();
    keeper.saveNow();
    return dir;
}

void CommitAPriceEditAndShowIt(benchmark::State& state)
{
    const auto dir = folderWith(10'000);
    EstimateKeeper keeper(dir->path(), u',');
    EstimateWindow window(keeper);
    window.present();
    QApplication::processEvents();
    EstimateModel& model = window.model();
    const QModelIndex price = model.index(5000, static_cast<int>(EstimateColumn::Price));
    window.table().scrollTo(price);
    int i = 0;
    for (auto _ : state) {
        model.setData(price, QString::number(60000 + (i++ % 1000)), Qt::EditRole);
        window.repaint(); // the frame that shows it: table, totals
        state.PauseTiming();
        QApplication::processEvents(); // the queued save, timed below
        state.ResumeTiming();
    }
}
BENCHMARK(CommitAPriceEditAndShowIt)->Unit(benchmark::kMillisecond);

void SaveTenThousandLines(benchmark::State& state)
{
    const auto dir = folderWith(10'000);
    EstimateKeeper keeper(dir->path(), u',');
    for (auto _ : state) {
        keeper.saveSoon();
        keeper.saveNow();
    }
}
BENCHMARK(SaveTenThousandLines)->Unit(benchmark::kMillisecond);

void OpenTenThousandLines(benchmark::State& state)
{
    const auto dir = folderWith(10'000);
    for (auto _ : state)
        benchmark::DoNotOptimize(EstimateKeeper(dir->path(), u',').estimate().size());
}
BENCHMARK(OpenTenThousandLines)->Unit(benchmark::kMillisecond);

// What a start costs when the window was open at the last exit.
void OpenTheWindowWithAHundredLines(benchmark::State& state)
{
    const auto dir = folderWith(100);
    for (auto _ : state) {
        EstimateKeeper keeper(dir->path(), u',');
        EstimateWindow window(keeper);
        window.present();
        window.repaint();
    }
}
BENCHMARK(OpenTheWindowWithAHundredLines)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
