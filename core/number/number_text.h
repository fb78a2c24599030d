#pragma once

// The two number conversions of the calculator. Both take the decimal
// separator as a parameter: the window passes its locale's.

#include "number/float80.h"

#include <string>
#include <string_view>

namespace tarvik {

// Reads a number into the 80-bit extended format. Accepted, in order:
// spaces (U+0020 only), an optional sign, a mantissa of ASCII digits with at
// most one separator (at least one digit or the separator), an optional
// exponent ("E" or "e", optional sign, digits, read only while its value is
// below 500), spaces. The exact decimal value is rounded to nearest, ties to
// even; subnormals are kept and a value below them reads as zero. Throws
// CalcError for any other text and for a value beyond the extended range.
Float80 strToFloat(std::u16string_view text, char16_t separator);

// Writes r with exactly three decimals ("0.000"). The digits come from the
// 18-significant-digit decimal form of r (round to nearest, ties to even);
// the third decimal is then rounded half away from zero on that decimal form.
// No grouping; a value that rounds to zero has no sign. From 10^18 on, the
// general scientific form with at most 15 significant digits ("2,5E20").
std::u16string formatFloat000(Float80 r, char16_t separator);

} // namespace tarvik
