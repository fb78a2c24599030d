#include "number/quantity.h"

#include "number/errors.h"
#include "number/number_text.h"

namespace tarvik {

std::u16string calculatedText(std::u16string_view number, char16_t separator, double unitMass, int mode)
{
    const Float80 x = strToFloat(number, separator);
    const Float80 r = mode == 0 ? multiply(x, unitMass) : divide(x, unitMass);
    if (!r.isFinite())
        throw floatingPointOverflow();
    return formatFloat000(r, separator);
}

} // namespace tarvik
