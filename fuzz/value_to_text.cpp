// Number to "0.000" text: the production formatting against the exact
// reference (and the old x87 path, where there is one). The input is the 10
// bytes of an 80-bit value: the significand little-endian, then the sign and
// exponent.

#include "report.h"
#include "tests/reference/differential.h"

#include <cstddef>
#include <cstdint>

using tarvik::reference::Extended;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size != 10)
        return -1; // keeps other lengths out of the corpus
    Extended x;
    for (int i = 7; i >= 0; --i)
        x.significand = (x.significand << 8) | data[i];
    const unsigned signExp = data[8] | (static_cast<unsigned>(data[9]) << 8);
    x.negative = (signExp & 0x8000u) != 0;
    x.biasedExponent = static_cast<int>(signExp & 0x7fffu);
    // The calculator only ever holds finite values in the canonical
    // encoding; the explicit integer bit of the others (pseudo-denormals,
    // unnormals) follows from the exponent, so set it that way.
    if (x.biasedExponent > tarvik::reference::extendedMaxBiasedExponent)
        return -1;
    constexpr std::uint64_t integerBit = std::uint64_t{1} << 63;
    x.significand = x.biasedExponent == 0 ? x.significand & ~integerBit : x.significand | integerBit;
    tarvik::fuzz::abortOnDifference(tarvik::differential::compareFormat(x, u','));
    return 0;
}
