#include "calculator/calculator.h"
#include "fake_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tarvik;
using tarvik::testing::FakeWindow;

namespace {

using Texts = std::vector<std::u16string>;

struct Pickers : ::testing::Test {
    FakeWindow window;
    Calculator calc{window, u','};

    void load(const Texts& sizes)
    {
        window.list(DropDown::Element).items = sizes;
        window.list(DropDown::E1).items.clear();
    }
    void pickFirst(const std::u16string& text)
    {
        const auto& items = window.list(DropDown::E1).items;
        const auto it = std::find(items.begin(), items.end(), text);
        window.list(DropDown::E1).index = it == items.end() ? -1 : static_cast<int>(it - items.begin());
        calc.sComboBoxE1Change();
    }
    void pickSecond(const std::u16string& text)
    {
        const auto& items = window.list(DropDown::E2).items;
        const auto it = std::find(items.begin(), items.end(), text);
        window.list(DropDown::E2).index = it == items.end() ? -1 : static_cast<int>(it - items.begin());
        calc.sComboBoxE2Change();
    }
};

TEST_F(Pickers, FirstLevelMergesConsecutiveRepeatsOnly)
{
    load({u"6x100", u"6x25", u"8x30", u"10x20", u"8x40", u"noX", u"noY", u"4x4"});
    calc.FillFirstLevelPicker();
    EXPECT_EQ(window.list(DropDown::E1).items, (Texts{u"6", u"8", u"10", u"8", u"", u"4"}));
}

TEST_F(Pickers, StripWorkedExample)
{
    load({u"4x20", u"4x25", u"5x20", u"5x25", u"5x30", u"6x100", u"6x25", u"6x30", u"6x40", u"6x50", u"6x60",
          u"6x80"});
    calc.FillFirstLevelPicker();
    window.list(DropDown::E2).enabled = false;
    pickFirst(u"6");
    EXPECT_EQ(window.list(DropDown::E2).items, (Texts{u"100", u"25", u"30", u"40", u"50", u"60", u"80"}));
    EXPECT_TRUE(window.list(DropDown::E2).enabled);
    EXPECT_EQ(window.list(DropDown::E2).index, -1);
    pickSecond(u"25");
    EXPECT_EQ(window.list(DropDown::Element).index, 6);

    // Any change of the first level drops the size, the same text included.
    pickFirst(u"6");
    EXPECT_EQ(window.list(DropDown::Element).index, -1);
    EXPECT_EQ(window.list(DropDown::E2).items.size(), 7u);
}

TEST_F(Pickers, PrefixIncludesTheSeparator)
{
    load({u"32x2.8", u"325x8", u"20x20x1.5", u"20x20x2", u"200x200x8", u"15x2.8", u"159x4.5"});
    const std::pair<std::u16string, Texts> cases[] = {
        {u"32", {u"2.8"}},
        {u"20x20", {u"1.5", u"2"}},
        {u"15", {u"2.8"}},
        {u"20", {u"20x1.5", u"20x2"}},
    };
    for (const auto& [first, seconds] : cases) {
        window.list(DropDown::E1).items = {first};
        pickFirst(first);
        EXPECT_EQ(window.list(DropDown::E2).items, seconds) << std::string(first.begin(), first.end());
    }
}

TEST_F(Pickers, UnmatchedTextsSelectNothing)
{
    load({u"4x20", u"4x25"});
    calc.FillFirstLevelPicker();
    // A typed first level that begins no item: the prefix is "x" alone.
    pickFirst(u"7");
    EXPECT_TRUE(window.list(DropDown::E2).items.empty());
    EXPECT_TRUE(window.list(DropDown::E2).enabled);

    pickFirst(u"4");
    pickSecond(u"25");
    EXPECT_EQ(window.list(DropDown::Element).index, 1);
    pickSecond(u"99");
    EXPECT_EQ(window.list(DropDown::Element).index, -1);
}

} // namespace
