#include "number/double_text.h"

#include "number/big_unsigned.h"
#include "number/errors.h"
#include "number/number_text.h"

#include <cstdint>

namespace tarvik {
namespace {

constexpr std::uint64_t fractionMask = (std::uint64_t{1} << 52) - 1;

// The exact value as all its decimal digits and the count of them before
// the point (which may exceed the digits' length by none: digits are
// written in full).
struct ExactDecimal {
    std::string digits;
    std::size_t integerLength = 0;
};

ExactDecimal exactDecimal(double value)
{
    const auto bits = doubleBits(value);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t significand = (bits & fractionMask) | (std::uint64_t{1} << 52);
    const int exponent = biased - 1075; // value = significand × 2^exponent
    float80::BigUnsigned n(significand);
    std::size_t fractionLength = 0;
    if (exponent >= 0) {
        n.shiftLeft(exponent);
    } else {
        // significand × 5^-e ÷ 10^-e
        n.multiplyByPowerOfFive(-exponent);
        fractionLength = static_cast<std::size_t>(-exponent);
    }
    std::string digits = n.decimalDigits();
    if (digits.size() <= fractionLength)
        digits.insert(0, fractionLength + 1 - digits.size(), '0');
    return {digits, digits.size() - fractionLength};
}

std::u16string textOf(std::string digits, std::size_t integerLength, char16_t separator)
{
    if (digits.size() < integerLength)
        digits.append(integerLength - digits.size(), '0');
    std::size_t start = 0;
    while (start + 1 < integerLength && digits[start] == '0')
        ++start;
    while (digits.size() > integerLength && digits.back() == '0')
        digits.pop_back();
    std::u16string out(digits.begin() + static_cast<std::ptrdiff_t>(start),
                       digits.begin() + static_cast<std::ptrdiff_t>(integerLength));
    if (digits.size() > integerLength) {
        out += separator;
        out.append(digits.begin() + static_cast<std::ptrdiff_t>(integerLength), digits.end());
    }
    return out;
}

// The digits kept up to `keep`, raised by one in the last kept place.
void roundUp(std::string& digits, std::size_t& integerLength)
{
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(0, 1, '1');
    ++integerLength;
}

} // namespace

std::u16string doubleText(double value, char16_t separator)
{
    const ExactDecimal exact = exactDecimal(value);
    const std::size_t first = exact.digits.find_first_not_of('0');
    // At 17 significant digits the nearest of the two candidates reads back.
    for (std::size_t significant = 1; significant <= 17; ++significant) {
        const std::size_t keep = first + significant;
        if (keep >= exact.digits.size())
            break;
        for (bool up : {false, true}) {
            std::string digits = exact.digits.substr(0, keep);
            std::size_t integerLength = exact.integerLength;
            if (up)
                roundUp(digits, integerLength);
            std::u16string text = textOf(digits, integerLength, separator);
            const std::optional<double> back = readDouble(text, separator);
            if (back && doubleBits(*back) == doubleBits(value))
                return text;
        }
    }
    return textOf(exact.digits, exact.integerLength, separator);
}

std::optional<double> readDouble(std::u16string_view text, char16_t separator)
{
    Float80 x;
    try {
        x = strToFloat(text, separator);
    } catch (const CalcError&) {
        return std::nullopt;
    }
    if (x.negative() || x.isZero() || x.significand() >> 63 == 0)
        return std::nullopt;
    int exponent = x.biasedExponent() - Float80::exponentBias;
    // To 53 bits, ties to even.
    std::uint64_t kept = x.significand() >> 11;
    const std::uint64_t dropped = x.significand() & 0x7FF;
    if (dropped > 0x400 || (dropped == 0x400 && (kept & 1) != 0))
        ++kept;
    if (kept >> 53 != 0) {
        kept >>= 1;
        ++exponent;
    }
    if (exponent < -1022 || exponent > 1023)
        return std::nullopt;
    const std::uint64_t bits = (static_cast<std::uint64_t>(exponent + 1023) << 52) | (kept & fractionMask);
    return doubleFromBits(bits);
}

} // namespace tarvik
