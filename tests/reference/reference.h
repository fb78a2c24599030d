#pragma once

// A slow, independent model of the calculator's number conversions and of
// its product and quotient, in exact integer arithmetic only: no floating
// point takes part in any result, so a fault of the C library or of the FPU
// cannot hide in both the production code and its check.

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvik::reference {

// The 80-bit extended format as its fields: value = significand × 2^(e - 16383 - 63)
// with e = biasedExponent, or e = 1 for subnormals (biasedExponent 0, top
// significand bit clear). A finite value from this library is always in the
// canonical encoding: the explicit integer bit is set exactly when
// biasedExponent is not 0.
struct Extended {
    bool negative = false;
    std::uint64_t significand = 0;
    int biasedExponent = 0; // 0 .. 32767; 32767 is infinity or NaN

    bool operator==(const Extended&) const = default;
};

inline constexpr int extendedMaxBiasedExponent = 32766;

// Decimal digits of an integer, with "-" before a negative one.
std::u16string decimal(std::uint64_t v);
std::u16string decimal(int v);

// Whether the fields are a canonical finite value (not an infinity, NaN,
// pseudo-denormal or unnormal).
bool isCanonicalFinite(const Extended& x);

// Text to number. Invalid: outside the accepted grammar; Overflow: accepted
// but beyond the extended range after rounding (the production conversion
// refuses both alike).
struct Parsed {
    enum Status { Ok, Invalid, Overflow } status = Invalid;
    Extended value;
};
Parsed parse(std::u16string_view text, char16_t separator);

// Number to "0.000" text. x must be canonical and finite.
std::u16string format000(const Extended& x, char16_t separator);

// The product m × x and the quotient x ÷ m of a 64-bit unit mass (widened
// exactly) and an extended value, with one rounding to the extended format,
// ties to even. Overflow is reported through `overflow`.
struct Rounded {
    bool overflow = false;
    Extended value;
};
Rounded multiply(const Extended& x, double unitMass);
Rounded divide(const Extended& x, double unitMass);

// The whole calculation of one press of the button: the text converted,
// combined with the unit mass (mode 0: m × x, mode 1: x ÷ m) and formatted.
// `text` is the formatted number without the unit; it is empty unless Ok.
struct CalcOutcome {
    enum Kind { Ok, NotAFloat, Overflow } kind = Ok;
    std::u16string text;
};
CalcOutcome calculate(std::u16string_view input, double unitMass, int mode, char16_t separator);
// The same from an already converted text, for callers that try one input
// against many unit masses.
CalcOutcome calculate(const Parsed& input, double unitMass, int mode, char16_t separator);

} // namespace tarvik::reference
