#include "estimate/money.h"

#include <algorithm>

namespace tarvik {
namespace {

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Past any exponent that can still give an amount in range.
constexpr int exponentCap = 100000;

} // namespace

AmountText readAmount(std::u16string_view text, char16_t separator, int decimals)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    const auto skipSpaces = [&] {
        while (i < n && text[i] == u' ')
            ++i;
    };
    skipSpaces();
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    std::string digits;
    int fractionDigits = 0;
    bool seenSeparator = false;
    for (; i < n; ++i) {
        if (isDigit(text[i])) {
            digits += static_cast<char>(text[i]);
            fractionDigits += seenSeparator ? 1 : 0;
        } else if (text[i] == separator && !seenSeparator) {
            seenSeparator = true;
        } else {
            break;
        }
    }
    if (digits.empty())
        return {{}, AmountError::NotANumber};
    int exponent = 0;
    if (i < n && (text[i] == u'E' || text[i] == u'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            negativeExponent = text[i++] == u'-';
        for (; i < n && isDigit(text[i]); ++i)
            exponent = std::min(exponent * 10 + (text[i] - u'0'), exponentCap);
        exponent = negativeExponent ? -exponent : exponent;
    }
    skipSpaces();
    if (i != n)
        return {{}, AmountError::NotANumber};

    const std::size_t firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos)
        return {};
    if (negative)
        return {{}, AmountError::Negative};
    digits.erase(0, firstNonZero);
    // value = digits × 10^shift units
    int shift = exponent - fractionDigits + decimals;
    while (shift < 0 && digits.back() == '0') {
        digits.pop_back();
        ++shift;
    }
    if (shift < 0)
        return {{}, AmountError::TooManyDecimals};
    if (static_cast<std::int64_t>(digits.size()) + shift > maxAmountDigits + decimals)
        return {{}, AmountError::TooLarge};
    digits.append(static_cast<std::size_t>(shift), '0');
    AmountText result;
    for (char d : digits)
        result.units.multiplyAdd(10, static_cast<std::uint32_t>(d - '0'));
    return result;
}

std::u16string formatAmount(const Amount& units, int decimals, char16_t separator)
{
    std::string digits = units.decimalDigits();
    const auto fraction = static_cast<std::size_t>(decimals);
    if (digits.size() <= fraction)
        digits.insert(0, fraction + 1 - digits.size(), '0');
    std::u16string out(digits.begin(), digits.end());
    if (fraction > 0)
        out.insert(out.size() - fraction, 1, separator);
    return out;
}

Amount roundedQuotient(Amount n, std::uint32_t divisor)
{
    const std::uint32_t rest = n.divideSmall(divisor);
    if (std::uint64_t{rest} * 2 >= divisor)
        n.add(Amount(1));
    return n;
}

Amount costInKopecks(const Amount& grams, const Amount& kopecksPerTonne)
{
    return roundedQuotient(grams * kopecksPerTonne, 1'000'000);
}

Amount costOfThousandths(const Amount& thousandths, const Amount& kopecksPerUnit)
{
    return roundedQuotient(thousandths * kopecksPerUnit, 1000);
}

Amount tonnesInThousandths(const Amount& grams)
{
    return roundedQuotient(grams, 1000);
}

Amount vatIncluded(const Amount& kopecks, std::uint32_t rateHundredths)
{
    return roundedQuotient(kopecks * Amount(rateHundredths), 10000 + rateHundredths);
}

Amount vatAdded(const Amount& kopecks, std::uint32_t rateHundredths)
{
    return roundedQuotient(kopecks * Amount(rateHundredths), 10000);
}

} // namespace tarvik
