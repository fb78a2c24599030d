#include "calculator/calculator.h"
#include "catalogue/family.h"
#include "fake_window.h"
#include "number/errors.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

using namespace tarvik;
using tarvik::testing::FakeList;
using tarvik::testing::FakeWindow;

namespace {

constexpr int rebar = 1, beams = 2, squareBar = 3, roundBar = 4, sheet = 5, strip = 6, profiled = 7, mesh = 8,
              roundPipe = 9, angles = 11, channels = 12;

using Texts = std::vector<std::u16string>;

Texts textsOf(std::span<const std::u16string_view> texts)
{
    return {texts.begin(), texts.end()};
}

struct Selection : ::testing::Test {
    FakeWindow window;
    Calculator calc{window, u','};

    const FakeList& sizes() const { return window.list(DropDown::Element); }
    const FakeList& first() const { return window.list(DropDown::E1); }
    const FakeList& second() const { return window.list(DropDown::E2); }

    void choose(int section, int kind)
    {
        window.kinds[static_cast<std::size_t>(section - 1)] = kind;
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
    // Strip 6x25 reached through both pickers, its result shown: every list
    // then holds items, a selection and a shown text for a kind choice to reset.
    void reachStripSizeWithAResult()
    {
        choose(strip, 0);
        window.setItemIndex(DropDown::E1, 2);
        calc.sComboBoxE1Change();
        window.setItemIndex(DropDown::E2, 1);
        calc.sComboBoxE2Change();
        EXPECT_EQ(sizes().shownText, u"6x25");
        EXPECT_EQ(calculate(0, sizes().index, u"1"), u"1,180 кг");
    }
};

TEST_F(Selection, SingleListKindShowsItsSizesWithNoneChosen)
{
    reachStripSizeWithAResult();
    choose(rebar, 0);

    EXPECT_EQ(window.outerWidth, 644);
    EXPECT_FALSE(first().visible);
    EXPECT_FALSE(second().visible);
    EXPECT_TRUE(sizes().visible);
    EXPECT_EQ(sizes().caption, u"Диаметр,мм");
    EXPECT_EQ(sizes().items, textsOf(catalogue::rebar.tables[0].sizes));
    EXPECT_EQ(sizes().index, -1);
    EXPECT_EQ(sizes().shownText, u"");
    EXPECT_EQ(calc.state().unitMasses.size(), 14u);
    EXPECT_EQ(window.result, u"");
    EXPECT_EQ(window.modeTexts[0], u"Массу по длине");
    EXPECT_EQ(window.modeTexts[1], u"Длину по массе");
    EXPECT_EQ(window.inputCaption, u"Длина, м");
    EXPECT_TRUE(window.inputCaptionActive);
}

TEST_F(Selection, TwoPickerKindResetsBothPickersAndTheHiddenSizeList)
{
    reachStripSizeWithAResult();
    choose(strip, 0);

    EXPECT_TRUE(first().visible);
    EXPECT_EQ(first().caption, u"Толщина, мм");
    EXPECT_EQ(first().items, (Texts{u"4", u"5", u"6", u"8", u"10", u"12", u"20"}));
    EXPECT_EQ(first().index, -1);
    EXPECT_EQ(first().shownText, u"");

    EXPECT_TRUE(second().visible);
    EXPECT_FALSE(second().enabled);
    EXPECT_EQ(second().caption, u"Ширина, мм");
    EXPECT_TRUE(second().items.empty());
    EXPECT_EQ(second().index, -1);
    EXPECT_EQ(second().shownText, u"");

    EXPECT_FALSE(sizes().visible);
    EXPECT_EQ(sizes().items, textsOf(catalogue::flatStrip.tables[0].sizes));
    EXPECT_EQ(sizes().index, -1);
    EXPECT_EQ(sizes().shownText, u"");
    EXPECT_EQ(window.result, u"");
    EXPECT_EQ(calculate(0, -1, u"1"), u"");
}

TEST_F(Selection, TwoPickerFamilyWithoutAKindLeavesEveryListEmpty)
{
    choose(rebar, 0);
    window.setItemIndex(DropDown::Element, 3);
    choose(strip, -1);
    EXPECT_TRUE(first().items.empty());
    EXPECT_TRUE(second().items.empty());
    EXPECT_TRUE(sizes().items.empty());
    EXPECT_EQ(first().caption, u"Толщина, мм");
    EXPECT_EQ(second().caption, u"Ширина, мм");
    // The hidden size list keeps the caption of the last single-list family.
    EXPECT_EQ(sizes().caption, u"Диаметр,мм");
    EXPECT_EQ(calc.state().unitMasses.size(), 14u) << "no table: the old masses stay";
}

// A single-list family's caption shows with any click on its kinds list, a
// kind loaded or not; a sheet kind brings a caption of its own, so a click
// that loads none leaves the caption that was there.
TEST_F(Selection, SizeCaptionIsTheFamilysOrTheSheetKinds)
{
    const std::u16string earlier = u"caption left by an earlier choice";
    const struct {
        int section, kind;
        std::u16string caption;
    } cases[] = {
        {rebar, -1, u"Диаметр,мм"},
        {beams, -1, u"Номер балки"},
        {squareBar, -1, u"Сторона, мм"},
        {roundBar, -1, u"Диаметр, мм"},
        {profiled, -1, u"Толщина, мм"},
        {mesh, -1, u"Размер"},
        {angles, -1, u"Размер"},
        {channels, -1, u"Номер швеллера"},
        {channels, 1, u"Номер швеллера"},
        {sheet, 0, u"Толщина листа, мм"},
        {sheet, 1, u"Размер"},
        {sheet, -1, earlier},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "section " << c.section << ", kind " << c.kind);
        window.list(DropDown::Element).caption = earlier;
        choose(c.section, c.kind);
        EXPECT_EQ(sizes().caption, c.caption);
        EXPECT_TRUE(sizes().visible);
    }
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

    // A kind choice asks the mode again with the new family's texts.
    choose(rebar, 0);
    EXPECT_EQ(window.inputCaption, u"Длина, м");
    EXPECT_EQ(window.modeTexts[0], u"Массу по длине");
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
