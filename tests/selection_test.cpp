#include "core/calculator.h"
#include "core/errors.h"
#include "fake_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tarvik;
using tarvik::testing::FakeWindow;

namespace {

constexpr int rebar = 1, beams = 2, sheet = 5, strip = 6, profiled = 7, roundPipe = 9;

struct Selection : ::testing::Test {
    FakeWindow window;
    Calculator calc{window, u','};

    void choose(int section, int kind)
    {
        window.kinds[static_cast<std::size_t>(section - 1)] = kind;
        window.log.clear();
        calc.sListBoxClick(section);
    }
    std::u16string calculate(int mode, int size, std::u16string input)
    {
        window.mode = mode;
        calc.sRadioGroupClick();
        window.setItemIndex(DropDown::Element, size);
        window.input = std::move(input);
        calc.sButtonCalcClick();
        return window.result;
    }
};

TEST_F(Selection, SingleListFormRunsItsStepsInOrder)
{
    window.mode = 0;
    choose(rebar, 0);
    const std::vector<std::string> expected{
        "width 644",         "input caption",   "input caption active", "mode item 0",
        "mode item 1",       "Element caption", "result cleared",       "E1 hide",
        "E2 hide",           "Element show",    "Element index -1",     "Element clear",
        "Element append 14",
    };
    EXPECT_EQ(window.log, expected);
    EXPECT_EQ(window.list(DropDown::Element).caption, u"Диаметр,мм");
    EXPECT_EQ(window.list(DropDown::Element).index, -1);
    EXPECT_EQ(calc.state().unitMasses.size(), 14u);
    EXPECT_EQ(window.modeTexts[0], u"Массу по длине");
    EXPECT_EQ(window.modeTexts[1], u"Длину по массе");
}

TEST_F(Selection, TwoPickerFormResetsAllThreeLists)
{
    choose(rebar, 0);
    window.setItemIndex(DropDown::Element, 3);
    choose(strip, -1);
    const std::vector<std::string> expected{
        "width 644",  "mode item 0",  "mode item 1",   "result cleared",   "E1 show",     "E1 index -1",
        "E1 clear",   "E1 caption",   "E2 show",       "E2 index -1",      "E2 clear",    "E2 disable",
        "E2 caption", "Element hide", "Element clear", "Element index -1", "E1 append 0",
    };
    EXPECT_EQ(window.log, expected);
    EXPECT_EQ(window.list(DropDown::E1).caption, u"Толщина, мм");
    EXPECT_EQ(window.list(DropDown::E2).caption, u"Ширина, мм");
    // The hidden size list keeps the caption of the last single-list family.
    EXPECT_EQ(window.list(DropDown::Element).caption, u"Диаметр,мм");
    EXPECT_EQ(calc.state().unitMasses.size(), 14u) << "no table: the old masses stay";
}

TEST_F(Selection, SizeCaptionStepDependsOnTheFamily)
{
    const auto captionPosition = [&] {
        for (std::size_t i = 0; i < window.log.size(); ++i)
            if (window.log[i] == "Element caption")
                return static_cast<int>(i);
        return -1;
    };
    const auto position = [&](const char* entry) {
        for (std::size_t i = 0; i < window.log.size(); ++i)
            if (window.log[i] == entry)
                return static_cast<int>(i);
        return -1;
    };
    choose(beams, -1);
    EXPECT_LT(captionPosition(), position("result cleared"));
    EXPECT_EQ(window.list(DropDown::Element).caption, u"Номер балки");

    choose(profiled, -1);
    EXPECT_GT(captionPosition(), position("Element clear"));
    EXPECT_EQ(window.list(DropDown::Element).caption, u"Толщина, мм");

    // Sheet sets its caption only inside a kind's branch.
    choose(sheet, -1);
    EXPECT_EQ(captionPosition(), -1);
    EXPECT_EQ(window.list(DropDown::Element).caption, u"Толщина, мм");
}

TEST_F(Selection, KindWithoutATableStopsAfterEmptyingTheList)
{
    choose(rebar, 4);
    choose(rebar, -1);
    EXPECT_EQ(window.outerWidth, 644);
    EXPECT_TRUE(window.list(DropDown::Element).visible);
    EXPECT_TRUE(window.list(DropDown::Element).items.empty());
    EXPECT_EQ(calc.state().unitMasses, std::vector<double>{6.31});
    EXPECT_EQ(calculate(0, 0, u"10"), u"");
}

TEST_F(Selection, ModeHandlerFollowsTheLastKindsTexts)
{
    // A mode click before any kind shows an empty caption.
    window.mode = 1;
    calc.sRadioGroupClick();
    EXPECT_TRUE(window.inputCaptionActive);
    EXPECT_EQ(window.inputCaption, u"");

    choose(rebar, 0);
    EXPECT_EQ(calc.state().activeUnitText, u"м");
    EXPECT_EQ(window.inputCaption, u"Масса, кг");
    choose(sheet, 0);
    EXPECT_EQ(calc.state().activeUnitText, u"кв.м");
    EXPECT_EQ(window.inputCaption, u"Масса, кг");

    window.mode = 0;
    calc.sRadioGroupClick();
    EXPECT_EQ(calc.state().activeUnitText, u"кг");
    EXPECT_EQ(window.inputCaption, u"Площадь, кв.м");
    EXPECT_EQ(window.modeTexts[0], u"Массу по площади");
}

TEST_F(Selection, NoModeLeavesTheCaptionHidden)
{
    choose(rebar, 0);
    EXPECT_FALSE(window.inputCaptionActive);
    EXPECT_EQ(calc.state().activeUnitText, u"");
}

TEST_F(Selection, KindChoiceKeepsInputAndClearsResultAndSize)
{
    choose(rebar, 0);
    EXPECT_EQ(calculate(0, 3, u"12,5"), u"11,125 кг");
    window.input = u"7";
    choose(rebar, 0);
    EXPECT_EQ(window.result, u"");
    EXPECT_EQ(window.input, u"7");
    EXPECT_EQ(window.list(DropDown::Element).index, -1);
}

TEST_F(Selection, SingleListFamilyHidesThePickers)
{
    choose(roundPipe, -1);
    EXPECT_TRUE(window.list(DropDown::E1).visible);
    EXPECT_FALSE(window.list(DropDown::E2).enabled);
    EXPECT_FALSE(window.list(DropDown::Element).visible);
    choose(beams, 0);
    EXPECT_FALSE(window.list(DropDown::E1).visible);
    EXPECT_FALSE(window.list(DropDown::E2).visible);
    EXPECT_TRUE(window.list(DropDown::Element).visible);
}

struct CalcCase {
    int kind, mode, size;
    std::u16string input, result;
};

TEST_F(Selection, RebarWorkedExamples)
{
    const CalcCase cases[] = {
        {0, 0, 3, u"12,5", u"11,125 кг"},
        {0, 1, 3, u"100", u"112,360 м"},
        {0, 0, 3, u"0", u"0,000 кг"},
        {0, 1, 3, u"0", u"0,000 м"},
        {0, 0, 3, u",", u"0,000 кг"},
        {4, 0, 0, u"10", u"63,100 кг"},
        {5, 0, 1, u"1", u"2,000 кг"},
        {0, 0, 3, u"-1", u"-0,890 кг"},
        {0, 0, 3, u"-0,0001", u"0,000 кг"},
        {0, 0, 13, u"1e20", u"9,87E20 кг"},
        {0, -1, 3, u"5", u""},
        {0, 0, -1, u"5", u""},
        {0, 0, -1, u"junk", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.input.begin(), c.input.end()));
        choose(rebar, c.kind);
        EXPECT_EQ(calculate(c.mode, c.size, c.input), c.result);
    }
}

TEST_F(Selection, ConversionErrorsLeaveTheResultEmpty)
{
    choose(rebar, 0);
    calculate(0, 3, u"1");
    try {
        calculate(0, 3, u"12.5");
        ADD_FAILURE();
    } catch (const CalcError& e) {
        EXPECT_EQ(e.message(), u"'12.5' is not a valid floating point value");
    }
    EXPECT_EQ(window.result, u"");
    EXPECT_EQ(window.input, u"12.5");

    try {
        calculate(0, 13, u"1,1e4932");
        ADD_FAILURE();
    } catch (const CalcError& e) {
        EXPECT_EQ(e.message(), u"Floating point overflow");
    }
    EXPECT_EQ(window.result, u"");
}

TEST_F(Selection, ModeChangeKeepsTheOldResult)
{
    choose(rebar, 0);
    calculate(0, 3, u"1");
    window.mode = 1;
    calc.sRadioGroupClick();
    EXPECT_EQ(window.result, u"0,890 кг");
}

TEST_F(Selection, ResultNumberIsTheShownResultWithoutItsUnit)
{
    choose(rebar, 0);
    EXPECT_EQ(calc.resultText(), u"");
    EXPECT_EQ(calculate(0, 3, u"12,5"), u"11,125 кг");
    EXPECT_EQ(calc.resultText(), window.result);
    EXPECT_EQ(calc.resultNumber(), u"11,125");
    // The shown result keeps the unit it was computed in after a mode change.
    window.mode = 1;
    calc.sRadioGroupClick();
    EXPECT_EQ(calc.resultText(), u"11,125 кг");
    EXPECT_EQ(calc.resultNumber(), u"11,125");

    EXPECT_THROW(calculate(0, 3, u"12.5"), CalcError);
    EXPECT_EQ(calc.resultText(), u"");
    EXPECT_EQ(calc.resultNumber(), u"");
    calculate(1, 3, u"100");
    choose(sheet, 0);
    EXPECT_EQ(calc.resultNumber(), u"");
}

// A kind still highlighted in a closed section would read as the kind in use
// when the section is opened again.
TEST_F(Selection, AKindChoiceClearsEveryOtherKindsList)
{
    constexpr int squareBar = 3, roundBar = 4;
    choose(squareBar, 0);
    window.kinds.fill(0);
    choose(roundBar, 0);
    for (int section = 1; section <= 12; ++section)
        EXPECT_EQ(window.kinds[static_cast<std::size_t>(section - 1)], section == roundBar ? 0 : -1)
            << section;
    EXPECT_EQ(window.list(DropDown::Element).items.at(7), u"20");
    EXPECT_EQ(calculate(0, 7, u"1"), u"2,470 кг");
    // Reopening the square bar's section and choosing its kind loads it again.
    choose(squareBar, 0);
    EXPECT_EQ(window.kinds[roundBar - 1], -1);
    EXPECT_EQ(calculate(0, 5, u"1"), u"3,140 кг");
}

TEST_F(Selection, SeparatorFollowsTheLocale)
{
    calc.setDecimalSeparator(u'.');
    choose(rebar, 0);
    EXPECT_EQ(calculate(0, 3, u"12.5"), u"11.125 кг");
    EXPECT_THROW(calculate(0, 3, u"12,5"), CalcError);
}

} // namespace
