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

__extension__ typedef unsigned __int128 u128;

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
// Unsigned integers of any size, little-endian 64-bit limbs, no leading zero
// limbs (zero is the empty vector). Only what the conversions need, written
// plainly rather than fast.
struct Big {
    std::vector<std::uint64_t> limbs;

    Big() = default;
    explicit Big(std::uint64_t v)
    {
        if (v != 0)
            limbs.push_back(v);
    }
    explicit Big(u128 v)
    {
        while (v != 0) {
            limbs.push_back(static_cast<std::uint64_t>(v));
            v >>= 64;
        }
    }
    bool isZero() const { return limbs.empty(); }
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
    for (std::uint64_t v = a.limbs.back(); v != 0; v >>= 1)
        ++top;
    return static_cast<int>(a.limbs.size() - 1) * 64 + top;
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
void multiplyAdd(Big& a, std::uint64_t factor, std::uint64_t addend)
{
    u128 carry = addend;
    for (auto& limb : a.limbs) {
        const u128 t = static_cast<u128>(limb) * factor + carry;
        limb = static_cast<std::uint64_t>(t);
        carry = t >> 64;
    }
    if (carry != 0)
        a.limbs.push_back(static_cast<std::uint64_t>(carry));
    trim(a);
}

Big multiply(const Big& a, const Big& b)
{
    Big product;
    if (a.isZero() || b.isZero())
        return product;
    product.limbs.assign(a.limbs.size() + b.limbs.size(), 0);
    for (std::size_t i = 0; i < a.limbs.size(); ++i) {
        u128 carry = 0;
        for (std::size_t j = 0; j < b.limbs.size(); ++j) {
            const u128 t = static_cast<u128>(a.limbs[i]) * b.limbs[j] + product.limbs[i + j] + carry;
            product.limbs[i + j] = static_cast<std::uint64_t>(t);
            carry = t >> 64;
        }
        product.limbs[i + b.limbs.size()] = static_cast<std::uint64_t>(carry);
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
    const std::size_t whole = static_cast<std::size_t>(bits) / 64;
    const int part = bits % 64;
    r.limbs.assign(whole, 0);
    std::uint64_t carry = 0;
    for (const std::uint64_t limb : a.limbs) {
        r.limbs.push_back(part == 0 ? limb : (limb << part) | carry);
        carry = part == 0 ? 0 : limb >> (64 - part);
    }
    r.limbs.push_back(carry);
    trim(r);
    return r;
}

Big shiftRight(const Big& a, int bits)
{
    require(bits >= 0, "bits >= 0");
    Big r;
    const std::size_t whole = static_cast<std::size_t>(bits) / 64;
    const int part = bits % 64;
    for (std::size_t i = whole; i < a.limbs.size(); ++i) {
        const std::uint64_t next = i + 1 < a.limbs.size() ? a.limbs[i + 1] : 0;
        r.limbs.push_back(part == 0 ? a.limbs[i] : (a.limbs[i] >> part) | (next << (64 - part)));
    }
    trim(r);
    return r;
}

// a -= b, with a >= b
void subtract(Big& a, const Big& b)
{
    std::uint64_t borrow = 0;
    for (std::size_t i = 0; i < a.limbs.size(); ++i) {
        const std::uint64_t bi = i < b.limbs.size() ? b.limbs[i] : 0;
        const u128 need = static_cast<u128>(bi) + borrow;
        borrow = static_cast<u128>(a.limbs[i]) < need ? 1 : 0;
        a.limbs[i] = static_cast<std::uint64_t>(static_cast<u128>(a.limbs[i]) - need);
    }
    require(borrow == 0, "borrow == 0");
    trim(a);
}

Big computePowerOfTen(int n)
{
    Big r(std::uint64_t{1});
    constexpr std::uint64_t tenTo19 = 10'000'000'000'000'000'000u;
    for (; n >= 19; n -= 19)
        multiplyAdd(r, tenTo19, 0);
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

// floor(num / den) for a quotient known to be below 2^quotientBits; num is
// left holding the remainder. The quotient is first estimated from the top
// bits, from below, and then corrected one step at a time until the
// remainder lies in [0, den): the estimate only decides the speed, the
// correction loop the result.
u128 divide(Big& num, const Big& den, int quotientBits)
{
    require(!den.isZero() && quotientBits <= 65, "!den.isZero() && quotientBits <= 65");
    require(compare(num, shiftLeft(den, quotientBits)) < 0, "compare(num, shiftLeft(den, quotientBits)) < 0");
    // Below 2^63 × 2^65 both fit in 128 bits.
    const int drop = std::max(bitLength(den) - 63, 0);
    const auto top = [drop](const Big& a) {
        const Big t = shiftRight(a, drop);
        u128 v = 0;
        for (std::size_t i = t.limbs.size(); i-- > 0;)
            v = (v << 64) | t.limbs[i];
        return v;
    };
    // Rounding the divisor's top up and the dividend's down keeps the
    // estimate at or below the quotient.
    u128 quotient = top(num) / (top(den) + (drop > 0 ? 1 : 0));
    subtract(num, multiply(den, Big(quotient)));
    while (compare(num, den) >= 0) {
        subtract(num, den);
        ++quotient;
    }
    return quotient;
}

// Rounds num / den to an integer, to nearest with ties to even.
u128 divideRoundHalfEven(Big num, const Big& den, int quotientBits)
{
    u128 q = divide(num, den, quotientBits);
    const int half = compare(shiftLeft(num, 1), den);
    if (half > 0 || (half == 0 && (q & 1) != 0))
        ++q;
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
    const u128 q = shift >= 0 ? divideRoundHalfEven(shiftLeft(num, shift), den, 65)
                              : divideRoundHalfEven(num, shiftLeft(den, -shift), 65);
    u128 significand = q;
    if (significand == static_cast<u128>(1) << 64) {
        significand >>= 1;
        ++quantum;
    }
    r.value.significand = static_cast<std::uint64_t>(significand);
    if (significand == 0)
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

u128 pow10u(int n)
{
    u128 r = 1;
    while (n-- > 0)
        r *= 10;
    return r;
}

} // namespace

long double toLongDouble(const Extended& x)
{
    static_assert(sizeof(long double) >= 10, "the 80-bit format is needed");
    unsigned char bytes[sizeof(long double)] = {};
    std::memcpy(bytes, &x.significand, 8);
    const unsigned top = (x.negative ? 0x8000u : 0u) | static_cast<unsigned>(x.biasedExponent);
    bytes[8] = static_cast<unsigned char>(top & 0xff);
    bytes[9] = static_cast<unsigned char>(top >> 8);
    long double v;
    std::memcpy(&v, bytes, sizeof v);
    return v;
}

Extended fromBytes(const unsigned char bytes[10])
{
    Extended x;
    std::memcpy(&x.significand, bytes, 8);
    const unsigned top = bytes[8] | (static_cast<unsigned>(bytes[9]) << 8);
    x.negative = (top & 0x8000u) != 0;
    x.biasedExponent = static_cast<int>(top & 0x7fffu);
    return x;
}

Extended fromLongDouble(long double x)
{
    unsigned char bytes[sizeof(long double)];
    std::memcpy(bytes, &x, sizeof x);
    return fromBytes(bytes);
}

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
        std::uint64_t chunk = 0;
        std::uint64_t scale = 1;
        for (int c = 0; c < 19 && k < digits.size(); ++c, ++k) {
            chunk = chunk * 10 + static_cast<std::uint64_t>(digits[k] - u'0');
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
        multiplyAdd(low, 100'000'000'000'000'000u, 0); // 10^17
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
    u128 d18 = divideRoundHalfEven(f.num, f.den, 61);
    if (d18 == pow10u(18)) {
        d18 = pow10u(17);
        ++e10;
    }

    std::u16string out;
    if (large) {
        // 15 significant digits, half away from zero on the 18-digit form.
        u128 d15 = d18 / 1000;
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
    u128 thousandths = 0;
    if (shift >= 0) {
        thousandths = d18 * pow10u(shift);
    } else if (-shift <= 18) {
        const u128 unit = pow10u(-shift);
        thousandths = d18 / unit;
        if (d18 % unit * 2 >= unit)
            ++thousandths;
    }
    if (thousandths == 0)
        return zero;
    if (x.negative)
        out += u'-';
    out += decimal(thousandths / 1000);
    out += separator;
    const std::u16string frac = decimal(thousandths % 1000 + 1000); // "1ddd"
    out += frac.substr(1);
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
    const Big product(static_cast<u128>(x.significand) * m.significand);
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

std::u16string decimal(UInt128 v)
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
    return v < 0 ? u"-" + decimal(static_cast<UInt128>(-static_cast<long long>(v)))
                 : decimal(static_cast<UInt128>(v));
}

} // namespace tarvik::reference
