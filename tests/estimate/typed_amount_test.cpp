#include "estimate/estimate.h"
#include "estimate/estimate_csv.h"
#include "estimate/estimate_messages.h"
#include "estimate/estimate_table.h"
#include "estimate/typed_amount.h"
#include "tests/estimate/estimate_fixture.h"
#include "text/captions.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

namespace tarvik {
namespace {

using testing::makeEstimate;
using testing::rebar12;

std::u16string kopecks(const TypedAmount& amount)
{
    return formatAmount(amount.units, 2, u',');
}

TEST(TypedAmount, ReadsPricesAsSellersWriteThem)
{
    const struct {
        std::u16string_view typed;
        std::u16string_view price;
    } cases[] = {
        {u"65000", u"65000,00"},           {u"65 000", u"65000,00"},
        {u"65\u00A0000,50", u"65000,50"},  {u"65\u2009000,50", u"65000,50"},
        {u"65.000,50", u"65000,50"},       {u"1.247.469,63", u"1247469,63"},
        {u"65 000 ₽", u"65000,00"},      {u"65000руб", u"65000,00"},
        {u"65 000 руб.", u"65000,00"},     {u"65000 Р.", u"65000,00"},
        {u" +65000,5 ", u"65000,50"},      {u"65.5", u"65,50"},
        {u"1 247 469,630", u"1247469,63"}, {u",5", u"0,50"},
    };
    for (const auto& c : cases) {
        const TypedAmount amount = readTypedAmount(c.typed, u',', 2, TypedCell::Money);
        EXPECT_EQ(amount.error, TypedAmountError::None) << utf8(c.typed);
        EXPECT_EQ(kopecks(amount), c.price) << utf8(c.typed);
    }
}

TEST(TypedAmount, RefusesWithAReasonThatNamesWhatIsWrong)
{
    const struct {
        std::u16string_view typed;
        TypedCell cell;
        TypedAmountError error;
        std::u16string_view reason;
    } cases[] = {
        {u"65.000", TypedCell::Money, TypedAmountError::AmbiguousStop,
         u"«65.000» — это 65000 или 65,000? Напишите число без точки"},
        {u"NaN", TypedCell::Money, TypedAmountError::Foreign, u"«N» — не часть числа"},
        {u"65 000 $", TypedCell::Money, TypedAmountError::Foreign, u"«$» — не часть числа"},
        {u"65 🚗", TypedCell::Money, TypedAmountError::Foreign, u"«🚗» — не часть числа"},
        {u"65000 ₽", TypedCell::Number, TypedAmountError::Foreign,
         u"«₽» — не часть числа"},
        {u"-65000", TypedCell::Money, TypedAmountError::Negative,
         u"В смету не входят отрицательные количества"},
        {u"1e5", TypedCell::Money, TypedAmountError::Exponent, u"Число пишется цифрами, без «e»"},
        {u"1E309", TypedCell::Number, TypedAmountError::Exponent, u"Число пишется цифрами, без «e»"},
        {u"6 50 00", TypedCell::Money, TypedAmountError::MisplacedGroup,
         u"Пробел и точка разделяют только тысячи, по три цифры"},
        {u"1 000.000,00", TypedCell::Money, TypedAmountError::MisplacedGroup,
         u"Пробел и точка разделяют только тысячи, по три цифры"},
        {u"65,000.50", TypedCell::Money, TypedAmountError::MisplacedGroup,
         u"Пробел и точка разделяют только тысячи, по три цифры"},
        {u"1,2,3", TypedCell::Money, TypedAmountError::TwoSeparators,
         u"Знак «,» в числе может быть только один"},
        {u"1,005", TypedCell::Money, TypedAmountError::TooManyDecimals, u"Не больше 2 знаков после «,»"},
        {u"₽", TypedCell::Money, TypedAmountError::Foreign, u"«₽» — не часть числа"},
        {u"", TypedCell::Money, TypedAmountError::NotANumber, u"Здесь нужно число"},
    };
    for (const auto& c : cases) {
        const TypedAmount amount = readTypedAmount(c.typed, u',', 2, c.cell);
        EXPECT_EQ(amount.error, c.error) << utf8(c.typed);
        EXPECT_EQ(typedAmountReason(amount, c.typed, u',', 2), c.reason) << utf8(c.typed);
    }
    // Where the separator is the point, the comma parts thousands.
    EXPECT_EQ(kopecks(readTypedAmount(u"65,000.50", u'.', 2, TypedCell::Money)), u"65000,50");
    EXPECT_EQ(readTypedAmount(u"65,000", u'.', 2, TypedCell::Money).error, TypedAmountError::AmbiguousStop);
}

TEST(TypedAmount, EveryCellRefusesAnExponentAndKeepsItsLine)
{
    Estimate e = makeEstimate();
    const std::uint64_t id = e.add(rebar12(u"10")).id;
    ASSERT_TRUE(e.editPrice(id, u"53000"));
    const EstimateLine before = e.line(0);
    const std::u16string exponent(caption(Caption::TypedExponent));
    for (const auto edit : {&Estimate::editQuantity, &Estimate::editMass, &Estimate::editPieceSize,
                            &Estimate::editPieces, &Estimate::editPrice}) {
        const EditResult result = (e.*edit)(id, u"1e309");
        EXPECT_EQ(result.error, EditError::BadNumber);
        EXPECT_EQ(editErrorText(result), exponent);
    }
    EXPECT_EQ(editErrorText(e.setVatRate(u"2e1")), exponent);
    EXPECT_EQ(e.line(0).quantity, before.quantity);
    EXPECT_EQ(e.line(0).mass, before.mass);
    EXPECT_EQ(e.line(0).price, before.price);

    ASSERT_TRUE(e.editQuantity(id, u"1 000"));
    EXPECT_EQ(e.line(0).quantity, u"1000,000");
    ASSERT_TRUE(e.editPrice(id, u"65.000,50 ₽"));
    EXPECT_EQ(e.line(0).price, u"65000,50");
    EXPECT_EQ(e.editPrice(id, u"-65000").error, EditError::Negative);
    EXPECT_EQ(e.editPrice(id, u"65.000").error, EditError::BadNumber);
    EXPECT_EQ(e.line(0).price, u"65000,50");
}

TEST(TypedAmount, MoneyIsGroupedOnTheScreenAndPlainInFiles)
{
    const struct {
        std::u16string_view plain, grouped;
    } cases[] = {
        {u"1247469,63", u"1\u2009247\u2009469,63"}, {u"999,00", u"999,00"}, {u"1000", u"1\u2009000"},
        {u"100000,5", u"100\u2009000,5"},           {u"0,01", u"0,01"},     {u"", u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(groupedThousands(c.plain, u','), c.grouped) << utf8(c.plain);

    Estimate e = makeEstimate();
    const std::uint64_t id = e.add(rebar12(u"1000")).id; // 890 kg
    ASSERT_TRUE(e.editPrice(id, u"65000"));
    const TableRow row = estimateLineRow(e, 0);
    EXPECT_EQ(row[static_cast<std::size_t>(EstimateColumn::Price)], u"65\u2009000,00");
    EXPECT_EQ(row[static_cast<std::size_t>(EstimateColumn::Cost)], u"57\u2009850,00");
    EXPECT_EQ(estimateTotalsRows(e)[0][static_cast<std::size_t>(EstimateColumn::Cost)], u"57\u2009850,00");
    const std::string csv = estimateCsv(e);
    EXPECT_NE(csv.find(";65000,00;т;57850,00"), std::string::npos) << csv;
    EXPECT_EQ(estimateTabText(e).find(u'\u2009'), std::u16string::npos);
}

} // namespace
} // namespace tarvik
