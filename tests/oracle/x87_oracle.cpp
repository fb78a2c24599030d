#include "x87_oracle.h"

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <string>

static_assert(LDBL_MANT_DIG == 64, "the oracle is the x87 80-bit long double");

namespace tarvik::oracle {
namespace {

// Once the application sets the user's locale, glibc's number functions
// follow it (a Russian locale reads "12.5" as 12): always use the C locale.
locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", nullptr);
    return locale;
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

constexpr int exponentReadLimit = 500;

// Validates the text and rewrites it as a C-locale literal for strtold_l,
// which rounds the exact decimal value correctly. Returns false on a text
// outside the grammar.
bool toCLiteral(std::u16string_view text, char16_t separator, std::string& literal)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    const auto skipSpaces = [&] {
        while (i < n && text[i] == u' ')
            ++i;
    };
    const auto copyDigits = [&] {
        std::size_t count = 0;
        for (; i < n && isDigit(text[i]); ++i, ++count)
            literal += static_cast<char>(text[i]);
        return count;
    };

    skipSpaces();
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        literal += static_cast<char>(text[i++]);
    literal += '0'; // a lone separator, or one before the digits, reads as 0
    std::size_t mantissaDigits = copyDigits();
    bool hasSeparator = false;
    if (i < n && text[i] == separator) {
        hasSeparator = true;
        ++i;
        literal += '.';
        mantissaDigits += copyDigits();
    }
    if (mantissaDigits == 0 && !hasSeparator)
        return false;

    if (i < n && (text[i] == u'E' || text[i] == u'e')) {
        ++i;
        literal += 'e';
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            literal += static_cast<char>(text[i++]);
        int exponent = 0;
        for (; i < n && isDigit(text[i]); ++i) {
            if (exponent >= exponentReadLimit)
                return false;
            exponent = exponent * 10 + (text[i] - u'0');
        }
        literal += std::to_string(exponent);
    }
    skipSpaces();
    return i == n;
}

// Adds one unit in the last place of a string of decimal digits; a carry out
// of the first digit prepends a "1".
void incrementDigits(std::string& digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

struct DecimalForm {
    std::string digits; // 18 significant digits, d1 first
    int exponent10;     // power of ten of d1
};

// The 18-significant-digit form of |r|, rounded to nearest with ties to even
// on the exact binary value, as glibc's printf does.
DecimalForm decimalForm(long double magnitude)
{
    char buffer[64];
    const locale_t previous = uselocale(cLocale());
    std::snprintf(buffer, sizeof buffer, "%.17Le", magnitude);
    uselocale(previous);
    // buffer is "d.ddddddddddddddddde±X"
    DecimalForm form;
    form.digits.assign(1, buffer[0]);
    form.digits.append(buffer + 2, 17);
    form.exponent10 = std::atoi(buffer + 20);
    return form;
}

std::u16string widen(const std::string& ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

std::u16string scientific(const DecimalForm& form, bool negative, char16_t separator)
{
    constexpr std::size_t significant = 15;
    std::string digits = form.digits.substr(0, significant);
    int exponent10 = form.exponent10;
    if (form.digits[significant] >= '5') {
        incrementDigits(digits);
        if (digits.size() > significant) {
            digits.resize(significant);
            ++exponent10;
        }
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::u16string out = negative ? u"-" : u"";
    out += static_cast<char16_t>(digits[0]);
    if (digits.size() > 1) {
        out += separator;
        out += widen(digits.substr(1));
    }
    out += u'E';
    out += widen(std::to_string(exponent10));
    return out;
}

// The code as it was, kept verbatim apart from its error reporting.
long double strToFloatX87(std::u16string_view text, char16_t separator, bool& refused)
{
    std::string literal;
    if (!toCLiteral(text, separator, literal)) {
        refused = true;
        return 0;
    }
    errno = 0;
    const long double value = strtold_l(literal.c_str(), nullptr, cLocale());
    if (errno == ERANGE && std::isinf(value)) {
        refused = true;
        return 0;
    }
    return value;
}

std::u16string formatFloat000X87(long double r, char16_t separator)
{
    if (std::isnan(r))
        return u"NAN";
    if (std::isinf(r))
        return r < 0 ? u"-INF" : u"INF";

    const bool negative = std::signbit(r);
    const long double magnitude = std::fabs(r);
    if (magnitude == 0)
        return std::u16string(u"0") + separator + u"000";

    const DecimalForm form = decimalForm(magnitude);
    if (magnitude >= 1e18L)
        return scientific(form, negative, separator);

    // |r| = 0.d1d2...d18 × 10^E: keep the digits up to the third decimal.
    const int e = form.exponent10 + 1;
    const int maxDigits = static_cast<int>(form.digits.size());
    std::string thousandths; // the rounded value in units of 0.001
    if (e + 3 >= 0) {
        const int kept = std::min(e + 3, maxDigits);
        thousandths = form.digits.substr(0, static_cast<std::size_t>(kept));
        if (kept < maxDigits && form.digits[static_cast<std::size_t>(kept)] >= '5')
            incrementDigits(thousandths);
        thousandths.append(static_cast<std::size_t>(e + 3 - kept), '0');
    }
    const auto firstNonZero = thousandths.find_first_not_of('0');
    thousandths.erase(0, std::min(firstNonZero, thousandths.size()));
    const bool zero = thousandths.empty();
    if (thousandths.size() < 4)
        thousandths.insert(0, 4 - thousandths.size(), '0');

    std::u16string out = negative && !zero ? u"-" : u"";
    out += widen(thousandths.substr(0, thousandths.size() - 3));
    out += separator;
    out += widen(thousandths.substr(thousandths.size() - 3));
    return out;
}

constexpr int quantumOffset = 16383 + 63;

long double toLongDouble(const reference::Extended& x)
{
    const int exponent = x.biasedExponent == 0 ? 1 : x.biasedExponent;
    const long double magnitude =
        std::ldexp(static_cast<long double>(x.significand), exponent - quantumOffset);
    return x.negative ? -magnitude : magnitude;
}

reference::Extended fromLongDouble(long double v)
{
    reference::Extended x;
    x.negative = std::signbit(v);
    const long double magnitude = std::fabs(v);
    if (magnitude == 0)
        return x;
    int exponent = 0;
    std::frexp(magnitude, &exponent); // magnitude = m × 2^exponent, 1/2 <= m < 1
    const int biased = exponent - 1 + 16383;
    x.biasedExponent = std::max(biased, 0);
    const int quantum = (biased >= 1 ? biased : 1) - quantumOffset;
    x.significand = static_cast<std::uint64_t>(std::ldexp(magnitude, -quantum));
    return x;
}

} // namespace

std::optional<reference::Extended> parse(std::u16string_view text, char16_t separator)
{
    bool refused = false;
    const long double v = strToFloatX87(text, separator, refused);
    if (refused)
        return std::nullopt;
    return fromLongDouble(v);
}

std::optional<reference::Extended> calculate(const reference::Extended& x, double unitMass, int mode)
{
    const long double value = toLongDouble(x);
    const long double m = unitMass;
    const long double r = mode == 0 ? m * value : value / m;
    if (!std::isfinite(r))
        return std::nullopt;
    return fromLongDouble(r);
}

std::u16string format000(const reference::Extended& x, char16_t separator)
{
    return formatFloat000X87(toLongDouble(x), separator);
}

} // namespace tarvik::oracle
