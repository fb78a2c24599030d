#pragma once

// A unit mass (a double from the catalogue) as a decimal text and back,
// without the C library: the shortest text that reads back to the very same
// double, so a stored line names the mass it was computed with.

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace tarvik {

// A double's bits and back (std::bit_cast is missing from one of the
// toolchains the core is built with).
inline std::uint64_t doubleBits(double value)
{
    std::uint64_t bits = 0;
    static_assert(sizeof bits == sizeof value);
    std::memcpy(&bits, &value, sizeof value);
    return bits;
}
inline double doubleFromBits(std::uint64_t bits)
{
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// For a finite positive normal double: "0,89", "1234,5", "0,000123".
std::u16string doubleText(double value, char16_t separator);

// The double nearest to the text's Float80 reading (strToFloat); none for a
// text that does not read or a value outside the positive normal doubles.
std::optional<double> readDouble(std::u16string_view text, char16_t separator);

} // namespace tarvik
