#include "catalogue/family.h"
#include "number/double_text.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace tarvik;

namespace {

TEST(DoubleText, WritesTheShortestTextThatReadsBack)
{
    const struct {
        double value;
        std::u16string_view text;
    } cases[] = {
        {0.89, u"0,89"},
        {157, u"157"},
        {353.25, u"353,25"},
        {0.000123, u"0,000123"},
        {1e20, u"100000000000000000000"},
        {0.30000000000000004, u"0,30000000000000004"},
        {9.5367431640625e-07, u"0,00000095367431640625"}, // 2^-20
    };
    for (const auto& c : cases) {
        EXPECT_EQ(doubleText(c.value, u','), c.text);
        EXPECT_EQ(readDouble(c.text, u','), c.value) << utf8(c.text);
    }
    for (std::u16string_view bad : {u"", u"abc", u"-1", u"0", u"1e400", u"1e-400"})
        EXPECT_FALSE(readDouble(bad, u',')) << utf8(bad);
}

TEST(DoubleText, EveryCatalogueMassReadsBackBitForBit)
{
    for (const catalogue::Family* family : catalogue::families) {
        for (const catalogue::KindTable& table : family->tables) {
            for (double mass : table.unitMasses) {
                const std::optional<double> back = readDouble(doubleText(mass, u'.'), u'.');
                ASSERT_TRUE(back);
                EXPECT_EQ(doubleBits(*back), doubleBits(mass));
            }
        }
    }
}

} // namespace
