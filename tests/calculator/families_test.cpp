// Kind choices with the real catalogue, through the same handlers the window
// runs: the size a user reaches and the result it gives.

#include "calculator/calculator.h"
#include "calculator_fixture.h"
#include "tests/utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace tarvik;
using tarvik::testing::FakeWindow;
using tarvik::testing::utf8;

namespace {

struct Families : tarvik::testing::CalculatorFixture {
    int positionOf(DropDown list, const std::u16string& text)
    {
        const auto& items = window.list(list).items;
        const auto it = std::find(items.begin(), items.end(), text);
        return it == items.end() ? -1 : static_cast<int>(it - items.begin());
    }
    void pickFirst(const std::u16string& text)
    {
        window.list(DropDown::E1).index = positionOf(DropDown::E1, text);
        calc.sComboBoxE1Change();
    }
    void pickSecond(const std::u16string& text)
    {
        window.list(DropDown::E2).index = positionOf(DropDown::E2, text);
        calc.sComboBoxE2Change();
    }
    std::u16string calculate(int mode, const std::u16string& input)
    {
        window.mode = mode;
        calc.sRadioGroupClick();
        window.input = input;
        calc.sButtonCalcClick();
        return window.result;
    }
};

struct SingleListCase {
    int section, kind;
    std::u16string size;
    int position;
    int mode;
    std::u16string input, result;
};

TEST_F(Families, SingleListSizesGiveTheirOwnKindsResult)
{
    const SingleListCase cases[] = {
        {1, 4, u"32", 0, 0, u"10", u"63,100 кг"},      {1, 5, u"18", 1, 0, u"1", u"2,000 кг"},
        {2, 0, u"45", 8, 0, u"2", u"133,000 кг"},      {2, 4, u"50", 9, 0, u"1", u"78,500 кг"},
        {4, 0, u"20", 7, 0, u"1", u"2,470 кг"},        {3, 0, u"20", 5, 0, u"1", u"3,140 кг"},
        {5, 0, u"2", 1, 1, u"15,7", u"1,000 кв.м"},    {5, 2, u"2", 9, 0, u"1", u"15,700 кг"},
        {8, 0, u"6х6х1,20", 30, 0, u"1", u"3,730 кг"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.size));
        choose(c.section, c.kind);
        window.setItemIndex(DropDown::Element, positionOf(DropDown::Element, c.size));
        EXPECT_EQ(window.list(DropDown::Element).index, c.position);
        EXPECT_EQ(calculate(c.mode, c.input), c.result);
    }
}

constexpr int anyPosition = -2;

struct PickerCase {
    int section, kind;
    std::u16string first;
    std::vector<std::u16string> seconds;
    std::u16string second;
    int position;
    std::u16string resultOfOne; // mode 0, one metre
};

TEST_F(Families, TwoLevelSizesAreReachedThroughBothPickers)
{
    const PickerCase cases[] = {
        {6, 0, u"6", {u"100", u"25", u"30", u"40", u"50", u"60", u"80"}, u"25", 11, u"1,180 кг"},
        {6, 0, u"20", {u"40"}, u"40", 34, u"6,280 кг"},
        {9, 0, u"20", {u"2.8"}, u"2.8", 2, u"1,500 кг"},
        {9, 1, u"89", {u"10", u"3.5", u"4", u"5", u"6", u"8"}, u"3.5", anyPosition, u""},
        {9, 2, u"426", {}, u"16", 90, u"161,780 кг"},
        {9, 3, u"15", {u"2.5", u"2.8"}, u"2.8", 2, u"0,780 кг"},
        {9, 3, u"12", {u"1.5"}, u"1.5", 0, u"0,370 кг"},
        {10, 0, u"20x20", {u"1.5", u"2"}, u"2", 1, u""},
        {10, 0, u"200x200", {u"8"}, u"8", 27, u"46,510 кг"},
        {10, 1, u"40x20", {u"2"}, u"2", anyPosition, u""},
        {10, 1, u"180x140", {u"6"}, u"6", 28, u"28,290 кг"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(utf8(c.first) + " x " + utf8(c.second));
        choose(c.section, c.kind);
        EXPECT_EQ(window.list(DropDown::Element).index, -1);
        EXPECT_FALSE(window.list(DropDown::E2).enabled);
        EXPECT_EQ(calculate(0, u"1"), u"") << "no size before both levels are chosen";

        pickFirst(c.first);
        if (!c.seconds.empty()) {
            EXPECT_EQ(window.list(DropDown::E2).items, c.seconds);
        }
        pickSecond(c.second);
        const std::u16string key = c.first + u"x" + c.second;
        EXPECT_EQ(window.list(DropDown::Element).index, positionOf(DropDown::Element, key));
        if (c.position != anyPosition) {
            EXPECT_EQ(window.list(DropDown::Element).index, c.position);
        }
        if (!c.resultOfOne.empty()) {
            EXPECT_EQ(calculate(0, u"1"), c.resultOfOne);
        }
    }
}

TEST_F(Families, FirstLevelListsComeFromTheTablesOrTheirOwnLists)
{
    choose(6, 0);
    EXPECT_EQ(window.list(DropDown::E1).items,
              (std::vector<std::u16string>{u"4", u"5", u"6", u"8", u"10", u"12", u"20"}));
    choose(10, 1);
    EXPECT_EQ(window.list(DropDown::E1).items.size(), 14u);
    EXPECT_EQ(window.list(DropDown::E1).items[2], u"40x20");
    EXPECT_EQ(window.list(DropDown::Element).items.size(), 29u);
    choose(9, 4);
    EXPECT_EQ(window.list(DropDown::E1).items.size(), 16u);
}

} // namespace
