#include "calculator/result_copy.h"

namespace tarvik {

std::u16string_view resultCopyText(const Calculator& calc, ResultCopy copy)
{
    return copy == ResultCopy::Number ? calc.resultNumber() : std::u16string_view(calc.resultText());
}

bool resultCopyEnabled(const Calculator& calc)
{
    return !calc.resultText().empty();
}

bool ctrlCCopiesResult(const Calculator& calc, FocusedControl focus, bool otherTextSelected)
{
    const bool holdsNothingToCopy = focus == FocusedControl::Button || focus == FocusedControl::KindsList ||
                                    focus == FocusedControl::ModeButton;
    return holdsNothingToCopy && !otherTextSelected && resultCopyEnabled(calc);
}

} // namespace tarvik
