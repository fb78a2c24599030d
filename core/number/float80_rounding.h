#pragma once

// The pieces of Float80 arithmetic that the decimal conversions share: one
// rounding routine and 128-bit products and quotients built from 32-bit
// halves (no compiler extension, so 32-bit targets and WebAssembly compute
// the same).

#include "number/float80.h"

#include <bit>
#include <cstdint>

namespace tarvik::float80 {

// A biased exponent e with a significand s (top bit set for normal values)
// stands for s × 2^(e - quantumOffset).
inline constexpr int quantumOffset = Float80::exponentBias + 63;

struct UInt128 {
    std::uint64_t hi = 0;
    std::uint64_t lo = 0;
};

inline UInt128 multiply64(std::uint64_t a, std::uint64_t b)
{
    const std::uint64_t a0 = a & 0xFFFFFFFFu, a1 = a >> 32;
    const std::uint64_t b0 = b & 0xFFFFFFFFu, b1 = b >> 32;
    const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    const std::uint64_t middle = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
    return {p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32), (middle << 32) | (p00 & 0xFFFFFFFFu)};
}

// floor((hi × 2^64 + lo) / divisor) and the remainder, for a divisor with its
// top bit set and hi < divisor (so the quotient fits 64 bits): two steps of
// schoolbook division on 32-bit digits (Hacker's Delight, divlu).
std::uint64_t divide128(std::uint64_t hi, std::uint64_t lo, std::uint64_t divisor, std::uint64_t& remainder);

// The one rounding of every operation. sig has its top bit set (or is 0 with
// extra 0); extra holds the bits below sig, its lowest bit also standing for
// any nonzero bits further down. The value (sig + extra / 2^64) ×
// 2^(exponent - quantumOffset) is rounded to nearest, ties to even, to a
// subnormal below the normal range and to an infinity above it.
Float80 roundPack(bool negative, int exponent, std::uint64_t sig, std::uint64_t extra);

// Rounded a × b × 2^scale and (a / b) × 2^scale for significands with their
// top bits set.
Float80 roundProduct(bool negative, int scale, std::uint64_t a, std::uint64_t b);
Float80 roundQuotient(bool negative, int scale, std::uint64_t a, std::uint64_t b);

} // namespace tarvik::float80
