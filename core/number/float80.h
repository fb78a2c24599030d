#pragma once

// The 80-bit extended format in plain integer arithmetic, so that every
// machine computes the calculator's numbers alike: a sign, a 15-bit biased
// exponent and a 64-bit significand with an explicit integer bit, subnormals
// included. Only the operations the calculation needs.

#include <cstdint>

namespace tarvik {

class Float80 {
public:
    static constexpr int exponentBias = 16383;
    // The biased exponent of the infinities and of NaN.
    static constexpr int specialExponent = 0x7FFF;

    constexpr Float80() = default; // +0
    constexpr Float80(bool negative, int biasedExponent, std::uint64_t significand)
        : signExp_(static_cast<std::uint16_t>((negative ? 0x8000 : 0) | (biasedExponent & 0x7FFF))),
          signif_(significand)
    {
    }

    static constexpr Float80 infinity(bool negative)
    {
        return {negative, specialExponent, std::uint64_t{1} << 63};
    }
    static constexpr Float80 nan() { return {false, specialExponent, std::uint64_t{3} << 62}; }

    constexpr bool negative() const { return (signExp_ & 0x8000) != 0; }
    constexpr int biasedExponent() const { return signExp_ & 0x7FFF; }
    constexpr std::uint64_t significand() const { return signif_; }

    constexpr bool isFinite() const { return biasedExponent() != specialExponent; }
    constexpr bool isNaN() const { return !isFinite() && (signif_ << 1) != 0; }
    constexpr bool isZero() const { return isFinite() && signif_ == 0; }

    // The same encoding, bit for bit (so +0 and -0 differ).
    constexpr bool operator==(const Float80&) const = default;

private:
    std::uint16_t signExp_ = 0;
    std::uint64_t signif_ = 0;
};

// x × factor and x ÷ divisor with the double widened exactly, rounded once to
// nearest, ties to even; past the largest finite value, an infinity. A zero
// divisor gives an infinity, or NaN for 0 ÷ 0, as the x87 unit does.
Float80 multiply(Float80 x, double factor);
Float80 divide(Float80 x, double divisor);

} // namespace tarvik
