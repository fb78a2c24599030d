#include "number/float80_decimal.h"

#include "number/big_unsigned.h"
#include "number/float80_rounding.h"

#include <bit>

namespace tarvik {
namespace {

using float80::BigUnsigned;
using float80::quantumOffset;
using float80::UInt128;

// 5^0 .. 5^27, the powers that fit 64 bits with room for normalizing.
constexpr auto powersOfFive = [] {
    struct Table {
        std::uint64_t v[28];
    } t{};
    t.v[0] = 1;
    for (int i = 1; i < 28; ++i)
        t.v[i] = t.v[i - 1] * 5;
    return t;
}();
constexpr int fastPowerLimit = 27;

constexpr std::uint64_t tenTo17 = 100'000'000'000'000'000u;
constexpr std::uint64_t tenTo18 = 1'000'000'000'000'000'000u;

// The digits of a text with its leading zeros skipped, in order, across the
// separator.
class DigitWalk {
public:
    explicit DigitWalk(const DecimalText& n) : n_(n)
    {
        while (i_ < total() && at(i_) == u'0')
            ++i_;
    }
    bool done() const { return i_ >= total(); }
    int next() { return at(i_++) - u'0'; }
    // Digits left, this one included.
    std::size_t left() const { return total() - i_; }

private:
    std::size_t total() const { return n_.integerDigits.size() + n_.fractionDigits.size(); }
    char16_t at(std::size_t i) const
    {
        return i < n_.integerDigits.size() ? n_.integerDigits[i]
                                           : n_.fractionDigits[i - n_.integerDigits.size()];
    }
    const DecimalText& n_;
    std::size_t i_ = 0;
};

// The power of ten of the text's last digit: the value is all its digits,
// read as one integer, times 10 to this power.
int scaleOfLastDigit(const DecimalText& n)
{
    return n.exponent10 - static_cast<int>(n.fractionDigits.size());
}

Float80 zero(bool negative)
{
    return {negative, 0, 0};
}

// w × 10^q for |q| <= 27 and w < 2^64: one exact 128-bit product or
// quotient, rounded once. 10^q = 5^q × 2^q, and 5^27 < 2^63.
Float80 scaleExactly(bool negative, std::uint64_t w, int q)
{
    const int wShift = std::countl_zero(w);
    const std::uint64_t five = powersOfFive.v[q < 0 ? -q : q];
    const int fiveShift = std::countl_zero(five);
    const std::uint64_t a = w << wShift;
    const std::uint64_t b = five << fiveShift;
    if (q >= 0)
        return float80::roundProduct(negative, q - wShift - fiveShift, a, b);
    return float80::roundQuotient(negative, q - wShift + fiveShift, a, b);
}

// floor(log10 |x|) for 2^log2 <= |x| < 2^(log2 + 1), or one off either way
// (0.30103 stands for log10 2): the callers step from it to the right one.
int decimalExponentEstimate(int log2)
{
    return log2 >= 0 ? log2 * 30103 / 100000 : -((-log2 * 30103 + 99999) / 100000);
}

// The 18 digits rounded to nearest, ties to even, given how the dropped
// remainder compares with half a unit of the last digit; a carry out of the
// top digit moves the exponent.
Decimal18 roundedDecimal18(std::uint64_t digits, int exponent10, int remainderAgainstHalf)
{
    Decimal18 d{digits, exponent10};
    if (remainderAgainstHalf > 0 || (remainderAgainstHalf == 0 && (digits & 1) != 0)) {
        if (++d.digits == tenTo18) {
            d.digits = tenTo17;
            ++d.exponent10;
        }
    }
    return d;
}

} // namespace

namespace exact {

Float80 toFloat80(const DecimalText& number)
{
    DigitWalk walk(number);
    const int digitCount = static_cast<int>(walk.left());
    BigUnsigned n;
    while (!walk.done()) {
        // Nine digits at a time: 10^9 < 2^32.
        std::uint32_t chunk = 0;
        std::uint32_t scale = 1;
        for (int i = 0; i < 9 && !walk.done(); ++i) {
            chunk = chunk * 10 + static_cast<std::uint32_t>(walk.next());
            scale *= 10;
        }
        n.multiplyAdd(scale, chunk);
    }
    if (n.isZero())
        return zero(number.negative);
    const int q = scaleOfLastDigit(number);
    // 10^(digitCount - 1 + q) <= value < 10^(digitCount + q); the largest
    // finite value is about 1.19 × 10^4932, half the smallest subnormal
    // about 1.82 × 10^-4951.
    if (digitCount - 1 + q > 4932)
        return Float80::infinity(number.negative);
    if (digitCount + q < -4951)
        return zero(number.negative);

    if (q >= 0) {
        n.multiplyByPowerOfFive(q);
        const int length = n.bitLength();
        const std::uint64_t sig = n.bits64(length - 64);
        const std::uint64_t extra = n.bits64(length - 128) | (n.anyBitBelow(length - 128) ? 1 : 0);
        return float80::roundPack(number.negative, length - 1 + q + Float80::exponentBias, sig, extra);
    }

    // n / (5^k × 2^k): a quotient of 66 or 67 bits, then a sticky bit.
    const int k = -q;
    BigUnsigned den(1);
    den.multiplyByPowerOfFive(k);
    const int shift = 66 - (n.bitLength() - den.bitLength());
    if (shift >= 0)
        n.shiftLeft(shift);
    else
        den.shiftLeft(-shift);
    const float80::Quotient quotient = float80::divide(n, den, 67);
    const bool sticky = !n.isZero();
    const int length = 64 + std::bit_width(quotient.hi); // 66 or 67
    const int drop = length - 64;
    const std::uint64_t sig = (quotient.hi << (64 - drop)) | (quotient.lo >> drop);
    const std::uint64_t extra = (quotient.lo << (64 - drop)) | (sticky ? 1 : 0);
    return float80::roundPack(number.negative, length - 1 - shift - k + Float80::exponentBias, sig, extra);
}

Decimal18 toDecimal18(Float80 x)
{
    const int exponent = x.biasedExponent() == 0 ? 1 : x.biasedExponent();
    const int scale = exponent - quantumOffset; // |x| = significand × 2^scale
    int e10 = decimalExponentEstimate(std::bit_width(x.significand()) - 1 + scale);
    for (;;) {
        // digits = |x| × 10^(17 - e10) = significand × 5^p × 2^(scale + p)
        const int p = 17 - e10;
        BigUnsigned num(x.significand());
        BigUnsigned den(1);
        if (p >= 0)
            num.multiplyByPowerOfFive(p);
        else
            den.multiplyByPowerOfFive(-p);
        if (scale + p >= 0)
            num.shiftLeft(scale + p);
        else
            den.shiftLeft(-(scale + p));
        BigUnsigned rest = num;
        // Below 10^19 < 2^64 whenever the guess is right or one too small.
        BigUnsigned limit = den;
        limit.multiplyAdd(1'000'000'000, 0);
        limit.multiplyAdd(1'000'000'000, 0);
        limit.multiplyAdd(10, 0);
        if (compare(num, limit) >= 0) {
            ++e10;
            continue;
        }
        const std::uint64_t digits = float80::divide(rest, den, 64).lo;
        if (digits >= tenTo18) {
            ++e10;
            continue;
        }
        if (digits < tenTo17) {
            --e10;
            continue;
        }
        // Round on the remainder: twice it against the divisor.
        rest.shiftLeft(1);
        return roundedDecimal18(digits, e10, compare(rest, den));
    }
}

} // namespace exact

Float80 toFloat80(const DecimalText& number)
{
    // Up to 19 significant digits go into one 64-bit integer; trailing zeros
    // are counted rather than multiplied in.
    DigitWalk walk(number);
    std::uint64_t w = 0;
    int held = 0;
    int pendingZeros = 0;
    while (!walk.done()) {
        const int d = walk.next();
        if (d == 0) {
            ++pendingZeros;
            continue;
        }
        if (held + pendingZeros + 1 > 19)
            return exact::toFloat80(number);
        for (; pendingZeros > 0; --pendingZeros, ++held)
            w *= 10;
        w = w * 10 + static_cast<std::uint64_t>(d);
        ++held;
    }
    if (w == 0)
        return zero(number.negative);
    const int q = scaleOfLastDigit(number) + pendingZeros;
    if (q < -fastPowerLimit || q > fastPowerLimit)
        return exact::toFloat80(number);
    return scaleExactly(number.negative, w, q);
}

Decimal18 toDecimal18(Float80 x)
{
    // Fast for 2^-12 <= |x| < 10^18, where the digits are significand ×
    // 5^p × 2^(scale + p) with p <= 21 (5^21 < 2^49), within 128 bits.
    const int exponent = x.biasedExponent();
    if (exponent < Float80::exponentBias - 12 || exponent > Float80::exponentBias + 59)
        return exact::toDecimal18(x);
    const std::uint64_t sig = x.significand();
    const int scale = exponent - quantumOffset;
    int e10 = decimalExponentEstimate(exponent - Float80::exponentBias);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int p = 17 - e10;
        if (p < 0 || p > 21)
            break;
        const UInt128 product = float80::multiply64(sig, powersOfFive.v[p]);
        const int shift = -(scale + p); // from 4 to 54 in this range
        if (shift <= 0 || shift >= 64)
            break;
        // digits = product >> shift; the bits shifted out decide the rounding.
        if ((product.hi >> shift) != 0) {
            ++e10;
            continue;
        }
        const std::uint64_t digits = (product.hi << (64 - shift)) | (product.lo >> shift);
        const std::uint64_t rest = product.lo & ((std::uint64_t{1} << shift) - 1);
        const std::uint64_t half = std::uint64_t{1} << (shift - 1);
        if (digits >= tenTo18) {
            ++e10;
            continue;
        }
        if (digits < tenTo17) {
            --e10;
            continue;
        }
        return roundedDecimal18(digits, e10, rest > half ? 1 : rest == half ? 0 : -1);
    }
    return exact::toDecimal18(x);
}

} // namespace tarvik
