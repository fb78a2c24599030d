#include "calculator.h"

#include "errors.h"
#include "number_text.h"

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

    const Float80 x = strToFloat(window_.inputText(), separator_);
    const double unitMass = state_.unitMasses[static_cast<std::size_t>(size)];
    const Float80 r = mode == 0 ? multiply(x, unitMass) : divide(x, unitMass);
    if (!r.isFinite())
        throw floatingPointOverflow();

    std::u16string result = formatFloat000(r, separator_);
    result += u' ';
    result += state_.activeUnitText;
    window_.setResultText(result);
}

} // namespace tarvik
