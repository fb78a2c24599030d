#pragma once

// Copying the result: what each copy gives, when the copy menu offers it,
// and where Ctrl+C copies it.

#include "calculator/calculator.h"

#include <string_view>

namespace tarvik {

enum class ResultCopy {
    Number,   // what a spreadsheet under the same locale reads as a number
    WithUnit, // the result as shown
};

// Empty while no result is shown.
std::u16string_view resultCopyText(const Calculator& calc, ResultCopy copy);

// The copy menu's entries are enabled while a result is shown.
bool resultCopyEnabled(const Calculator& calc);

// What holds the keyboard focus when Ctrl+C is pressed.
enum class FocusedControl {
    Button, // a header button or «Расчитать»
    KindsList,
    ModeButton,   // an item of the mode group
    DropDownList, // a size list: its text is the user's to copy
    NumberField,  // the field ignores copying altogether
    Other,
};

// Ctrl+C copies the result's number where the focus holds nothing of its own
// to copy and no other text is selected, and only while a result is shown.
bool ctrlCCopiesResult(const Calculator& calc, FocusedControl focus, bool otherTextSelected);

} // namespace tarvik
