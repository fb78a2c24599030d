#pragma once

// Exact conversions between decimal numbers and Float80. Short inputs take a
// fast path of exact 128-bit integer arithmetic; everything else an exact
// big-integer path. Both give the correctly rounded result.

#include "number/float80.h"

#include <cstdint>
#include <string_view>

namespace tarvik {

// A decimal number as its text gives it: the digits before and after the
// separator (ASCII digits only) and the power of ten they are scaled by.
struct DecimalText {
    bool negative = false;
    std::u16string_view integerDigits;
    std::u16string_view fractionDigits;
    int exponent10 = 0;
};

// The exact value rounded to nearest, ties to even, subnormals kept; an
// infinity beyond the finite range, a zero of the text's sign below half the
// smallest subnormal.
Float80 toFloat80(const DecimalText& number);

// The 18 significant decimal digits of a finite nonzero |x|, rounded to
// nearest with ties to even on the exact binary value:
// |x| ≈ digits × 10^(exponent10 - 17) with 10^17 <= digits < 10^18.
struct Decimal18 {
    std::uint64_t digits = 0;
    int exponent10 = 0;
};
Decimal18 toDecimal18(Float80 x);

// The exact paths on their own, for the tests that hold the fast paths to
// them.
namespace exact {
Float80 toFloat80(const DecimalText& number);
Decimal18 toDecimal18(Float80 x);
} // namespace exact

} // namespace tarvik
