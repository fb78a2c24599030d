#include "catalogue/family.h"
#include "catalogue/grades.h"
#include "number/double_text.h"
#include "number/exact_mass.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace tarvik;

namespace {

TEST(ExactMass, ScalesTheCatalogueFigureAsWrittenHalfUpToSixDecimals)
{
    const struct {
        double unitMass;
        int density;
        std::uint64_t millionths;
    } cases[] = {
        {2.47, 7900, 2'485'732},        // 2,4857324…
        {2.47, 2700, 849'554},          // round bar 20 in aluminium
        {0.000001, 3925, 1},            // exactly half a millionth rounds up
        {0.000001, 3924, 0},            // just below half rounds down
        {483.37, 25000, 1'539'394'904}, // the heaviest catalogue bar at the highest density
        {0.1, 7850, 100'000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unitMass);
        EXPECT_EQ(scaledMillionths(c.unitMass, c.density), c.millionths);
    }
    EXPECT_EQ(doubleBits(scaledUnitMass(2.47, 7900)), doubleBits(2.485732));
}

// Steel's grades keep today's numbers: at 7850 the catalogue's double comes back as it is.
TEST(ExactMass, EveryCatalogueMassStandsAtTheCatalogueDensity)
{
    for (const catalogue::Family* family : catalogue::families) {
        for (const catalogue::KindTable& table : family->tables) {
            for (double mass : table.unitMasses) {
                EXPECT_EQ(doubleBits(scaledUnitMass(mass, catalogue::steelDensity)), doubleBits(mass));
                EXPECT_EQ(doubleBits(doubleOfMillionths(scaledMillionths(mass, catalogue::steelDensity))),
                          doubleBits(mass))
                    << mass;
            }
        }
    }
}

// The compiler reads "2.485732" straight to the nearest double; so must we, with no detour
// through the extended format, whose second rounding could land on the other neighbour.
TEST(ExactMass, MillionthsBecomeTheDoubleALiteralWouldBe)
{
    EXPECT_EQ(doubleBits(doubleOfMillionths(2'485'732)), doubleBits(2.485732));
    EXPECT_EQ(doubleBits(doubleOfMillionths(1)), doubleBits(0.000001));
    EXPECT_EQ(doubleBits(doubleOfMillionths(1'539'394'904)), doubleBits(1539.394904));
    EXPECT_EQ(doubleBits(doubleOfMillionths(999'999'999'999'999)), doubleBits(999999999.999999));
    EXPECT_EQ(doubleOfMillionths(0), 0.0);
    // strtod is correctly rounded in the C libraries of every platform tested, and reads the
    // full stop in the "C" locale the tests run under.
    std::uint64_t n = 1;
    for (int i = 0; i < 20000; ++i) {
        n = n * 6364136223846793005u + 1442695040888963407u;
        const std::uint64_t millionths = (n >> 20) % 100'000'000'000'000u;
        char text[40];
        std::snprintf(text, sizeof text, "%llu.%06llu",
                      static_cast<unsigned long long>(millionths / 1'000'000),
                      static_cast<unsigned long long>(millionths % 1'000'000));
        ASSERT_EQ(doubleBits(doubleOfMillionths(millionths)), doubleBits(std::strtod(text, nullptr))) << text;
    }
}

TEST(ExactMass, MillionthsTextHasTheFewestDigits)
{
    EXPECT_EQ(millionthsText(2'485'732, u','), u"2,485732");
    EXPECT_EQ(millionthsText(500'000, u'.'), u"0.5");
    EXPECT_EQ(millionthsText(12'000'000, u','), u"12");
    EXPECT_EQ(millionthsText(0, u','), u"0");
    EXPECT_EQ(millionthsText(10'000'001, u','), u"10,000001");
}

} // namespace
