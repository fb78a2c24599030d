// The two number conversions, beside glibc's own (which follows other rules:
// no grammar of ours, no 18-digit decimal form, the C locale's separator),
// and the whole calculation on the core.

#include "calculator/calculator.h"
#include "number/number_text.h"
#include "tests/calculator/fake_window.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const std::vector<std::u16string> inputs{u"12,5", u"100",   u"0,000001", u"123456,789",
                                         u"7",    u"2,5e3", u"99999999"};
const std::vector<std::string> cInputs{"12.5", "100", "0.000001", "123456.789", "7", "2.5e3", "99999999"};

void StrToFloatAndFormat(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state) {
        const tarvik::Float80 x = tarvik::strToFloat(inputs[i], u',');
        benchmark::DoNotOptimize(tarvik::formatFloat000(tarvik::multiply(x, 0.89), u','));
        i = (i + 1) % inputs.size();
    }
}
BENCHMARK(StrToFloatAndFormat);

void StrToFloatOnly(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarvik::strToFloat(inputs[i], u','));
        i = (i + 1) % inputs.size();
    }
}
BENCHMARK(StrToFloatOnly);

void FormatOnly(benchmark::State& state)
{
    // The products of the typical inputs, as the handler formats them.
    std::vector<tarvik::Float80> values;
    for (const auto& input : inputs)
        values.push_back(tarvik::multiply(tarvik::strToFloat(input, u','), 0.89));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarvik::formatFloat000(values[i], u','));
        i = (i + 1) % values.size();
    }
}
BENCHMARK(FormatOnly);

void GlibcStrtoldAndSnprintf(benchmark::State& state)
{
    std::size_t i = 0;
    char buffer[64];
    for (auto _ : state) {
        const long double x = std::strtold(cInputs[i].c_str(), nullptr);
        std::snprintf(buffer, sizeof buffer, "%.3Lf", x * 0.89L);
        benchmark::DoNotOptimize(buffer);
        i = (i + 1) % cInputs.size();
    }
}
BENCHMARK(GlibcStrtoldAndSnprintf);

// "Расчитать" on the core over the fake window: conversion, product or
// quotient, formatting and the result text, without Qt's label.
void Calculate(benchmark::State& state)
{
    tarvik::testing::FakeWindow window;
    tarvik::Calculator calculator(window, u',');
    window.kinds[0] = 0;
    calculator.sListBoxClick(1);
    window.mode = 0;
    calculator.sRadioGroupClick();
    window.setItemIndex(tarvik::DropDown::Element, 3);
    window.setInputText(u"12,5");
    for (auto _ : state) {
        calculator.sButtonCalcClick();
        window.log.clear();
    }
    benchmark::DoNotOptimize(window.result);
}
BENCHMARK(Calculate);

// The same over the typical inputs; the argument is the mode (0: mass from
// the quantity, a product; 1: quantity from the mass, a quotient).
void CalculateTypicalInputs(benchmark::State& state)
{
    tarvik::testing::FakeWindow window;
    tarvik::Calculator calculator(window, u',');
    window.kinds[0] = 0;
    calculator.sListBoxClick(1);
    window.mode = static_cast<int>(state.range(0));
    calculator.sRadioGroupClick();
    window.setItemIndex(tarvik::DropDown::Element, 3);
    std::size_t i = 0;
    for (auto _ : state) {
        window.input = inputs[i];
        calculator.sButtonCalcClick();
        window.log.clear();
        i = (i + 1) % inputs.size();
    }
    benchmark::DoNotOptimize(window.result);
}
BENCHMARK(CalculateTypicalInputs)->Arg(0)->Arg(1);

} // namespace
