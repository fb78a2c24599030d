#pragma once

// Lets GoogleTest show a Float80 as its fields.

#include "number/float80.h"

#include <ostream>

namespace tarvik {
inline void PrintTo(const Float80& x, std::ostream* out)
{
    *out << (x.negative() ? '-' : '+') << std::hex << "0x" << x.significand() << std::dec << " e"
         << x.biasedExponent();
}
} // namespace tarvik
