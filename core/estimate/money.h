#pragma once

// Exact decimal amounts for the estimate: masses in grams, money in kopecks,
// all as integers, with no binary floating point. Texts are in the
// calculator's form: the separator is the caller's, and "2,5E20" is read as
// formatFloat000 writes it.

#include "number/big_unsigned.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvik {

using Amount = float80::BigUnsigned;

enum class AmountError {
    None,
    NotANumber,
    Negative,
    TooManyDecimals, // the exact value needs more decimals than allowed
    TooLarge,        // beyond maxAmountDigits integer digits
};

// More than any sum of an estimate needs, few enough that a hostile text
// cannot make the arithmetic slow.
inline constexpr int maxAmountDigits = 40;

struct AmountText {
    Amount units; // of 10^-decimals
    AmountError error = AmountError::None;
};

// A non-negative decimal of at most `decimals` decimals as a count of
// 10^-decimals: spaces, an optional "+", digits with at most one separator
// (at least one digit), an optional exponent ("E" or "e", optional sign,
// digits), spaces. Trailing zeros beyond the allowed decimals do not count.
AmountText readAmount(std::u16string_view text, char16_t separator, int decimals);

// units × 10^-decimals with exactly `decimals` decimals, no grouping.
std::u16string formatAmount(const Amount& units, int decimals, char16_t separator);

// n ÷ divisor rounded half up; divisor > 0.
Amount roundedQuotient(Amount n, std::uint32_t divisor);

// mass (grams) × price (kopecks per tonne) in kopecks, rounded half up.
Amount costInKopecks(const Amount& grams, const Amount& kopecksPerTonne);

// A quantity in thousandths (of a metre, a square metre) × a price in
// kopecks per whole one, in kopecks rounded half up.
Amount costOfThousandths(const Amount& thousandths, const Amount& kopecksPerUnit);

// The mass in tonnes with three decimals, rounded half up: a count of
// kilograms.
Amount tonnesInThousandths(const Amount& grams);

// The VAT in a total at a rate in hundredths of a percent (2200 for 22 %),
// rounded half up to the kopeck: included in the total, or added to it.
Amount vatIncluded(const Amount& kopecks, std::uint32_t rateHundredths);
Amount vatAdded(const Amount& kopecks, std::uint32_t rateHundredths);

} // namespace tarvik
