#pragma once

// What crosses from the calculator's module to the estimate's through the
// page: a calculation as thirteen texts, its unit mass as the sixteen hex
// digits of its bits, so the estimate gets the very double the calculator
// used, its density in digits and its flags as "0" or "1"; and the
// catalogue's answers to the estimate's questions.

#include "estimate/catalogue_lookup.h"
#include "number/quantity.h"

#include <optional>
#include <string>
#include <vector>

namespace tarvik::web {

inline constexpr int calculationTextCount = 13;

// A unit mass as the sixteen hex digits of its bits, and back (none for
// any other text).
std::u16string unitMassText(double unitMass);
std::optional<double> unitMassFromText(const std::u16string& text);

// A family as one number: -1 for none, otherwise its default piece size
// times two, plus one for a family sold by area.
int catalogueFamilyNumber(const std::optional<CatalogueFamily>& family);
std::optional<CatalogueFamily> catalogueFamilyFromNumber(int number);

std::vector<std::u16string> calculationTexts(const Calculation& calculation);

// None when the texts are not calculationTextCount, the unit mass is not
// sixteen hex digits, the density not a whole number above zero or a flag
// not "0" or "1".
std::optional<Calculation> calculationFromTexts(const std::vector<std::u16string>& texts);

} // namespace tarvik::web
