#include "cases.h"

#include <array>
#include <cstdint>

namespace tarvik::cases {
namespace {

using reference::decimal;
using reference::Extended;

// An unsigned integer of up to 160 bits, enough for the generated ties
// (a 65-bit midpoint times 2^62 or 5^27), in 32-bit limbs so that every
// target computes it alike.
class Wide {
public:
    Wide(std::uint64_t v = 0) : limbs_{static_cast<std::uint32_t>(v), static_cast<std::uint32_t>(v >> 32)} {}

    Wide& shiftLeft(int bits)
    {
        for (; bits > 0; --bits) {
            std::uint32_t carry = 0;
            for (auto& limb : limbs_) {
                const std::uint32_t next = limb >> 31;
                limb = (limb << 1) | carry;
                carry = next;
            }
        }
        return *this;
    }
    Wide& multiplyAdd(std::uint32_t factor, std::uint32_t addend)
    {
        std::uint64_t carry = addend;
        for (auto& limb : limbs_) {
            const std::uint64_t t = std::uint64_t{limb} * factor + carry;
            limb = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        return *this;
    }
    // Adds delta (-1 or more), with no borrow out of the top.
    Wide plus(int delta) const
    {
        Wide r = *this;
        if (delta >= 0)
            return r.multiplyAdd(1, static_cast<std::uint32_t>(delta));
        for (auto& limb : r.limbs_) {
            if (limb-- != 0)
                break;
        }
        return r;
    }
    std::u16string decimal() const
    {
        std::array<std::uint32_t, 5> v = limbs_;
        std::u16string s;
        do {
            std::uint64_t rest = 0;
            for (std::size_t i = v.size(); i-- > 0;) {
                const std::uint64_t t = (rest << 32) | v[i];
                v[i] = static_cast<std::uint32_t>(t / 10);
                rest = t % 10;
            }
            s.insert(s.begin(), static_cast<char16_t>(u'0' + rest));
        } while (v != std::array<std::uint32_t, 5>{});
        return s;
    }

private:
    std::array<std::uint32_t, 5> limbs_{};
};

// splitmix64: tiny, and its sequence is fixed by its definition, unlike the
// standard library's distributions.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }
    // 0 .. n-1
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }
    char16_t digit() { return static_cast<char16_t>(u'0' + below(10)); }
    std::u16string digits(int count)
    {
        std::u16string s;
        for (int i = 0; i < count; ++i)
            s += digit();
        return s;
    }

private:
    std::uint64_t state_;
};

std::uint64_t power(std::uint64_t base, int n)
{
    std::uint64_t r = 1;
    while (n-- > 0)
        r *= base;
    return r;
}

// The exact decimal text of integer × 2^-shift (0 <= shift <= 27, so that
// integer × 5^shift stays within 128 bits for integers below 2^65).
std::u16string binaryFraction(Wide integer, int shift)
{
    for (int i = 0; i < shift; ++i)
        integer.multiplyAdd(5, 0);
    std::u16string s = integer.decimal();
    if (shift == 0)
        return s;
    if (s.size() <= static_cast<std::size_t>(shift))
        s.insert(0, static_cast<std::size_t>(shift) + 1 - s.size(), u'0');
    s.insert(s.size() - static_cast<std::size_t>(shift), 1, u',');
    return s;
}

// A random number text within the grammar: sign, digits with the separator
// somewhere or nowhere, an exponent (always, or half of the time), spaces
// around.
std::u16string randomNumber(Random& r, int maxDigits, int exponentLo, int exponentHi,
                            bool alwaysExponent = false)
{
    std::u16string s(static_cast<std::size_t>(r.chance(10) ? r.between(1, 3) : 0), u' ');
    if (r.chance(25))
        s += r.chance(50) ? u'-' : u'+';
    std::u16string mantissa = r.digits(r.between(1, maxDigits));
    if (r.chance(70))
        mantissa.insert(static_cast<std::size_t>(r.between(0, static_cast<int>(mantissa.size()))), 1, u',');
    s += mantissa;
    if (alwaysExponent || r.chance(50)) {
        s += r.chance(50) ? u'e' : u'E';
        const int e = r.between(exponentLo, exponentHi);
        if (e < 0)
            s += u'-';
        else if (r.chance(30))
            s += u'+';
        s += decimal(e < 0 ? -e : e);
    }
    if (r.chance(10))
        s.append(static_cast<std::size_t>(r.between(1, 3)), u' ');
    return s;
}

Extended parsed(std::u16string_view text)
{
    const reference::Parsed p = reference::parse(text, u',');
    return p.value;
}

Extended negated(Extended x)
{
    x.negative = !x.negative;
    return x;
}

// The neighbour `steps` units of the last place away, within the finite
// canonical values of the same sign.
Extended stepped(Extended x, int steps)
{
    for (; steps > 0; --steps) {
        if (x.biasedExponent == reference::extendedMaxBiasedExponent && x.significand == ~std::uint64_t{0})
            break;
        if (++x.significand == 0) {
            x.significand = std::uint64_t{1} << 63;
            ++x.biasedExponent;
        } else if (x.biasedExponent == 0 && x.significand == std::uint64_t{1} << 63) {
            x.biasedExponent = 1;
        }
    }
    for (; steps < 0; ++steps) {
        if (x.significand == 0)
            break;
        if (x.biasedExponent > 1 && x.significand == std::uint64_t{1} << 63) {
            x.significand = ~std::uint64_t{0};
            --x.biasedExponent;
        } else {
            --x.significand;
            if (x.biasedExponent == 1 && x.significand < std::uint64_t{1} << 63)
                x.biasedExponent = 0;
        }
    }
    return x;
}

} // namespace

std::vector<std::u16string> parseTexts()
{
    std::vector<std::u16string> texts = {
        // The worked examples and the grammar's corners.
        u"12,5",
        u"100",
        u"0",
        u"12",
        u"12,",
        u",5",
        u",",
        u"",
        u" ",
        u"   ",
        u"-",
        u"+",
        u"-,",
        u"+,",
        u"  -12,5  ",
        u"+7",
        u"00012",
        u"-0",
        u"-0,0",
        u"12.5",
        u"1 000",
        u"1,2,3",
        u"abc",
        u"\t12",
        u"12\n",
        u"--1",
        u"+-1",
        u"1e++2",
        u"1e--2",
        u"0x10",
        u"NaN",
        u"Inf",
        u"e5",
        u",e5",
        u"-,e-",
        u"1e",
        u"1E",
        u"1e-",
        u"1e+",
        u"1e 5",
        u"1 e5",
        u"1,e5",
        u"1,5e",
        u"12,5 кг",
        u"١٢",
        u"１２",
        u"1_000",
        // The exponent is read only while its value is below 500.
        u"1e499",
        u"1e500",
        u"1e0500",
        u"1e4999",
        u"1e5000",
        u"1e-4999",
        u"1e-5000",
        u"0e4999",
        u"0e5000",
        u"1e00000000004999",
        u"1e-00000000000500",
        u"0,0001e4999",
        u"1e49990",
        u"1e4990",
        // The ends of the extended range.
        u"1,18973149535723176502e4932",
        u"1,18973149535723176508e4932",
        u"1,1897314953572317650857593266e4932",
        u"1,18973149535723176505e4932",
        u"-1,18973149535723176502e4932",
        u"3,36210314311209350626e-4932",
        u"3,6451995318824746025e-4951",
        u"1,8225997659412373012e-4951",
        u"1,8225997659412373013e-4951",
        u"5e-4951",
        u"1e-4950",
        u"-1e-4951",
        u"2e-4951",
        u"1e-4952",
        u"9,99e-4952",
        // Around 2^64 and 10^18.
        u"18446744073709551615",
        u"18446744073709551616",
        u"18446744073709551617",
        u"18446744073709551618",
        u"18446744073709551619",
        u"999999999999999999",
        u"1000000000000000000",
        u"999999999999999999,5",
        u"0,1",
        u"0,2",
        u"0,3",
        u"0,7",
        u"1,1",
        u"3,14159265358979323846264338327950288",
    };

    Random r(7);

    // Midpoints between neighbouring extended values, exact in decimal, so
    // the tie goes to the even significand; and their near neighbours,
    // where a far-away digit decides.
    for (int i = 0; i < 200; ++i) {
        const std::uint64_t m = r.next() | (std::uint64_t{1} << 63);
        const Wide midpoint = Wide(m).multiplyAdd(2, 1);
        if (i % 2 == 0) {
            const int shift = r.between(0, 62);
            const Wide n = Wide(midpoint).shiftLeft(shift);
            texts.push_back(n.decimal());
            texts.push_back(n.plus(1).decimal());
            texts.push_back(n.plus(-1).decimal());
            texts.push_back(n.decimal() + u",000000000000000000000000000000001");
        } else {
            const int shift = r.between(1, 27);
            const std::u16string tie = binaryFraction(midpoint, shift);
            texts.push_back(tie);
            texts.push_back(u"-" + tie);
            texts.push_back(tie + u"00000000000000000000000000000000000000000000001");
            // Just below the tie: the last digit one less, then nines.
            std::u16string below = tie;
            below.back() = static_cast<char16_t>(below.back() - 1);
            texts.push_back(below + u"99999999999999999999999");
        }
    }

    // Random digit strings of ordinary size.
    for (int i = 0; i < 1200; ++i)
        texts.push_back(randomNumber(r, 45, -40, 40));

    // Long digit strings, some with long runs of zeros that only the exact
    // value notices.
    for (int i = 0; i < 40; ++i) {
        texts.push_back(randomNumber(r, 900, -30, 30));
        std::u16string zeros(static_cast<std::size_t>(r.between(20, 700)), u'0');
        texts.push_back(r.digits(r.between(1, 25)) + zeros + u"1");
        texts.push_back(u"0," + zeros + r.digits(r.between(1, 30)) + u"e" + decimal(r.between(0, 800)));
    }
    texts.push_back(std::u16string(5000, u'9'));
    texts.push_back(u"0," + std::u16string(4940, u'0') + u"1");
    texts.push_back(u"0," + std::u16string(5000, u'0') + u"1e60");
    texts.push_back(std::u16string(4932, u'1'));
    texts.push_back(std::u16string(4933, u'1'));

    // Exponents near the limits of the range, subnormals included.
    for (int i = 0; i < 500; ++i) {
        switch (i % 4) {
        case 0:
            texts.push_back(randomNumber(r, 22, 4900, 4935, true));
            break;
        case 1:
            texts.push_back(randomNumber(r, 22, -4935, -4900, true));
            break;
        case 2:
            texts.push_back(randomNumber(r, 22, -4975, -4940, true));
            break;
        default:
            texts.push_back(r.digits(1) + u"," + r.digits(r.between(1, 25)) + u"e-" +
                            decimal(r.between(4930, 4952)));
            break;
        }
    }

    // Texts just outside the grammar, or just inside it: one character of
    // a valid text changed, inserted or removed.
    const std::u16string troublemakers = u",.eE+- 0\t\u00A0x";
    for (int i = 0; i < 400; ++i) {
        std::u16string s = randomNumber(r, 12, -9, 9);
        const auto at = static_cast<std::size_t>(r.between(0, static_cast<int>(s.size()) - 1));
        const char16_t c =
            troublemakers[static_cast<std::size_t>(r.below(static_cast<int>(troublemakers.size())))];
        switch (r.below(3)) {
        case 0:
            s[at] = c;
            break;
        case 1:
            s.insert(at, 1, c);
            break;
        default:
            s.erase(at, 1);
            break;
        }
        texts.push_back(s);
    }
    return texts;
}

std::vector<Extended> formatValues()
{
    constexpr std::uint64_t top = std::uint64_t{1} << 63;
    std::vector<Extended> values = {
        {false, 0, 0},
        {true, 0, 0},
        {false, 1, 0},                                                    // smallest subnormal
        {true, top - 1, 0},                                               // largest subnormal
        {false, top, 1},                                                  // smallest normal
        {false, ~std::uint64_t{0}, reference::extendedMaxBiasedExponent}, // largest finite
        {true, ~std::uint64_t{0}, reference::extendedMaxBiasedExponent},
    };
    const auto addAround = [&](Extended x, int steps) {
        for (int s = -steps; s <= steps; ++s) {
            values.push_back(stepped(x, s));
            values.push_back(negated(stepped(x, s)));
        }
    };

    // Powers of ten and their neighbours: the edges of every digit count,
    // of the fixed form (10^18) and of the 15-digit scientific form.
    for (int e = -25; e <= 40; ++e)
        addAround(parsed(u"1e" + decimal(e)), 3);
    addAround(parsed(u"1e18"), 160); // 999999999999999990 .. 1000000000000000020
    addAround(parsed(u"1e4932"), 3);
    addAround(parsed(u"1e-4940"), 3);
    for (const char16_t* t :
         {u"999999999999999", u"9999999999999995", u"99999999999999950000", u"999999999999999500000",
          u"999999999999999949999", u"0,0005", u"0,0015", u"0,0004999999999999999", u"0,00049999999999999999",
          u"9,9995", u"0,9995", u"99999,9995", u"999999999999999,9995", u"1,0005", u"2,5e20", u"12,5"}) {
        addAround(parsed(t), 2);
    }

    Random r(11);

    // Exact ties of the 18-digit rounding (19 significant digits ending in
    // 5): integers from 10^18 to 2^64, and binary fractions below 10^18.
    for (int i = 0; i < 150; ++i) {
        const std::uint64_t n = 1'000'000'000'000'000'000u + r.next() % 8'000'000'000'000'000'000u;
        addAround(parsed(decimal(n - n % 10 + 5)), 1);
    }
    for (int i = 0; i < 300; ++i) {
        const int shift = r.between(1, 15);
        const std::uint64_t lo = power(10, 18 - shift);
        const std::uint64_t integer = lo + r.next() % (9 * lo);
        const std::uint64_t odd = (r.next() % (std::uint64_t{1} << (shift - 1))) * 2 + 1;
        values.push_back(
            parsed(binaryFraction(Wide(integer).shiftLeft(shift).plus(static_cast<int>(odd)), shift)));
    }
    // Small binary fractions: ties and near-ties at every place.
    for (int i = 0; i < 200; ++i) {
        const int shift = r.between(20, 27);
        values.push_back(parsed(binaryFraction((r.next() % (std::uint64_t{1} << shift)) | 1, shift)));
    }

    // Halves of the third decimal in the 18-digit form, and the values that
    // only just miss them.
    for (int i = 0; i < 300; ++i) {
        std::u16string text = r.digits(r.between(1, 14)) + u"," + r.digits(3);
        switch (i % 3) {
        case 0:
            text += u"5";
            break;
        case 1:
            text += u"4" + std::u16string(static_cast<std::size_t>(r.between(10, 20)), u'9');
            break;
        default:
            text += u"5" + std::u16string(static_cast<std::size_t>(r.between(10, 20)), u'0') + u"1";
            break;
        }
        values.push_back(parsed(i % 2 == 0 ? text : u"-" + text));
    }

    // Random bit patterns: mostly where the fixed form lives, the rest
    // anywhere, subnormals included.
    for (int i = 0; i < 1500; ++i) {
        Extended x;
        x.negative = r.chance(30);
        switch (i % 4) {
        case 0:
        case 1:
            x.biasedExponent = r.between(16383 - 80, 16383 + 80);
            break;
        case 2:
            x.biasedExponent = r.between(1, reference::extendedMaxBiasedExponent);
            break;
        default:
            x.biasedExponent = 0;
            break;
        }
        x.significand = r.next() >> r.below(64);
        if (x.biasedExponent != 0)
            x.significand |= top;
        else
            x.significand &= top - 1;
        values.push_back(x);
    }
    return values;
}

std::vector<std::u16string> calculationInputs()
{
    std::vector<std::u16string> inputs = {
        u"12,5",
        u"100",
        u"0",
        u",",
        u"-0",
        u"1",
        u"-12,5",
        u"0,0005",
        u"-0,0004",
        u"0,0015",
        u"999999999999999",
        u"1e15",
        u"1e16",
        u"1,5e16",
        u"1e18",
        u"123456789012345678",
        u"1e-3",
        u"3,3333333333333333333",
        u"1e4000",
        u"1e-4000",
        u"1e4930",
        u"1,18e4932",
        u"-1,18e4932",
        u"1e-4940",
        u"1e-4950",
        u"3,6e-4951",
        u"abc",
        u"12.5",
        u"1e5000",
        u"1e4999",
        u"",
    };
    Random r(13);
    for (int i = 0; i < 20; ++i)
        inputs.push_back(randomNumber(r, 25, -30, 30));
    return inputs;
}

} // namespace tarvik::cases
