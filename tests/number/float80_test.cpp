// The value type's own arithmetic: known products and quotients, ties, the
// edges of the range; and its fast paths held to the exact ones.

#include "number/float80.h"
#include "number/float80_decimal.h"
#include "tests/number/float80_print.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <string>

using namespace tarvik;

namespace {

constexpr std::uint64_t top = std::uint64_t{1} << 63;
constexpr std::uint64_t allOnes = ~std::uint64_t{0};
constexpr Float80 largest{false, 32766, allOnes};
constexpr Float80 smallestSubnormal{false, 0, 1};

TEST(Float80, MultipliesAndDividesWithOneRoundingTiesToEven)
{
    const Float80 twelveAndAHalf{false, 16386, 0xC800000000000000u};
    const Float80 hundred{false, 16389, 0xC800000000000000u};
    const struct {
        const char* what;
        Float80 result;
        Float80 expected;
    } cases[] = {
        {"12.5 x 0.89", multiply(twelveAndAHalf, 0.89), {false, 16386, 0xB2000000000000C0u}},
        {"100 / 0.89", divide(hundred, 0.89), {false, 16389, 0xE0B81702E05C0A8Fu}},
        {"1 / 3", divide({false, 16383, top}, 3.0), {false, 16381, 0xAAAAAAAAAAAAAAABu}},
        // 3 × (2^63 + 1) needs 65 bits and its last one is a tie: to even.
        {"3 x (2^63 + 1)",
         multiply({false, 16383 + 63, top + 1}, 3.0),
         {false, 16383 + 64, 0xC000000000000002u}},
        {"-12.5 x 0.5",
         multiply({true, 16386, 0xC800000000000000u}, 0.5),
         {true, 16385, 0xC800000000000000u}},
        {"-0 x 7", multiply({true, 0, 0}, 7.0), {true, 0, 0}},
        {"0 / -7", divide({false, 0, 0}, -7.0), {true, 0, 0}},
        // The smallest subnormal halved is a tie with zero; three halves of
        // it a tie between one and two.
        {"tiny x 0.5", multiply(smallestSubnormal, 0.5), {false, 0, 0}},
        {"tiny x 1.5", multiply(smallestSubnormal, 1.5), {false, 0, 2}},
        {"-tiny / (4/3)", divide({true, 0, 1}, 4.0 / 3), {true, 0, 1}},
        // The largest subnormal grown a little becomes normal.
        {"subnormal x (1 + eps)", multiply({false, 0, top - 1}, 1.0 + DBL_EPSILON), {false, 1, top + 2047}},
        {"smallest normal / 2", divide({false, 1, top}, 2.0), {false, 0, top >> 1}},
        // A subnormal double widens to a normal extended value.
        {"1 x smallest double", multiply({false, 16383, top}, DBL_TRUE_MIN), {false, 16383 - 1074, top}},
        {"largest x 1", multiply(largest, 1.0), largest},
        {"largest x 2", multiply(largest, 2.0), Float80::infinity(false)},
        {"largest / 0.5", divide(largest, -0.5), Float80::infinity(true)},
        {"1 / 0", divide({false, 16383, top}, 0.0), Float80::infinity(false)},
        {"0 / 0", divide({false, 0, 0}, 0.0), Float80::nan()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.result, c.expected);
    }
}

// splitmix64: a fixed sequence, the same on every platform.
class Random {
public:
    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }
    int between(int lo, int hi)
    {
        return lo + static_cast<int>(next() % static_cast<std::uint64_t>(hi - lo + 1));
    }

private:
    std::uint64_t state_ = 2026;
};

TEST(Float80Decimal, FastTextToValueAgreesWithTheExactPath)
{
    Random r;
    for (int i = 0; i < 20000; ++i) {
        std::u16string digits;
        const int count = r.between(1, 20);
        for (int d = 0; d < count; ++d)
            digits += static_cast<char16_t>(u'0' + r.between(0, 9));
        const auto point = static_cast<std::size_t>(r.between(0, count));
        DecimalText number;
        number.negative = r.between(0, 1) == 1;
        number.integerDigits = std::u16string_view(digits).substr(0, point);
        number.fractionDigits = std::u16string_view(digits).substr(point);
        number.exponent10 = r.between(-40, 40);
        const Float80 fast = toFloat80(number);
        const Float80 exact = exact::toFloat80(number);
        ASSERT_EQ(fast, exact) << std::string(digits.begin(), digits.end()) << " point " << point << " e"
                               << number.exponent10;
    }
}

TEST(Float80Decimal, FastEighteenDigitsAgreeWithTheExactPath)
{
    Random r;
    for (int i = 0; i < 20000; ++i) {
        // Mostly where the fast path works (2^-12 .. 2^60), some beyond.
        const int exponent = 16383 + r.between(-20, 66);
        std::uint64_t significand = r.next() | top;
        if (i % 4 == 0) // short binary fractions: ties of the 18th digit
            significand &= ~std::uint64_t{0} << r.between(0, 63);
        const Float80 x{false, exponent, significand};
        const Decimal18 fast = toDecimal18(x);
        const Decimal18 exact = exact::toDecimal18(x);
        ASSERT_EQ(fast.digits, exact.digits) << ::testing::PrintToString(x);
        ASSERT_EQ(fast.exponent10, exact.exponent10) << ::testing::PrintToString(x);
    }
}

} // namespace
