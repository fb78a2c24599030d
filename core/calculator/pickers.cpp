// The two-level size pickers. A two-level size text is the first-level text,
// a Latin "x" and the second-level text; the hidden size list stays the one
// record of the chosen size and the pickers only steer its selection.

#include "calculator/calculator.h"

#include <string>
#include <vector>

namespace tarvik {
namespace {

constexpr char16_t levelSeparator = u'x';

std::u16string selectedText(const Window& window, DropDown list)
{
    return window.itemText(list, window.itemIndex(list));
}

} // namespace

void Calculator::FillFirstLevelPicker()
{
    // Only consecutive repeats merge: the tables keep equal first levels together.
    std::vector<std::u16string> firstLevels;
    std::u16string lastAppended;
    const int count = window_.itemCount(DropDown::Element);
    for (int i = 0; i < count; ++i) {
        const std::u16string text = window_.itemText(DropDown::Element, i);
        const auto x = text.find(levelSeparator);
        std::u16string first = x == std::u16string::npos ? std::u16string() : text.substr(0, x);
        if (first != lastAppended) {
            lastAppended = first;
            firstLevels.push_back(std::move(first));
        }
    }
    const std::vector<std::u16string_view> views(firstLevels.begin(), firstLevels.end());
    AddItems(DropDown::E1, views);
}

void Calculator::sComboBoxE1Change()
{
    markResultOutOfDate();
    showMissing(MissingInput::None, {});
    window_.setItemIndex(DropDown::Element, -1);
    window_.emptyPicker(DropDown::E2);

    // The separator belongs to the prefix, so "32" never matches "325x8".
    const std::u16string prefix = selectedText(window_, DropDown::E1) + levelSeparator;
    std::vector<std::u16string> secondLevels;
    const int count = window_.itemCount(DropDown::Element);
    for (int i = 0; i < count; ++i) {
        const std::u16string text = window_.itemText(DropDown::Element, i);
        if (text.starts_with(prefix))
            secondLevels.push_back(text.substr(prefix.size()));
    }
    const std::vector<std::u16string_view> views(secondLevels.begin(), secondLevels.end());
    AddItems(DropDown::E2, views);
    window_.setEnabled(DropDown::E2, true);
}

void Calculator::sComboBoxE2Change()
{
    markResultOutOfDate();
    showMissing(MissingInput::None, {});
    const std::u16string key =
        selectedText(window_, DropDown::E1) + levelSeparator + selectedText(window_, DropDown::E2);
    const int count = window_.itemCount(DropDown::Element);
    int position = 0;
    while (position < count && window_.itemText(DropDown::Element, position) != key)
        ++position;
    // No match selects the position past the end, which selects nothing.
    window_.setItemIndex(DropDown::Element, position);
}

} // namespace tarvik
