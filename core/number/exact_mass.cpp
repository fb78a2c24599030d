#include "number/exact_mass.h"

#include "number/double_text.h"

#include <bit>

namespace tarvik {
namespace {

using float80::BigUnsigned;

constexpr int catalogueDensity = 7850;
constexpr std::uint32_t million = 1'000'000;

BigUnsigned powerOfTen(int n)
{
    BigUnsigned p(1);
    for (; n >= 9; n -= 9)
        p.multiplyAdd(1'000'000'000, 0);
    for (; n > 0; --n)
        p.multiplyAdd(10, 0);
    return p;
}

// The digits of a decimal text, read as one integer, and how many of them
// stand after the separator.
struct ScaledDigits {
    BigUnsigned digits;
    int decimals = 0;
};

ScaledDigits digitsOf(std::u16string_view text)
{
    ScaledDigits out;
    bool after = false;
    for (char16_t c : text) {
        if (c >= u'0' && c <= u'9') {
            out.digits.multiplyAdd(10, static_cast<std::uint32_t>(c - u'0'));
            out.decimals += after ? 1 : 0;
        } else {
            after = true;
        }
    }
    return out;
}

} // namespace

std::uint64_t roundedHalfUp(BigUnsigned numerator, const BigUnsigned& denominator)
{
    const float80::Quotient q = float80::divide(numerator, denominator, 64);
    // Half up: twice the remainder against the divisor.
    numerator.shiftLeft(1);
    return q.lo + (compare(numerator, denominator) >= 0 ? 1 : 0);
}

double doubleOfMillionths(std::uint64_t millionths)
{
    if (millionths == 0)
        return 0;
    // A quotient of 55 or 56 bits, then a sticky bit for the rest.
    BigUnsigned num(millionths);
    BigUnsigned den(million);
    const int shift = 55 - (num.bitLength() - den.bitLength());
    if (shift >= 0)
        num.shiftLeft(shift);
    else
        den.shiftLeft(-shift);
    const std::uint64_t q = float80::divide(num, den, 64).lo;
    const bool sticky = !num.isZero();
    const int drop = std::bit_width(q) - 53;
    std::uint64_t kept = q >> drop;
    const std::uint64_t rest = q & ((std::uint64_t{1} << drop) - 1);
    const std::uint64_t half = std::uint64_t{1} << (drop - 1);
    if (rest > half || (rest == half && (sticky || (kept & 1) != 0)))
        ++kept;
    int exponent = 52 + drop - shift;
    if (kept >> 53 != 0) {
        kept >>= 1;
        ++exponent;
    }
    constexpr std::uint64_t fractionMask = (std::uint64_t{1} << 52) - 1;
    return doubleFromBits((static_cast<std::uint64_t>(exponent + 1023) << 52) | (kept & fractionMask));
}

std::u16string millionthsText(std::uint64_t millionths, char16_t separator)
{
    std::u16string text;
    for (std::uint64_t whole = millionths / million; text.empty() || whole != 0; whole /= 10)
        text.insert(text.begin(), static_cast<char16_t>(u'0' + whole % 10));
    std::uint64_t fraction = millionths % million;
    if (fraction == 0)
        return text;
    text += separator;
    for (std::uint32_t place = million / 10; fraction != 0; place /= 10) {
        text += static_cast<char16_t>(u'0' + fraction / place);
        fraction %= place;
    }
    return text;
}

std::uint64_t scaledMillionths(double unitMass, int density)
{
    // unitMass = digits ÷ 10^decimals, so the millionths are
    // digits × density × 10^6 ÷ (7850 × 10^decimals).
    ScaledDigits written = digitsOf(doubleText(unitMass, u','));
    written.digits.multiplyAdd(static_cast<std::uint32_t>(density), 0);
    written.digits.multiplyAdd(million, 0);
    BigUnsigned den = powerOfTen(written.decimals);
    den.multiplyAdd(catalogueDensity, 0);
    return roundedHalfUp(written.digits, den);
}

double scaledUnitMass(double unitMass, int density)
{
    if (density == catalogueDensity)
        return unitMass;
    return doubleOfMillionths(scaledMillionths(unitMass, density));
}

} // namespace tarvik
