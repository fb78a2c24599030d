#include "calculator.h"

#include "errors.h"
#include "number_text.h"

#include <cmath>

namespace tarvik {

void Calculator::sButtonCalcClick()
{
    clearResult();
    const int mode = window_.modeItemIndex();
    const int size = window_.itemIndex(DropDown::Element);
    if (mode != 0 && mode != 1)
        return;
    // Every selectable position has a unit mass; a position without one
    // would only ever give a wrong number, so it shows nothing instead.
    if (size < 0 || static_cast<std::size_t>(size) >= state_.unitMasses.size())
        return;

    const long double x = strToFloat(window_.inputText(), separator_);
    const long double unitMass = state_.unitMasses[static_cast<std::size_t>(size)];
    const long double r = mode == 0 ? unitMass * x : x / unitMass;
    if (!std::isfinite(r))
        throw floatingPointOverflow();

    showResult(formatFloat000(r, separator_), state_.activeUnitText);
}

void Calculator::showResult(std::u16string_view number, std::u16string_view unit)
{
    resultText_ = number;
    resultNumberLength_ = number.size();
    resultText_ += u' ';
    resultText_ += unit;
    window_.setResultText(resultText_);
}

void Calculator::clearResult()
{
    resultText_.clear();
    resultNumberLength_ = 0;
    window_.setResultText(u"");
}

} // namespace tarvik
