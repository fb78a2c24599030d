// A grade choice and an own section's calculation on the core, over the
// tests' fake window: the handlers' own cost, without a toolkit.

#include "calculator/calculator.h"
#include "calculator/own_section.h"
#include "catalogue/grades.h"
#include "tests/calculator/fake_window.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using tarvik::Calculator;
using tarvik::DropDown;
using tarvik::GradeList;
using tarvik::testing::FakeMaterial;
using tarvik::testing::FakeWindow;

struct Setup {
    FakeWindow window;
    FakeMaterial material;
    Calculator calc{window, u','};

    Setup() { calc.attachMaterial(material); }

    void choose(int section, int kind)
    {
        window.kinds[static_cast<std::size_t>(section - 1)] = kind;
        calc.sListBoxClick(section);
        window.mode = 0;
        calc.sRadioGroupClick();
        window.input = u"12,5";
    }
};

// «Расчитать» on an unequal angle with the standard's radii filled in: the
// exact area, the density, the six-decimal mass and the result's text.
void OwnSectionCalculation(benchmark::State& state)
{
    Setup s;
    s.choose(Calculator::ownSection, 8);
    for (auto [field, text] : {std::pair{0, u"125"}, {1, u"80"}, {2, u"8"}}) {
        s.material.fields.at(static_cast<std::size_t>(field)).text = text;
        s.calc.dimensionChange(field);
    }
    s.material.metal = 1;
    s.calc.metalChange();
    for (auto _ : state) {
        s.calc.sButtonCalcClick();
        benchmark::DoNotOptimize(s.calc.resultText());
    }
}
BENCHMARK(OwnSectionCalculation)->Unit(benchmark::kMicrosecond);

// The formula alone, for each shape's heaviest case: the profile pipe.
void OwnSectionMassProfilePipe(benchmark::State& state)
{
    const std::vector<std::u16string> dims{u"180", u"60", u"7", u"17,5"};
    for (auto _ : state)
        benchmark::DoNotOptimize(
            tarvik::ownSectionMass(tarvik::catalogue::OwnShape::ProfilePipe, dims, u',', 7900));
}
BENCHMARK(OwnSectionMassProfilePipe)->Unit(benchmark::kMicrosecond);

// A metal and then a grade picked while the seamless pipe's 91 sizes are
// loaded, a result shown: the lists refilled and the result dimmed.
void GradeChoice(benchmark::State& state)
{
    Setup s;
    s.choose(9, 2);
    s.window.list(DropDown::Element).index = 10;
    s.calc.sButtonCalcClick();
    int metal = 0;
    for (auto _ : state) {
        metal = (metal + 1) % static_cast<int>(tarvik::catalogue::metals.size());
        s.material.metal = metal;
        s.calc.metalChange();
        s.material.grade = 0;
        s.calc.gradeChange();
    }
}
BENCHMARK(GradeChoice)->Unit(benchmark::kMicrosecond);

// «Расчитать» at another grade: the catalogue's mass scaled exactly.
void GradedCatalogueCalculation(benchmark::State& state)
{
    Setup s;
    s.choose(9, 2);
    s.window.list(DropDown::Element).index = 10;
    s.material.metal = 2;
    s.calc.metalChange();
    for (auto _ : state) {
        s.calc.sButtonCalcClick();
        benchmark::DoNotOptimize(s.calc.resultText());
    }
}
BENCHMARK(GradedCatalogueCalculation)->Unit(benchmark::kMicrosecond);

// Choosing an own kind: the size lists emptied and hidden, the fields shown.
void OwnKindChoice(benchmark::State& state)
{
    Setup s;
    int kind = 0;
    for (auto _ : state) {
        kind = (kind + 1) % 9;
        s.window.kinds[Calculator::ownSection - 1] = kind;
        s.calc.sListBoxClick(Calculator::ownSection);
    }
}
BENCHMARK(OwnKindChoice)->Unit(benchmark::kMicrosecond);

} // namespace
