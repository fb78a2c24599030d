#pragma once

// Unit masses computed rather than read from the catalogue: a grade's
// density applied to a catalogue mass, and the mass of a section the user
// gave by its dimensions. Each is an exact rational rounded once, half up,
// to six decimals (a whole number of millionths of a kilogram), and then
// taken as the double nearest to it, as the compiler takes a catalogue
// literal with six decimals; «Расчитать» then uses it as it uses a unit mass
// of the catalogue.

#include "number/big_unsigned.h"

#include <cstdint>
#include <string>

namespace tarvik {

// numerator ÷ denominator rounded half up, for a quotient below 2^64 and a
// denominator above zero.
std::uint64_t roundedHalfUp(float80::BigUnsigned numerator, const float80::BigUnsigned& denominator);

// The double nearest to millionths ÷ 10^6, ties to even.
double doubleOfMillionths(std::uint64_t millionths);

// "2,485732", "0,5", "12": the fewest digits, no trailing zeros.
std::u16string millionthsText(std::uint64_t millionths, char16_t separator);

// The unit mass at another density than the catalogue's 7850 kg/m³: the
// catalogue's figure as written (the shortest decimal that reads back to
// it: 2,47) × density ÷ 7850, rounded half up to six decimals. At 7850 the
// catalogue's double itself, so steel keeps every number bit for bit.
std::uint64_t scaledMillionths(double unitMass, int density);
double scaledUnitMass(double unitMass, int density);

} // namespace tarvik
