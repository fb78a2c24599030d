// What the calculation column tells the user beside the numbers: whether the
// shown result still belongs to the inputs, what «Расчитать» still needs,
// and which kind is in use.
#include "calculator/calculator.h"
#include "calculator_fixture.h"
#include "tests/utf8.h"

#include <gtest/gtest.h>

#include <functional>

using namespace tarvik;
using tarvik::testing::FakeWindow;
using tarvik::testing::utf8;

namespace {

constexpr int rebar = 1, square = 3, round = 4, roundPipe = 9;

struct ResultState : tarvik::testing::CalculatorFixture {
    void computeRebar12()
    {
        choose(rebar, 0);
        window.mode = 0;
        calc.sRadioGroupClick();
        window.setItemIndex(DropDown::Element, 3);
        window.input = u"12,5";
        calc.sButtonCalcClick();
        ASSERT_EQ(utf8(window.result), "11,125 кг");
        ASSERT_FALSE(window.resultOutOfDate);
    }
};

TEST_F(ResultState, AnyChangeOfTheInputsMarksTheResultOutOfDateUntilTheNextCalculation)
{
    const struct {
        const char* what;
        std::function<void(FakeWindow&, Calculator&)> change;
    } changes[] = {
        {"size", [](FakeWindow& w,
                    Calculator& c) { w.setItemIndex(DropDown::Element, 13), c.sComboBoxElementChange(); }},
        {"mode", [](FakeWindow& w, Calculator& c) { w.mode = 1, c.sRadioGroupClick(); }},
        {"number", [](FakeWindow& w, Calculator& c) { w.input = u"100", c.sEditParamChange(); }},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.what);
        computeRebar12();
        c.change(window, calc);
        EXPECT_TRUE(window.resultOutOfDate);
        EXPECT_TRUE(calc.resultOutOfDate());
        EXPECT_FALSE(window.resultDescription.empty());
        // The text stays, and so does what copying gives.
        EXPECT_EQ(utf8(window.result), "11,125 кг");
        EXPECT_EQ(utf8(calc.resultText()), "11,125 кг");
        calc.sButtonCalcClick();
        EXPECT_FALSE(window.resultOutOfDate);
        EXPECT_FALSE(calc.resultOutOfDate());
    }
}

TEST_F(ResultState, ThePickersAndAClearedZeroMarkItToo)
{
    choose(roundPipe, 0);
    window.mode = 0;
    calc.sRadioGroupClick();
    window.setItemIndex(DropDown::E1, 0);
    calc.sComboBoxE1Change();
    window.setItemIndex(DropDown::E2, 0);
    calc.sComboBoxE2Change();
    window.input = u"0";
    calc.sButtonCalcClick();
    ASSERT_FALSE(window.result.empty());
    calc.sEditParamClick(); // empties the zero: the result was for 0
    EXPECT_TRUE(window.resultOutOfDate);

    window.input = u"1";
    calc.sButtonCalcClick();
    ASSERT_FALSE(window.resultOutOfDate);
    window.setItemIndex(DropDown::E1, 1);
    calc.sComboBoxE1Change(); // the wall is emptied, the result stays, dimmed
    EXPECT_TRUE(window.resultOutOfDate);
    EXPECT_FALSE(window.result.empty());
}

TEST_F(ResultState, NothingShownIsNeverOutOfDate)
{
    choose(rebar, 0);
    window.mode = 0;
    calc.sRadioGroupClick();
    calc.sEditParamChange();
    EXPECT_FALSE(window.resultOutOfDate);
    computeRebar12();
    choose(rebar, 1); // a kind choice clears the result
    EXPECT_TRUE(window.result.empty());
    EXPECT_FALSE(calc.resultOutOfDate());
}

TEST_F(ResultState, CalculateSaysWhatIsMissing)
{
    choose(rebar, 0);
    calc.sButtonCalcClick(); // no mode chosen at start
    EXPECT_EQ(window.missing, MissingInput::Mode);
    EXPECT_EQ(utf8(window.missingText), "Выберите, что рассчитать");
    EXPECT_TRUE(window.result.empty());

    window.mode = 0;
    calc.sRadioGroupClick(); // the mode chosen: its notice goes
    EXPECT_EQ(window.missing, MissingInput::None);
    calc.sButtonCalcClick();
    EXPECT_EQ(window.missing, MissingInput::Element);
    EXPECT_EQ(utf8(window.missingText), "Выберите размер");
    window.setItemIndex(DropDown::Element, 0);
    calc.sComboBoxElementChange();
    EXPECT_EQ(window.missing, MissingInput::None);

    window.setItemIndex(DropDown::Element, 3);
    calc.sButtonCalcClick();
    EXPECT_EQ(window.missing, MissingInput::None);
    EXPECT_FALSE(window.result.empty());

    choose(roundPipe, 0);
    calc.sButtonCalcClick();
    EXPECT_EQ(window.missing, MissingInput::E1);
    window.setItemIndex(DropDown::E1, 0);
    calc.sComboBoxE1Change();
    calc.sButtonCalcClick();
    EXPECT_EQ(window.missing, MissingInput::E2);
}

TEST_F(ResultState, TheKindInUseIsNamedAndASizeShowsItsOwnText)
{
    choose(square, 0);
    EXPECT_EQ(utf8(window.kindInUse), "Квадрат ГОСТ 2591");
    choose(round, -1); // a section opened with no kind clicked
    EXPECT_EQ(utf8(window.kindInUse), "");

    choose(rebar, 0);
    window.setItemIndex(DropDown::Element, 3);
    window.list(DropDown::Element).shownText = u" 12"; // as typed
    calc.sizeListExit(DropDown::Element);
    EXPECT_EQ(utf8(window.list(DropDown::Element).shownText), "12");
}

} // namespace

// «В смету» takes what «Расчитать» computed, not what the controls show now.
TEST_F(ResultState, TheLastCalculationIsWhatWasComputedAndOnlyAFreshPositiveResultCanBeAdded)
{
    EXPECT_FALSE(calc.canAddToEstimate());
    computeRebar12();
    ASSERT_TRUE(calc.lastCalculation());
    const Calculation& done = *calc.lastCalculation();
    EXPECT_EQ(utf8(done.family), "Арматура");
    EXPECT_EQ(utf8(done.kind), "Арматура А3 А500с");
    EXPECT_EQ(utf8(done.size), utf8(window.itemText(DropDown::Element, 3)));
    EXPECT_EQ(done.mode, 0);
    EXPECT_EQ(utf8(done.number), "12,5");
    EXPECT_EQ(utf8(done.result), "11,125");
    EXPECT_TRUE(calc.canAddToEstimate());
    EXPECT_TRUE(window.estimateAddEnabled);

    // A later change of the controls leaves the calculation as it was, but
    // an out-of-date result cannot be added.
    window.setItemIndex(DropDown::Element, 13);
    calc.sComboBoxElementChange();
    EXPECT_EQ(utf8(calc.lastCalculation()->size), utf8(window.itemText(DropDown::Element, 3)));
    EXPECT_FALSE(calc.canAddToEstimate());
    EXPECT_FALSE(window.estimateAddEnabled);

    // Zero, and a failed calculation, give nothing to add.
    const struct {
        const char* input;
        bool addable;
    } cases[] = {{"0", false}, {"0,000", false}, {"abc", false}, {"1", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        window.input = tarvik::fromUtf8(c.input);
        try {
            calc.sButtonCalcClick();
        } catch (...) {
        }
        EXPECT_EQ(calc.canAddToEstimate(), c.addable);
        EXPECT_EQ(window.estimateAddEnabled, c.addable);
        EXPECT_EQ(calc.lastCalculation().has_value(), c.addable || std::string(c.input) != "abc");
    }
}
