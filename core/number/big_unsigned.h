#pragma once

// Unsigned integers of any size for the exact paths of the decimal
// conversions and for exact sums of money and mass: little-endian 32-bit
// limbs (their products fit 64 bits), no leading zero limb. Written for
// clarity; the numbers that come here have a few limbs.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvik::float80 {

class BigUnsigned {
public:
    BigUnsigned() = default;
    explicit BigUnsigned(std::uint64_t v);

    bool isZero() const { return limbs_.empty(); }
    int bitLength() const;
    // Bits [from, from + 64) as an integer; bits below 0 read as zeros.
    std::uint64_t bits64(int from) const;
    // Whether any bit below `below` is set.
    bool anyBitBelow(int below) const;

    void multiplyAdd(std::uint32_t factor, std::uint32_t addend);
    void add(const BigUnsigned& other);
    // *this -= other, which must not be greater.
    void subtract(const BigUnsigned& other);
    // floor(*this / divisor), returning the remainder; divisor > 0.
    std::uint32_t divideSmall(std::uint32_t divisor);
    // The value as the fewest ASCII decimal digits ("0" for zero).
    std::string decimalDigits() const;
    friend BigUnsigned operator*(const BigUnsigned& a, const BigUnsigned& b);
    friend bool operator==(const BigUnsigned&, const BigUnsigned&) = default;
    void multiplyByPowerOfFive(int n);
    void shiftLeft(int bits);
    // *this -= other × factor × 2^(32 × limbShift), which must not be negative.
    void subtractScaled(const BigUnsigned& other, std::uint32_t factor, std::size_t limbShift);

    friend int compare(const BigUnsigned& a, const BigUnsigned& b);
    // compare(a, b × 2^(32 × limbShift))
    friend int compareScaled(const BigUnsigned& a, const BigUnsigned& b, std::size_t limbShift);

private:
    void trim();
    std::vector<std::uint32_t> limbs_;
};

// floor(num / den) for a quotient below 2^quotientBits (at most 128), as two
// 64-bit halves; num is left holding the remainder.
struct Quotient {
    std::uint64_t hi = 0;
    std::uint64_t lo = 0;
};
Quotient divide(BigUnsigned& num, const BigUnsigned& den, int quotientBits);

} // namespace tarvik::float80
