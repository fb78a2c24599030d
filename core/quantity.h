#pragma once

// The computation behind «Расчитать», shared by the window's handler and the
// estimate so that a line's numbers are always the ones the calculator shows.

#include <string>
#include <string_view>

namespace tarvik {

// Mode 0: the mass of `number` metres (or square metres); mode 1: the
// metres (or square metres) of `number` kilograms. The result as
// formatFloat000 writes it. Throws CalcError as «Расчитать» reports it: the
// text is not a number, or the result is beyond the extended range.
std::u16string calculatedText(std::u16string_view number, char16_t separator, double unitMass, int mode);

} // namespace tarvik
