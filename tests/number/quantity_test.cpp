#include "number/errors.h"
#include "number/quantity.h"

#include <gtest/gtest.h>

using namespace tarvik;

namespace {

TEST(CalculatedText, GivesWhatTheCalculatorShows)
{
    const struct {
        std::u16string_view number;
        double unitMass;
        int mode;
        std::u16string_view expected;
    } cases[] = {
        {u"12", 0.89, 0, u"10,680"},   {u"10,68", 0.89, 1, u"12,000"},
        {u"1", 0.22, 1, u"4,545"},     {u"2,5", 3.125, 0, u"7,813"}, // 7,8125 rounds half away from zero
        {u"1e20", 785, 0, u"7,85E22"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(calculatedText(c.number, u',', c.unitMass, c.mode), c.expected);
}

TEST(CalculatedText, ThrowsTheCalculatorsErrors)
{
    EXPECT_THROW(calculatedText(u"12.5", u',', 0.89, 0), CalcError);
    try {
        calculatedText(u"1e4931", u',', 785, 0);
        ADD_FAILURE() << "no overflow";
    } catch (const CalcError& e) {
        EXPECT_EQ(e.message(), u"Floating point overflow");
    }
}

} // namespace
