// An estimate of 10,000 lines: one edit, its totals, saving, opening and
// the CSV, each as a face would ask for it.

#include "estimate/estimate_csv.h"
#include "estimate/estimate_file.h"
#include "estimate/estimate_library.h"
#include "filled_estimate.h"
#include "tests/estimate/fake_storage.h"

#include <benchmark/benchmark.h>

#include <optional>

namespace {

using namespace tarvik;
using namespace tarvik::testing;

constexpr std::size_t lineCount = 10'000;

Estimate& bigEstimate()
{
    static Estimate e = [] {
        Estimate made = makeEstimate();
        fillEstimate(made, lineCount);
        return made;
    }();
    return e;
}

void AddLine(benchmark::State& state)
{
    Estimate e = makeEstimate();
    fillEstimate(e, lineCount);
    const Calculation c = rebar12(u"12,5");
    for (auto _ : state)
        benchmark::DoNotOptimize(e.add(c));
}
BENCHMARK(AddLine)->Unit(benchmark::kMicrosecond);

void EditPrice(benchmark::State& state)
{
    Estimate& e = bigEstimate();
    const std::uint64_t id = e.line(lineCount / 2).id;
    bool odd = false;
    for (auto _ : state) {
        benchmark::DoNotOptimize(e.editPrice(id, odd ? u"61000,10" : u"62000"));
        odd = !odd;
    }
}
BENCHMARK(EditPrice)->Unit(benchmark::kMicrosecond);

void EditQuantity(benchmark::State& state)
{
    Estimate& e = bigEstimate();
    const std::uint64_t id = e.line(lineCount / 2).id;
    bool odd = false;
    for (auto _ : state) {
        benchmark::DoNotOptimize(e.editQuantity(id, odd ? u"123,456" : u"7"));
        odd = !odd;
    }
}
BENCHMARK(EditQuantity)->Unit(benchmark::kMicrosecond);

void Totals(benchmark::State& state)
{
    const Estimate& e = bigEstimate();
    for (auto _ : state) {
        const EstimateTotals& t = e.totals();
        benchmark::DoNotOptimize(tonnesInThousandths(t.grams));
        benchmark::DoNotOptimize(vatIncluded(t.kopecks, e.vatRate()));
    }
}
BENCHMARK(Totals)->Unit(benchmark::kMicrosecond);

void Save(benchmark::State& state)
{
    const Estimate& e = bigEstimate();
    for (auto _ : state)
        benchmark::DoNotOptimize(estimateFileBytes(e));
    state.counters["bytes"] = static_cast<double>(estimateFileBytes(e).size());
}
BENCHMARK(Save)->Unit(benchmark::kMillisecond);

void Open(benchmark::State& state)
{
    const std::string bytes = estimateFileBytes(bigEstimate());
    for (auto _ : state)
        benchmark::DoNotOptimize(readEstimateFile(bytes, u',', Counter{}, Counter{}));
}
BENCHMARK(Open)->Unit(benchmark::kMillisecond);

// A committed edit as the face saves it: the stored bytes read and
// compared, the estimate written.
void LibrarySave(benchmark::State& state)
{
    FakeStorage storage;
    EstimateLibrary library(storage, u',', Counter{}, Counter{}, 1);
    fillEstimate(library.estimate(), lineCount);
    library.save();
    const std::uint64_t id = library.estimate().line(lineCount / 2).id;
    bool odd = false;
    for (auto _ : state) {
        library.estimate().editPrice(id, odd ? u"61000,10" : u"62000");
        odd = !odd;
        benchmark::DoNotOptimize(library.save());
    }
}
BENCHMARK(LibrarySave)->Unit(benchmark::kMillisecond);

// Another process's «Очистить смету» of all 10,000 lines, folded into
// the estimate: in the core, and as the face's library meets it, reading
// the stored file first.
void MergeClear(benchmark::State& state)
{
    const Estimate& before = bigEstimate();
    Estimate cleared = before;
    cleared.clear();
    for (auto _ : state) {
        state.PauseTiming();
        Estimate e = before;
        state.ResumeTiming();
        e.mergeFrom(cleared);
        benchmark::DoNotOptimize(e.size());
    }
}
BENCHMARK(MergeClear)->Unit(benchmark::kMillisecond);

void LibraryMergeClear(benchmark::State& state)
{
    FakeStorage storage;
    Counter clock;
    std::u16string key;
    std::string filled, cleared;
    {
        EstimateLibrary here(storage, u',', Counter{}, clock, 1);
        fillEstimate(here.estimate(), lineCount);
        here.save();
        key = here.key();
        filled = storage.entries.at(key);
        EstimateLibrary there(storage, u',', Counter{}, clock, 1);
        there.estimate().clear();
        there.save();
        cleared = storage.entries.at(key);
    }
    std::optional<EstimateLibrary> library;
    for (auto _ : state) {
        state.PauseTiming();
        storage.entries[key] = filled;
        library.reset();
        library.emplace(storage, u',', Counter{}, clock, 1);
        storage.entries[key] = cleared;
        state.ResumeTiming();
        benchmark::DoNotOptimize(library->refresh());
    }
    if (library->estimate().size() != 0)
        state.SkipWithError("the clear did not merge in");
}
BENCHMARK(LibraryMergeClear)->Unit(benchmark::kMillisecond);

void Csv(benchmark::State& state)
{
    const Estimate& e = bigEstimate();
    for (auto _ : state)
        benchmark::DoNotOptimize(estimateCsv(e));
}
BENCHMARK(Csv)->Unit(benchmark::kMillisecond);

} // namespace
