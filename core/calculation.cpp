#include "calculator.h"

#include "errors.h"
#include "number_text.h"

#include <cmath>

namespace tarvik {

void Calculator::sButtonCalcClick()
{
    window_.setResultText(u"");
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

    std::u16string result = formatFloat000(r, separator_);
    result += u' ';
    result += state_.activeUnitText;
    window_.setResultText(result);
}

} // namespace tarvik
