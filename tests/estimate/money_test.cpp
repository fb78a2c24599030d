#include "estimate/money.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <string>

using namespace tarvik;

namespace {

Amount units(std::u16string_view text, int decimals)
{
    const AmountText read = readAmount(text, u',', decimals);
    EXPECT_EQ(read.error, AmountError::None) << utf8(text);
    return read.units;
}

std::u16string kopecksText(const Amount& kopecks)
{
    return formatAmount(kopecks, 2, u',');
}

TEST(ReadAmount, ReadsTheCalculatorsTextsExactly)
{
    const struct {
        std::u16string_view text;
        int decimals;
        std::string units;
    } cases[] = {
        {u"12,345", 3, "12345"},
        {u"0,000", 3, "0"},
        {u" +7 ", 2, "700"},
        {u",5", 2, "50"},
        {u"5,", 2, "500"},
        {u"1,2500", 2, "125"}, // zeros beyond the allowed decimals
        {u"2,5E20", 3, "250000000000000000000000"},
        {u"1,25e-1", 3, "125"},
        {u"0001", 0, "1"},
        {u"-0", 2, "0"},
        {u"99999999999999999999999999999999999999,99", 2, "9999999999999999999999999999999999999999"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(units(c.text, c.decimals).decimalDigits(), c.units) << utf8(c.text);
}

TEST(ReadAmount, RefusesWhatIsNoAmount)
{
    const struct {
        std::u16string_view text;
        int decimals;
        AmountError error;
    } cases[] = {
        {u"", 2, AmountError::NotANumber},
        {u",", 2, AmountError::NotANumber},
        {u"1.5", 2, AmountError::NotANumber},
        {u"1,5,", 2, AmountError::NotANumber},
        {u"1 000", 2, AmountError::NotANumber},
        {u"1,5 руб", 2, AmountError::NotANumber},
        {u"1e", 2, AmountError::None}, // as strToFloat reads it: 1
        {u"-1", 2, AmountError::Negative},
        {u"1,005", 2, AmountError::TooManyDecimals},
        {u"1e-3", 2, AmountError::TooManyDecimals},
        {u"1E41", 2, AmountError::TooLarge},
        {u"1E99999999999999999999", 2, AmountError::TooLarge},
        {u"1E-99999999999999999999", 2, AmountError::TooManyDecimals},
        {u"0E99999999999999999999", 2, AmountError::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readAmount(c.text, u',', c.decimals).error, c.error) << utf8(c.text);
    // A long text of digits is refused by its length, not read.
    EXPECT_EQ(readAmount(std::u16string(1'000'000, u'9'), u',', 2).error, AmountError::TooLarge);
    EXPECT_EQ(readAmount(u"1." + std::u16string(1'000'000, u'0'), u'.', 2).error, AmountError::None);
}

TEST(FormatAmount, WritesFixedDecimalsWithTheSeparator)
{
    EXPECT_EQ(formatAmount(Amount(0), 2, u','), u"0,00");
    EXPECT_EQ(formatAmount(Amount(5), 3, u'.'), u"0.005");
    EXPECT_EQ(formatAmount(Amount(123456), 2, u','), u"1234,56");
    EXPECT_EQ(formatAmount(Amount(42), 0, u','), u"42");
}

TEST(Money, CostRoundsHalfUpToTheKopeck)
{
    const struct {
        std::u16string_view massKg, pricePerTonne, cost;
    } cases[] = {
        {u"0,500", u"10", u"0,01"},                                                // 0,005 exactly: up
        {u"0,499", u"10", u"0,00"},       {u"0,001", u"4,99", u"0,00"},            // 0,00499
        {u"10,680", u"65000", u"694,20"}, {u"1234,567", u"78990,99", u"97519,67"}, // 97519,66955...
        {u"3,000", u"0", u"0,00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kopecksText(costInKopecks(units(c.massKg, 3), units(c.pricePerTonne, 2))), c.cost)
            << utf8(c.massKg);
}

TEST(Money, TonnesRoundHalfUp)
{
    EXPECT_EQ(formatAmount(tonnesInThousandths(units(u"1234,500", 3)), 3, u','), u"1,235");
    EXPECT_EQ(formatAmount(tonnesInThousandths(units(u"1234,499", 3)), 3, u','), u"1,234");
    EXPECT_EQ(formatAmount(tonnesInThousandths(units(u"0,499", 3)), 3, u','), u"0,000");
}

TEST(Money, VatBothWaysToTheKopeck)
{
    // 1000,00 with 22 % in it: 180,327868...; on top of it: 220,00.
    EXPECT_EQ(kopecksText(vatIncluded(units(u"1000", 2), 2200)), u"180,33");
    EXPECT_EQ(kopecksText(vatAdded(units(u"1000", 2), 2200)), u"220,00");
    EXPECT_EQ(kopecksText(vatIncluded(units(u"1234,57", 2), 2200)), u"222,63"); // 222,627377...
    // 0,25 × 22 % = 0,055 exactly: up.
    EXPECT_EQ(kopecksText(vatAdded(units(u"0,25", 2), 2200)), u"0,06");
    EXPECT_EQ(kopecksText(vatIncluded(units(u"120", 2), 2000)), u"20,00");
    EXPECT_EQ(kopecksText(vatAdded(units(u"1000", 2), 0)), u"0,00");
}

TEST(Money, SumsGoBeyondSixtyFourBits)
{
    Amount sum;
    const Amount line = units(u"999999999999999999,999", 3); // about 2^70 grams
    for (int i = 0; i < 1000; ++i)
        sum.add(line);
    EXPECT_EQ(formatAmount(sum, 3, u','), u"999999999999999999999,000");
    sum.subtract(line);
    EXPECT_EQ(formatAmount(sum, 3, u','), u"998999999999999999999,001");
    // 99999999998999999999900000,000001 roubles.
    EXPECT_EQ(kopecksText(costInKopecks(line, units(u"99999999999", 2))), u"99999999998999999999900000,00");
}

} // namespace
