#pragma once

// The calculator's arithmetic as it was first written: borrowed from an x87
// `long double` (glibc's strtold_l, the FPU's product and quotient,
// snprintf("%.17Le")). Kept for the tests only, as a second yardstick where
// `long double` is the 80-bit format (LDBL_MANT_DIG == 64): the project's own
// arithmetic must give the same bits there. Values cross this interface as
// fields, converted by arithmetic (frexpl, ldexpl), not by memory layout.

#include "tests/reference/reference.h"

#include <optional>
#include <string>
#include <string_view>

namespace tarvik::oracle {

// Nothing for a refused text (outside the grammar or beyond the range).
std::optional<reference::Extended> parse(std::u16string_view text, char16_t separator);

// The product unitMass × x (mode 0) or the quotient x ÷ unitMass (mode 1);
// nothing when the result is not finite.
std::optional<reference::Extended> calculate(const reference::Extended& x, double unitMass, int mode);

// x canonical and finite.
std::u16string format000(const reference::Extended& x, char16_t separator);

} // namespace tarvik::oracle
