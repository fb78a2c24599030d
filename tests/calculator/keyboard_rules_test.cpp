// The rules the faces ask about keys, focus and copying.
#include "calculator/calculator.h"
#include "calculator/keyboard.h"
#include "calculator/result_copy.h"
#include "fake_window.h"

#include <gtest/gtest.h>

using namespace tarvik;

TEST(KindsListKeys, MoveWithinTheListAndSelectTheFirstKindFromNothing)
{
    const struct {
        int selected, count;
        ListKey key;
        int expected;
    } cases[] = {
        {-1, 5, ListKey::Down, 0}, {-1, 5, ListKey::Up, 0},    {-1, 5, ListKey::Home, 0},
        {-1, 5, ListKey::End, 4},  {0, 5, ListKey::Up, 0},     {0, 5, ListKey::Down, 1},
        {4, 5, ListKey::Down, 4},  {3, 5, ListKey::Home, 0},   {1, 5, ListKey::End, 4},
        {0, 1, ListKey::Down, 0},  {-1, 0, ListKey::Down, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kindAfterKey(c.selected, c.count, c.key), c.expected)
            << c.selected << " of " << c.count << ", key " << static_cast<int>(c.key);
}

TEST(NumberField, DropsEveryCommandThatEditsPastTheKeyRulesButSelectAll)
{
    for (FieldCommand c :
         {FieldCommand::Copy, FieldCommand::Cut, FieldCommand::Paste, FieldCommand::Undo, FieldCommand::Redo,
          FieldCommand::DeleteWordBackward, FieldCommand::DeleteWordForward, FieldCommand::DeleteLineBackward,
          FieldCommand::DeleteLineForward, FieldCommand::DeleteCompleteLine, FieldCommand::Enter})
        EXPECT_TRUE(numberFieldIgnores(c)) << static_cast<int>(c);
    EXPECT_FALSE(numberFieldIgnores(FieldCommand::SelectAll));
}

TEST(NumberField, LeaveRuleRunsOnlyWhenAnotherControlTakesTheFocus)
{
    EXPECT_TRUE(leaveRuleRuns(FocusLoss::ToControl));
    EXPECT_FALSE(leaveRuleRuns(FocusLoss::ToPopup));
    EXPECT_FALSE(leaveRuleRuns(FocusLoss::ToOtherWindow));
}

TEST(ResultCopy, CtrlCCopiesTheNumberOnlyWhereTheFocusHoldsNothingToCopy)
{
    tarvik::testing::FakeWindow window;
    Calculator calc(window, u',');
    EXPECT_FALSE(resultCopyEnabled(calc));
    EXPECT_FALSE(ctrlCCopiesResult(calc, FocusedControl::Button, false)); // no result yet

    window.kinds[0] = 0; // rebar
    calc.sListBoxClick(1);
    window.mode = 0;
    calc.sRadioGroupClick();
    window.setItemIndex(DropDown::Element, 3); // 12 mm
    window.input = u"12,5";
    calc.sButtonCalcClick();
    ASSERT_TRUE(resultCopyEnabled(calc));
    EXPECT_EQ(resultCopyText(calc, ResultCopy::Number), u"11,125");
    EXPECT_EQ(resultCopyText(calc, ResultCopy::WithUnit), u"11,125 кг");

    const struct {
        FocusedControl focus;
        bool otherTextSelected, copies;
    } cases[] = {
        {FocusedControl::Button, false, true},        {FocusedControl::KindsList, false, true},
        {FocusedControl::ModeButton, false, true},    {FocusedControl::Button, true, false},
        {FocusedControl::DropDownList, false, false}, {FocusedControl::NumberField, false, false},
        {FocusedControl::Other, false, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ctrlCCopiesResult(calc, c.focus, c.otherTextSelected), c.copies)
            << static_cast<int>(c.focus) << (c.otherTextSelected ? " with a selection" : "");
}
