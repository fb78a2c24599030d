#include "calculator.h"

#include "errors.h"
#include "number_text.h"

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

    const Float80 x = strToFloat(window_.inputText(), separator_);
    const double unitMass = state_.unitMasses[static_cast<std::size_t>(size)];
    const Float80 r = mode == 0 ? multiply(x, unitMass) : divide(x, unitMass);
    if (!r.isFinite())
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
