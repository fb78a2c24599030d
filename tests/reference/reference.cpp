#include "reference.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

namespace tarvik::reference {
namespace {

// Fields of the 80-bit format.
constexpr int exponentBias = 16383;
constexpr int significandBits = 64;
// value = significand × 2^(max(biasedExponent, 1) - quantumOffset)
constexpr int quantumOffset = exponentBias + significandBits - 1; // 16446
constexpr int minQuantum = 1 - quantumOffset;                     // -16445, the subnormals' unit
constexpr std::uint64_t integerBit = std::uint64_t{1} << 63;

// The reference's own preconditions and invariants, checked in every build
// type: a reference that went wrong quietly would pass faults through.
void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "reference: broken invariant: %s\n", what);
        std::abort();
    }
}

// ---------------------------------------------------------------------------
// Unsigned integers of any size, little-endian 32-bit limbs (so that every
// product fits 64 bits, on every target), no leading zero limbs (zero is the
// empty vector). Only what the conversions need, written plainly rather than
// fast.
struct Big {
    std::vector<std::uint32_t> limbs;

    Big() = default;
    explicit Big(std::uint64_t v)
    {
        for (; v != 0; v >>= 32)
            limbs.push_back(static_cast<std::uint32_t>(v));
    }
    bool isZero() const { return limbs.empty(); }
    // The value, which must fit 64 bits.
    std::uint64_t toUint64() const
    {
        require(limbs.size() <= 2, "limbs.size() <= 2");
        std::uint64_t v = 0;
        for (std::size_t i = limbs.size(); i-- > 0;)
            v = (v << 32) | limbs[i];
        return v;
    }
};

void trim(Big& a)
{
    while (!a.limbs.empty() && a.limbs.back() == 0)
        a.limbs.pop_back();
}

int bitLength(const Big& a)
{
    if (a.isZero())
        return 0;
    int top = 0;
    for (std::uint32_t v = a.limbs.back(); v != 0; v >>= 1)
        ++top;
    return static_cast<int>(a.limbs.size() - 1) * 32 + top;
}

int compare(const Big& a, const Big& b)
{
    if (a.limbs.size() != b.limbs.size())
        return a.limbs.size() < b.limbs.size() ? -1 : 1;
    for (std::size_t i = a.limbs.size(); i-- > 0;) {
        if (a.limbs[i] != b.limbs[i])
            return a.limbs[i] < b.limbs[i] ? -1 : 1;
    }
    return 0;
}

// a = a × factor + addend
void multiplyAdd(Big& a, std::uint32_t factor, std::uint32_t addend)
{
    std::uint64_t carry = addend;
    for (auto& limb : a.limbs) {
        const std::uint64_t t = std::uint64_t{limb} * factor + carry;
        limb = static_cast<std::uint32_t>(t);
        carry = t >> 32;
    }
    if (carry != 0)
        a.limbs.push_back(static_cast<std::uint32_t>(carry));
    trim(a);
}

Big multiply(const Big& a, const Big& b)
{
    Big product;
    if (a.isZero() || b.isZero())
        return product;
    product.limbs.assign(a.limbs.size() + b.limbs.size(), 0);
    for (std::size_t i = 0; i < a.limbs.size(); ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < b.limbs.size(); ++j) {
            // At most (2^32 - 1)^2 + 2 × (2^32 - 1) = 2^64 - 1.
            const std::uint64_t t = std::uint64_t{a.limbs[i]} * b.limbs[j] + product.limbs[i + j] + carry;
            product.limbs[i + j] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        product.limbs[i + b.limbs.size()] = static_cast<std::uint32_t>(carry);
    }
    trim(product);
    return product;
}

Big shiftLeft(const Big& a, int bits)
{
    require(bits >= 0, "bits >= 0");
    Big r;
    if (a.isZero())
        return r;
    const std::size_t whole = static_cast<std::size_t>(bits) / 32;
    const int part = bits % 32;
    r.limbs.assign(whole, 0);
    std::uint32_t carry = 0;
    for (const std::uint32_t limb : a.limbs) {
        r.limbs.push_back(part == 0 ? limb : (limb << part) | carry);
        carry = part == 0 ? 0 : limb >> (32 - part);
    }
    r.limbs.push_back(carry);
    trim(r);
    return r;
}

// a -= b, with a >= b
void subtract(Big& a, const Big& b)
{
    std::uint64_t borrow = 0;
    for (std::size_t i = 0; i < a.limbs.size(); ++i) {
        const std::uint64_t need = std::uint64_t{i < b.limbs.size() ? b.limbs[i] : 0} + borrow;
        borrow = a.limbs[i] < need ? 1 : 0;
        a.limbs[i] = static_cast<std::uint32_t>((std::uint64_t{a.limbs[i]} + (borrow << 32)) - need);
    }
    require(borrow == 0, "borrow == 0");
    trim(a);
}

Big computePowerOfTen(int n)
{
    Big r(std::uint64_t{1});
    for (; n >= 9; n -= 9)
        multiplyAdd(r, 1'000'000'000u, 0);
    for (; n > 0; --n)
        multiplyAdd(r, 10, 0);
    return r;
}

// The same few powers come back again and again (one input against many
// unit masses), and the large ones dominate the running time: keep recent
// ones. Per thread, so concurrent callers need no lock.
const Big& powerOfTen(int n)
{
    require(n >= 0, "n >= 0");
    thread_local std::unordered_map<int, Big> cache;
    if (cache.size() > 256)
        cache.clear();
    auto it = cache.find(n);
    if (it == cache.end())
        it = cache.emplace(n, computePowerOfTen(n)).first;
    return it->second;
}

// floor(a / 2^bits) when it fits 64 bits.
std::uint64_t bitsFrom(const Big& a, int bits)
{
    std::uint64_t v = 0;
    for (int i = 63; i >= 0; --i) {
        const int at = bits + i;
        const auto limb = static_cast<std::size_t>(at / 32);
        const bool set = limb < a.limbs.size() && ((a.limbs[limb] >> (at % 32)) & 1) != 0;
        v = (v << 1) | (set ? 1 : 0);
    }
    return v;
}

// floor(num / den) for a quotient known to be below 2^quotientBits; num is
// left holding the remainder. Long division in base 2^32: each quotient
// limb is estimated from below out of the top bits (the divisor's top 32
// bits rounded up), then corrected one step at a time until the remainder
// is below the shifted divisor: the estimate only decides the speed, the
// correction loop the result.
Big divide(Big& num, const Big& den, int quotientBits)
{
    require(!den.isZero(), "!den.isZero()");
    require(compare(num, shiftLeft(den, quotientBits)) < 0, "compare(num, shiftLeft(den, quotientBits)) < 0");
    const int limbs = (quotientBits + 31) / 32;
    const int drop = std::max(bitLength(den) - 32, 0);
    const std::uint64_t denTop = bitsFrom(den, drop) + (drop > 0 ? 1 : 0);
    Big quotient;
    quotient.limbs.assign(static_cast<std::size_t>(limbs), 0);
    for (int i = limbs - 1; i >= 0; --i) {
        const Big shifted = shiftLeft(den, 32 * i);
        std::uint64_t digit = bitsFrom(num, 32 * i + drop) / denTop;
        require(digit < (std::uint64_t{1} << 32), "digit < 2^32");
        Big take = shifted;
        multiplyAdd(take, static_cast<std::uint32_t>(digit), 0);
        subtract(num, take);
        while (compare(num, shifted) >= 0) {
            subtract(num, shifted);
            ++digit;
        }
        require(digit < (std::uint64_t{1} << 32), "digit < 2^32");
        quotient.limbs[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(digit);
    }
    trim(quotient);
    return quotient;
}

// Rounds num / den to an integer, to nearest with ties to even.
Big divideRoundHalfEven(Big num, const Big& den, int quotientBits)
{
    Big q = divide(num, den, quotientBits);
    const int half = compare(shiftLeft(num, 1), den);
    if (half > 0 || (half == 0 && !q.isZero() && (q.limbs[0] & 1) != 0))
        multiplyAdd(q, 1, 1);
    return q;
}

// num × 2^binary × 10^decimal as a fraction of two integers.
struct Fraction {
    Big num;
    Big den;
};

Fraction scaled(Big num, int binary, int decimal)
{
    Big den(std::uint64_t{1});
    if (decimal >= 0)
        num = multiply(num, powerOfTen(decimal));
    else
        den = powerOfTen(-decimal);
    if (binary >= 0)
        num = shiftLeft(num, binary);
    else
        den = shiftLeft(den, -binary);
    return {std::move(num), std::move(den)};
}

// The positive rational num / den × 2^binary rounded once to the extended
// format, to nearest with ties to even, subnormals kept.
Rounded roundToExtended(bool negative, const Big& num, const Big& den, int binary)
{
    Rounded r;
    r.value.negative = negative;
    if (num.isZero())
        return r;

    // floor(log2(num / den)) is a - b or a - b - 1.
    const int a = bitLength(num);
    const int b = bitLength(den);
    int log2 = a - b;
    const bool atLeast =
        a >= b ? compare(num, shiftLeft(den, a - b)) >= 0 : compare(shiftLeft(num, b - a), den) >= 0;
    if (!atLeast)
        --log2;
    log2 += binary; // floor(log2(value))

    // 2^16384 is past the largest finite value; below 2^-16446 (half the
    // smallest subnormal) everything rounds to zero. Both exits only save
    // work on huge fractions: the general path gives the same.
    if (log2 >= 16384) {
        r.overflow = true;
        return r;
    }
    if (log2 < minQuantum - 1)
        return r;

    int quantum = log2 - (significandBits - 1);
    if (quantum < minQuantum)
        quantum = minQuantum;
    // value / 2^quantum lies below 2^64
    const int shift = binary - quantum;
    Big q = shift >= 0 ? divideRoundHalfEven(shiftLeft(num, shift), den, 65)
                       : divideRoundHalfEven(num, shiftLeft(den, -shift), 65);
    if (bitLength(q) == 65) { // rounded up to 2^64
        require(compare(q, shiftLeft(Big(std::uint64_t{1}), 64)) == 0, "q == 2^64");
        q = Big(integerBit);
        ++quantum;
    }
    r.value.significand = q.toUint64();
    if (r.value.significand == 0)
        return r;
    r.value.biasedExponent = (r.value.significand & integerBit) != 0 ? quantum + quantumOffset : 0;
    require(r.value.biasedExponent != 0 || quantum == minQuantum,
            "r.value.biasedExponent != 0 || quantum == minQuantum");
    if (r.value.biasedExponent > extendedMaxBiasedExponent) {
        r.overflow = true;
        r.value = Extended{negative, 0, 0};
    }
    return r;
}

// The unit of the last place of x (x canonical and finite).
int quantumOf(const Extended& x)
{
    return (x.biasedExponent == 0 ? 1 : x.biasedExponent) - quantumOffset;
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

std::uint64_t pow10u(int n)
{
    std::uint64_t r = 1;
    while (n-- > 0)
        r *= 10;
    return r;
}

} // namespace

bool isCanonicalFinite(const Extended& x)
{
    if (x.biasedExponent < 0 || x.biasedExponent > extendedMaxBiasedExponent)
        return false;
    return ((x.significand & integerBit) != 0) == (x.biasedExponent != 0);
}

Parsed parse(std::u16string_view text, char16_t separator)
{
    Parsed result;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';

    std::u16string digits; // the mantissa's digits, separator left out
    int fractionDigits = 0;
    while (i < n && isDigit(text[i]))
        digits += text[i++];
    bool separatorSeen = false;
    if (i < n && text[i] == separator) {
        separatorSeen = true;
        ++i;
        while (i < n && isDigit(text[i])) {
            digits += text[i++];
            ++fractionDigits;
        }
    }
    if (digits.empty() && !separatorSeen)
        return result;

    int exponent = 0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        bool exponentNegative = false;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            exponentNegative = text[i++] == u'-';
        for (; i < n && isDigit(text[i]); ++i) {
            if (exponent >= 500)
                return result;
            exponent = exponent * 10 + (text[i] - u'0');
        }
        if (exponentNegative)
            exponent = -exponent;
    }
    while (i < n && text[i] == u' ')
        ++i;
    if (i != n)
        return result;

    // The value is exactly digits × 10^(exponent - fractionDigits).
    Big mantissa;
    std::size_t k = 0;
    while (k < digits.size()) {
        std::uint32_t chunk = 0;
        std::uint32_t scale = 1;
        for (int c = 0; c < 9 && k < digits.size(); ++c, ++k) {
            chunk = chunk * 10 + static_cast<std::uint32_t>(digits[k] - u'0');
            scale *= 10;
        }
        multiplyAdd(mantissa, scale, chunk);
    }
    const Fraction f = scaled(std::move(mantissa), 0, exponent - fractionDigits);
    const Rounded r = roundToExtended(negative, f.num, f.den, 0);
    result.status = r.overflow ? Parsed::Overflow : Parsed::Ok;
    result.value = r.value;
    return result;
}

std::u16string format000(const Extended& x, char16_t separator)
{
    require(isCanonicalFinite(x), "isCanonicalFinite(x)");
    const std::u16string zero = std::u16string(u"0") + separator + u"000";
    if (x.significand == 0)
        return zero;
    const Big m(x.significand);
    const int q = quantumOf(x);

    // value = m × 2^q = d × 10^(e10 - 17) with 10^17 <= d < 10^18 for
    // e10 = floor(log10(value)). Guess e10 from the binary exponent
    // (log10(2) is about 0.30103) and correct the guess by comparison.
    const int log2 = bitLength(m) - 1 + q;
    int e10 = log2 * 30103 / 100000;
    Fraction f;
    for (;;) {
        f = scaled(m, q, 17 - e10);
        Big low = f.den;
        low = multiply(low, powerOfTen(17));
        if (compare(f.num, low) < 0) {
            --e10;
            continue;
        }
        multiplyAdd(low, 10, 0);
        if (compare(f.num, low) >= 0) {
            ++e10;
            continue;
        }
        break;
    }
    const bool large = e10 >= 18;

    // The 18 significant digits, to nearest with ties to even.
    std::uint64_t d18 = divideRoundHalfEven(f.num, f.den, 61).toUint64();
    if (d18 == pow10u(18)) {
        d18 = pow10u(17);
        ++e10;
    }

    std::u16string out;
    if (large) {
        // 15 significant digits, half away from zero on the 18-digit form.
        std::uint64_t d15 = d18 / 1000;
        if (d18 % 1000 >= 500)
            ++d15;
        if (d15 == pow10u(15)) {
            d15 = pow10u(14);
            ++e10;
        }
        std::u16string digits = decimal(d15);
        while (digits.size() > 1 && digits.back() == u'0')
            digits.pop_back();
        if (x.negative)
            out += u'-';
        out += digits[0];
        if (digits.size() > 1) {
            out += separator;
            out += digits.substr(1);
        }
        out += u'E';
        out += decimal(e10);
        return out;
    }

    // Thousandths: d18 × 10^(e10 - 17 + 3), the dropped digits rounded half
    // away from zero.
    const int shift = e10 - 14;
    std::u16string thousandths;
    if (shift >= 0) {
        thousandths = decimal(d18) + std::u16string(static_cast<std::size_t>(shift), u'0');
    } else if (-shift <= 18) {
        const std::uint64_t unit = pow10u(-shift);
        std::uint64_t t = d18 / unit;
        if (d18 % unit * 2 >= unit)
            ++t;
        if (t != 0)
            thousandths = decimal(t);
    }
    if (thousandths.empty())
        return zero;
    if (thousandths.size() < 4)
        thousandths.insert(0, 4 - thousandths.size(), u'0');
    if (x.negative)
        out += u'-';
    out += thousandths.substr(0, thousandths.size() - 3);
    out += separator;
    out += thousandths.substr(thousandths.size() - 3);
    return out;
}

namespace {

struct DoubleFields {
    bool negative;
    std::uint64_t significand;
    int quantum; // value = significand × 2^quantum
    bool finite;
};

DoubleFields fieldsOf(double d)
{
    std::uint64_t bits;
    static_assert(sizeof bits == sizeof d);
    std::memcpy(&bits, &d, sizeof d);
    DoubleFields f;
    f.negative = (bits >> 63) != 0;
    const int exponent = static_cast<int>((bits >> 52) & 0x7ff);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    f.finite = exponent != 0x7ff;
    f.significand = exponent == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
    f.quantum = (exponent == 0 ? 1 : exponent) - 1075;
    return f;
}

} // namespace

Rounded multiply(const Extended& x, double unitMass)
{
    const DoubleFields m = fieldsOf(unitMass);
    if (!m.finite)
        return Rounded{true, {}};
    const Big product = multiply(Big(x.significand), Big(m.significand));
    return roundToExtended(x.negative != m.negative, product, Big(std::uint64_t{1}),
                           quantumOf(x) + m.quantum);
}

Rounded divide(const Extended& x, double unitMass)
{
    const DoubleFields m = fieldsOf(unitMass);
    if (!m.finite || m.significand == 0)
        return Rounded{true, {}};
    return roundToExtended(x.negative != m.negative, Big(x.significand), Big(m.significand),
                           quantumOf(x) - m.quantum);
}

CalcOutcome calculate(std::u16string_view input, double unitMass, int mode, char16_t separator)
{
    return calculate(parse(input, separator), unitMass, mode, separator);
}

CalcOutcome calculate(const Parsed& x, double unitMass, int mode, char16_t separator)
{
    if (x.status != Parsed::Ok)
        return {CalcOutcome::NotAFloat, {}};
    const Rounded r = mode == 0 ? multiply(x.value, unitMass) : divide(x.value, unitMass);
    if (r.overflow)
        return {CalcOutcome::Overflow, {}};
    return {CalcOutcome::Ok, format000(r.value, separator)};
}

std::u16string decimal(std::uint64_t v)
{
    std::u16string s;
    do {
        s.insert(s.begin(), static_cast<char16_t>(u'0' + static_cast<int>(v % 10)));
        v /= 10;
    } while (v != 0);
    return s;
}

std::u16string decimal(int v)
{
    // Negated in a wider type: -INT_MIN does not fit an int.
    return v < 0 ? u"-" + decimal(static_cast<std::uint64_t>(-static_cast<long long>(v)))
                 : decimal(static_cast<std::uint64_t>(v));
}

} // namespace tarvik::reference
