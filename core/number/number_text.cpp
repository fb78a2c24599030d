#include "number/number_text.h"

#include "number/errors.h"
#include "number/float80_decimal.h"

#include <cstdint>
#include <string>

namespace tarvik {
namespace {

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

constexpr int exponentReadLimit = 500;

// Splits a text of the grammar into its parts; false on any other text.
bool readDecimal(std::u16string_view text, char16_t separator, DecimalText& number)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    const auto skipSpaces = [&] {
        while (i < n && text[i] == u' ')
            ++i;
    };
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < n && isDigit(text[i]))
            ++i;
        return text.substr(start, i - start);
    };

    skipSpaces();
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        number.negative = text[i++] == u'-';
    number.integerDigits = digits();
    bool hasSeparator = false;
    if (i < n && text[i] == separator) {
        hasSeparator = true;
        ++i;
        number.fractionDigits = digits();
    }
    if (number.integerDigits.empty() && number.fractionDigits.empty() && !hasSeparator)
        return false;

    if (i < n && (text[i] == u'E' || text[i] == u'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            negativeExponent = text[i++] == u'-';
        int exponent = 0;
        for (; i < n && isDigit(text[i]); ++i) {
            if (exponent >= exponentReadLimit)
                return false;
            exponent = exponent * 10 + (text[i] - u'0');
        }
        number.exponent10 = negativeExponent ? -exponent : exponent;
    }
    skipSpaces();
    return i == n;
}

constexpr std::uint64_t powerOfTen(int n)
{
    std::uint64_t r = 1;
    while (n-- > 0)
        r *= 10;
    return r;
}

// Decimal digits of v at the end of out.
void appendDecimal(std::u16string& out, std::uint64_t v)
{
    char16_t buffer[20];
    char16_t* end = buffer + 20;
    char16_t* p = end;
    do {
        *--p = static_cast<char16_t>(u'0' + v % 10);
        v /= 10;
    } while (v != 0);
    out.append(p, end);
}

void appendDecimal(std::u16string& out, int v)
{
    if (v < 0)
        out += u'-';
    appendDecimal(out, static_cast<std::uint64_t>(v < 0 ? -static_cast<std::int64_t>(v) : v));
}

bool belowTenTo18(Float80 magnitude)
{
    // 10^18 = 0xDE0B6B3A76400000 × 2^-4, exact in the format.
    constexpr int exponent = Float80::exponentBias + 59;
    constexpr std::uint64_t significand = 0xDE0B6B3A76400000u;
    return magnitude.biasedExponent() < exponent ||
           (magnitude.biasedExponent() == exponent && magnitude.significand() < significand);
}

std::u16string scientific(Decimal18 form, bool negative, char16_t separator)
{
    // 15 significant digits, the dropped three rounded half away from zero.
    std::uint64_t digits = form.digits / 1000 + (form.digits % 1000 >= 500 ? 1 : 0);
    int exponent10 = form.exponent10;
    if (digits == powerOfTen(15)) {
        digits = powerOfTen(14);
        ++exponent10;
    }
    while (digits % 10 == 0 && digits >= 10)
        digits /= 10;

    std::u16string out = negative ? u"-" : u"";
    std::u16string text;
    appendDecimal(text, digits);
    out += text[0];
    if (text.size() > 1) {
        out += separator;
        out.append(text, 1);
    }
    out += u'E';
    appendDecimal(out, exponent10);
    return out;
}

} // namespace

Float80 strToFloat(std::u16string_view text, char16_t separator)
{
    DecimalText number;
    if (!readDecimal(text, separator, number))
        throw notAFloat(text);
    const Float80 value = toFloat80(number);
    if (!value.isFinite())
        throw notAFloat(text);
    return value;
}

std::u16string formatFloat000(Float80 r, char16_t separator)
{
    if (r.isNaN())
        return u"NAN";
    if (!r.isFinite())
        return r.negative() ? u"-INF" : u"INF";

    const bool negative = r.negative();
    // Below 2^-12 even the 18-digit form stays under half a thousandth.
    const Float80 magnitude(false, r.biasedExponent(), r.significand());
    if (r.isZero() || magnitude.biasedExponent() < Float80::exponentBias - 12)
        return std::u16string(u"0") + separator + u"000";

    const Decimal18 form = toDecimal18(magnitude);
    if (!belowTenTo18(magnitude))
        return scientific(form, negative, separator);

    // |r| ≈ digits × 10^(E - 17): in thousandths, digits × 10^(E - 14), the
    // dropped digits rounded half away from zero.
    const int shift = form.exponent10 - 14;
    std::u16string thousandths;
    if (shift >= 0) {
        appendDecimal(thousandths, form.digits);
        thousandths.append(static_cast<std::size_t>(shift), u'0');
    } else if (shift >= -18) {
        const std::uint64_t unit = powerOfTen(-shift);
        const std::uint64_t v = form.digits / unit + (form.digits % unit >= unit / 2 ? 1 : 0);
        if (v != 0)
            appendDecimal(thousandths, v);
    }
    if (thousandths.empty())
        return std::u16string(u"0") + separator + u"000";
    if (thousandths.size() < 4)
        thousandths.insert(0, 4 - thousandths.size(), u'0');

    std::u16string out = negative ? u"-" : u"";
    out.append(thousandths, 0, thousandths.size() - 3);
    out += separator;
    out.append(thousandths, thousandths.size() - 3);
    return out;
}

} // namespace tarvik
