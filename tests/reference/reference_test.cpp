// The reference on its own, against values known independently of both it
// and the C library: exact binary constants, ties whose outcome follows
// from the rounding rule, the edges of the range.

#include "tests/reference/reference.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <ostream>

using namespace tarvik::reference;

namespace tarvik::reference {
// Lets failures show the fields rather than the bytes.
void PrintTo(const Extended& x, std::ostream* out)
{
    *out << (x.negative ? '-' : '+') << std::hex << "0x" << x.significand << std::dec << " e"
         << x.biasedExponent;
}
} // namespace tarvik::reference

namespace {

constexpr std::uint64_t top = std::uint64_t{1} << 63;
constexpr std::uint64_t allOnes = ~std::uint64_t{0};

Extended valueOf(std::u16string_view text)
{
    const Parsed p = parse(text, u',');
    EXPECT_EQ(p.status, Parsed::Ok) << std::string(text.begin(), text.end());
    return p.value;
}

TEST(ReferenceParse, RoundsTheExactDecimalOnceToNearestEven)
{
    const struct {
        std::u16string text;
        Extended value;
    } cases[] = {
        {u"1", {false, top, 16383}},
        {u"-12,5", {true, 0xC800000000000000u, 16386}},
        {u"0,1", {false, 0xCCCCCCCCCCCCCCCDu, 16379}},
        {u",", {false, 0, 0}},
        {u"-0", {true, 0, 0}},
        // 2^64 + 1 and 2^64 + 3 lie halfway between neighbours two apart.
        {u"18446744073709551617", {false, top, 16383 + 64}},
        {u"18446744073709551619", {false, top + 2, 16383 + 64}},
        {u"18446744073709551617,000000000000000000000000000000001", {false, top + 1, 16383 + 64}},
        {u"1,18973149535723176502e4932", {false, allOnes, 32766}},
        {u"1,18973149535723176505e4932", {false, allOnes, 32766}},
        {u"3,36210314311209350626e-4932", {false, top, 1}},
        {u"3,6451995318824746025e-4951", {false, 1, 0}},
        // Half the smallest subnormal is 1,82259976594123730126...e-4951.
        {u"1,8225997659412373012e-4951", {false, 0, 0}},
        {u"1,8225997659412373013e-4951", {false, 1, 0}},
        {u"1e-4999", {false, 0, 0}},
        {u"0," + std::u16string(4960, u'0') + u"1", {false, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        EXPECT_EQ(valueOf(c.text), c.value);
    }
}

TEST(ReferenceParse, RefusesTextsOutsideTheGrammarAndBeyondTheRange)
{
    for (std::u16string_view text : {u"", u"  ", u"-", u"e5", u"12.5", u"1,2,3", u"1e5000", u"1 000", u"\t1"})
        EXPECT_EQ(parse(text, u',').status, Parsed::Invalid) << std::string(text.begin(), text.end());
    for (std::u16string_view text : {u"1,18973149535723176506e4932", u"1e4999", u"-1e4933"})
        EXPECT_EQ(parse(text, u',').status, Parsed::Overflow) << std::string(text.begin(), text.end());
    EXPECT_EQ(parse(u"1e500", u',').status, Parsed::Ok);
    EXPECT_EQ(parse(u"12.5", u'.').value, valueOf(u"12,5"));
}

TEST(ReferenceFormat, RoundsTheEighteenDigitFormThenTheThirdDecimal)
{
    const struct {
        std::u16string_view text;
        std::u16string_view formatted;
    } cases[] = {
        {u"12", u"12,000"},
        {u"-0", u"0,000"},
        {u"0,0005", u"0,001"},
        {u"-0,0005", u"-0,001"},
        {u"-0,0004", u"0,000"},
        {u"9,9995", u"10,000"},
        {u"1e-3000", u"0,000"},
        // Exact ties at the 19th digit go to the even 18th.
        {u"123456789012345678,5", u"123456789012345678,000"},
        {u"123456789012345677,5", u"123456789012345678,000"},
        {u"999999999999999999,5", u"1000000000000000000,000"},
        {u"1234567890123456,789", u"1234567890123456,790"},
        // From 10^18: 15 digits, half away from zero on the 18-digit form,
        // whose own tie went to even first.
        {u"1e18", u"1E18"},
        {u"2,5e20", u"2,5E20"},
        {u"1234567890123454995", u"1,23456789012346E18"},
        {u"1234567890123454985", u"1,23456789012345E18"},
        {u"-999999999999999950000", u"-1E21"},
        {u"1,1e4000", u"1,1E4000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        EXPECT_EQ(format000(valueOf(c.text), u','), c.formatted);
    }
    EXPECT_EQ(format000({false, allOnes, 32766}, u'.'), u"1.18973149535723E4932");
    EXPECT_EQ(format000({false, 1, 0}, u'.'), u"0.000");
}

TEST(ReferenceArithmetic, RoundsOnceTiesToEven)
{
    // 3 × (2^63 + 1) needs 65 bits and its last one is a tie.
    EXPECT_EQ(multiply(valueOf(u"9223372036854775809"), 3.0).value, valueOf(u"27670116110564327428"));
    EXPECT_EQ(divide(valueOf(u"1"), 3.0).value, (Extended{false, 0xAAAAAAAAAAAAAAABu, 16381}));
    // The smallest subnormal halved is a tie with zero; three halves of it
    // a tie between one and two.
    EXPECT_EQ(multiply({false, 1, 0}, 0.5).value, (Extended{false, 0, 0}));
    EXPECT_EQ(multiply({false, 1, 0}, 1.5).value, (Extended{false, 2, 0}));
    EXPECT_EQ(divide({true, 1, 0}, 4.0 / 3).value, (Extended{true, 1, 0}));
    // The largest subnormal grown a little becomes normal.
    EXPECT_EQ(multiply({false, top - 1, 0}, 1.0 + DBL_EPSILON).value, (Extended{false, top + 2047, 1}));

    EXPECT_TRUE(multiply({false, allOnes, 32766}, 2.0).overflow);
    EXPECT_TRUE(divide({false, allOnes, 32766}, 0.5).overflow);
    EXPECT_FALSE(multiply({false, allOnes, 32766}, 1.0).overflow);
}

TEST(ReferenceCalculate, GivesTheWorkedExamples)
{
    const struct {
        std::u16string_view input;
        double unitMass;
        int mode;
        CalcOutcome::Kind kind;
        std::u16string_view text;
    } cases[] = {
        {u"12,5", 0.89, 0, CalcOutcome::Ok, u"11,125"},     {u"100", 0.89, 1, CalcOutcome::Ok, u"112,360"},
        {u"0", 785, 1, CalcOutcome::Ok, u"0,000"},          {u",", 0.22, 0, CalcOutcome::Ok, u"0,000"},
        {u"-1", 0.89, 0, CalcOutcome::Ok, u"-0,890"},       {u"abc", 0.89, 0, CalcOutcome::NotAFloat, u""},
        {u"1e5000", 0.89, 0, CalcOutcome::NotAFloat, u""},  {u"1,1e4932", 785, 0, CalcOutcome::Overflow, u""},
        {u"1,1e4932", 0.22, 1, CalcOutcome::Overflow, u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.input.begin(), c.input.end()));
        const CalcOutcome outcome = calculate(c.input, c.unitMass, c.mode, u',');
        EXPECT_EQ(outcome.kind, c.kind);
        EXPECT_EQ(outcome.text, c.text);
    }
}

TEST(ReferenceFields, TellCanonicalFiniteValuesFromTheRest)
{
    EXPECT_TRUE(isCanonicalFinite({false, 1, 0}));
    EXPECT_TRUE(isCanonicalFinite({true, top, 1}));
    EXPECT_TRUE(isCanonicalFinite({false, allOnes, 32766}));
    EXPECT_FALSE(isCanonicalFinite({false, top, 0}));      // pseudo-denormal
    EXPECT_FALSE(isCanonicalFinite({false, top - 1, 40})); // unnormal
    EXPECT_FALSE(isCanonicalFinite({false, top, 32767}));  // infinity
}

} // namespace
