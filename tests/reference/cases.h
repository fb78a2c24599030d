#pragma once

// The fixed tables of the differential test: generated, but from a fixed
// seed, so every run checks the same cases and a failure names one that
// reproduces.

#include "tests/reference/reference.h"

#include <string>
#include <vector>

namespace tarvik::cases {

// Texts for the conversion to a number, written with the separator ",":
// the worked examples, refused texts, ties and near-ties of the binary
// rounding, random digit strings, long digit strings, exponents near the
// limits and subnormals.
std::vector<std::u16string> parseTexts();

// Canonical finite values for the formatting: boundaries of the format and
// of the two written forms, ties of the 18-digit rounding, halves of the
// third decimal, values near 10^18, and random bit patterns.
std::vector<reference::Extended> formatValues();

// Inputs tried against every unit mass of the catalogue in both modes.
std::vector<std::u16string> calculationInputs();

} // namespace tarvik::cases
