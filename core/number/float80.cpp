#include "number/float80.h"

#include "number/float80_rounding.h"

#include <bit>
#include <cstring>

namespace tarvik {
namespace float80 {

namespace {
constexpr std::uint64_t topBit = std::uint64_t{1} << 63;
}

std::uint64_t divide128(std::uint64_t hi, std::uint64_t lo, std::uint64_t divisor, std::uint64_t& remainder)
{
    constexpr std::uint64_t base = std::uint64_t{1} << 32;
    const std::uint64_t v1 = divisor >> 32, v0 = divisor & 0xFFFFFFFFu;
    const std::uint64_t u1 = lo >> 32, u0 = lo & 0xFFFFFFFFu;

    std::uint64_t q1 = hi / v1;
    std::uint64_t rest = hi - q1 * v1;
    while (q1 >= base || q1 * v0 > base * rest + u1) {
        --q1;
        rest += v1;
        if (rest >= base)
            break;
    }
    const std::uint64_t middle = hi * base + u1 - q1 * divisor;

    std::uint64_t q0 = middle / v1;
    rest = middle - q0 * v1;
    while (q0 >= base || q0 * v0 > base * rest + u0) {
        --q0;
        rest += v1;
        if (rest >= base)
            break;
    }
    remainder = middle * base + u0 - q0 * divisor;
    return q1 * base + q0;
}

Float80 roundPack(bool negative, int exponent, std::uint64_t sig, std::uint64_t extra)
{
    if (sig == 0)
        return {negative, 0, 0};
    if (exponent >= Float80::specialExponent)
        return Float80::infinity(negative);
    if (exponent <= 0) {
        // Below the normal range the unit of the last place stays that of
        // exponent 1: shift right, keeping every lost bit as sticky.
        const int shift = 1 - exponent;
        if (shift >= 128) {
            extra = 1;
            sig = 0;
        } else if (shift >= 64) {
            const std::uint64_t lost = (shift == 64 ? 0 : sig << (128 - shift)) | extra;
            extra = (shift == 64 ? sig : sig >> (shift - 64)) | (lost != 0 ? 1 : 0);
            sig = 0;
        } else {
            extra = (sig << (64 - shift)) | (extra != 0 ? 1 : 0);
            sig >>= shift;
        }
        exponent = 0;
    }
    if (extra > topBit || (extra == topBit && (sig & 1) != 0)) {
        if (++sig == 0) {
            sig = topBit;
            if (++exponent >= Float80::specialExponent)
                return Float80::infinity(negative);
        }
    }
    if (exponent == 0 && (sig & topBit) != 0)
        exponent = 1; // a subnormal rounded up to the smallest normal value
    return {negative, exponent, sig};
}

Float80 roundProduct(bool negative, int scale, std::uint64_t a, std::uint64_t b)
{
    UInt128 p = multiply64(a, b); // in [2^126, 2^128)
    int exponent = scale + quantumOffset + 64;
    if ((p.hi & topBit) == 0) {
        p.hi = (p.hi << 1) | (p.lo >> 63);
        p.lo <<= 1;
        --exponent;
    }
    return roundPack(negative, exponent, p.hi, p.lo);
}

Float80 roundQuotient(bool negative, int scale, std::uint64_t a, std::uint64_t b)
{
    // a / b lies in (1/2, 2): a quotient of 64 bits from a × 2^63 or a × 2^64.
    std::uint64_t remainder = 0;
    std::uint64_t q = 0;
    int exponent = scale + quantumOffset - 63;
    if (a >= b) {
        q = divide128(a >> 1, a << 63, b, remainder);
    } else {
        q = divide128(a, 0, b, remainder);
        --exponent;
    }
    // Only whether the remainder is zero, below, at or above half of b
    // matters to the rounding: encode that as the bits below q.
    std::uint64_t extra = 0;
    if (remainder != 0) {
        const std::uint64_t otherPart = b - remainder;
        extra = remainder < otherPart ? 1 : remainder == otherPart ? topBit : topBit | 1;
    }
    return roundPack(negative, exponent, q, extra);
}

} // namespace float80

namespace {

// A finite nonzero value as a normalized significand and a power of two:
// value = sig × 2^scale with the top bit of sig set.
struct Normalized {
    std::uint64_t sig;
    int scale;
};

Normalized normalize(Float80 x)
{
    const int exponent = x.biasedExponent() == 0 ? 1 : x.biasedExponent();
    const int shift = std::countl_zero(x.significand());
    return {x.significand() << shift, exponent - float80::quantumOffset - shift};
}

Float80 widen(double d)
{
    std::uint64_t bits = 0;
    static_assert(sizeof bits == sizeof d);
    std::memcpy(&bits, &d, sizeof d);
    const bool negative = (bits >> 63) != 0;
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (exponent == 0x7FF)
        return fraction == 0 ? Float80::infinity(negative) : Float80::nan();
    if (exponent == 0 && fraction == 0)
        return {negative, 0, 0};
    // Every double, subnormals included, is a normal extended value.
    const std::uint64_t sig = exponent == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
    const int shift = std::countl_zero(sig);
    const int scale = (exponent == 0 ? 1 : exponent) - 1075 - shift;
    return {negative, scale + float80::quantumOffset, sig << shift};
}

} // namespace

Float80 multiply(Float80 x, double factor)
{
    const Float80 m = widen(factor);
    const bool negative = x.negative() != m.negative();
    if (x.isNaN() || m.isNaN())
        return Float80::nan();
    if (!x.isFinite() || !m.isFinite())
        return x.isZero() || m.isZero() ? Float80::nan() : Float80::infinity(negative);
    if (x.isZero() || m.isZero())
        return {negative, 0, 0};
    const Normalized a = normalize(x);
    const Normalized b = normalize(m);
    return float80::roundProduct(negative, a.scale + b.scale, a.sig, b.sig);
}

Float80 divide(Float80 x, double divisor)
{
    const Float80 m = widen(divisor);
    const bool negative = x.negative() != m.negative();
    if (x.isNaN() || m.isNaN())
        return Float80::nan();
    if (!x.isFinite())
        return m.isFinite() ? Float80::infinity(negative) : Float80::nan();
    if (!m.isFinite())
        return {negative, 0, 0};
    if (m.isZero())
        return x.isZero() ? Float80::nan() : Float80::infinity(negative);
    if (x.isZero())
        return {negative, 0, 0};
    const Normalized a = normalize(x);
    const Normalized b = normalize(m);
    return float80::roundQuotient(negative, a.scale - b.scale, a.sig, b.sig);
}

} // namespace tarvik
