#include "estimate/estimate_csv.h"
#include "estimate/estimate_table.h"
#include "estimate/file_names.h"
#include "tests/estimate/estimate_fixture.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

using namespace tarvik;
using namespace tarvik::testing;

namespace {

// The calculation as «Расчитать» gives it under a locale of this separator.
Calculation withSeparator(Calculation c, char16_t separator)
{
    for (std::u16string* text : {&c.number, &c.result}) {
        for (char16_t& ch : *text)
            ch = ch == u',' ? separator : ch;
    }
    return c;
}

Estimate smallEstimate(char16_t separator)
{
    Counter ids;
    Estimate e(separator, ids, Counter{});
    const std::uint64_t priced = e.add(withSeparator(rebar12(u"12"), separator)).id;
    e.add(withSeparator(sheet4(u"2"), separator));
    e.editPrice(priced, u"65000");
    return e;
}

TEST(EstimateCsv, WritesTheExactBytes)
{
    const std::string expected =
        "\xEF\xBB\xBF"
        "№;Наименование;Размер;Марка;Масса 1 м / 1 кв.м, кг;Длина 1 шт, м / Площадь 1 шт, кв.м;Кол-во, шт;"
        "Длина, м / Площадь, кв.м;Масса, кг;Цена, руб;за;Стоимость, руб\r\n"
        "1;Арматура А1;12;Сталь;0,89;;;12,000;10,680;65000,00;т;694,20\r\n"
        "2;Лист горячекатаный;4;Ст3;31,4;;;2,000;62,800;;т;\r\n"
        "\r\n"
        ";Итого: 2 поз.;;;;;;;73,480;;;694,20\r\n"
        ";Итого, т;;;;;;;0,073;;;\r\n"
        ";без цены: 1 поз.;;;;;;;;;;\r\n"
        ";в т.ч. НДС 22 %;;;;;;;;;;125,18\r\n";
    EXPECT_EQ(estimateCsv(smallEstimate(u',')), expected);
}

TEST(EstimateCsv, QuotesFieldsWhereTheSeparatorIsAFullStop)
{
    Estimate e = smallEstimate(u'.');
    e.setPricesIncludeVat(false);
    ASSERT_TRUE(e.setVatRate(u"12.5"));
    const std::string csv = estimateCsv(e);
    EXPECT_NE(csv.find(",\"Масса 1 м / 1 кв.м, кг\",\"Длина 1 шт, м / Площадь 1 шт, кв.м\","),
              std::string::npos);
    // "Кол-во, шт" too: every field with the delimiter is quoted.
    EXPECT_NE(csv.find("\"Кол-во, шт\""), std::string::npos);
    EXPECT_NE(csv.find("\r\n1,Арматура А1,12,Сталь,0.89,,,12.000,10.680,65000.00,т,694.20\r\n"),
              std::string::npos);
    // 694,20 × 12,5 % = 86,775: up.
    EXPECT_NE(csv.find("\r\n,НДС 12.5 %,,,,,,,,,,86.78\r\n,Всего с НДС,,,,,,,,,,780.98\r\n"),
              std::string::npos);
    // A name as a buyer writes it holds the delimiter.
    e.add(withSeparator(amg3Sheet3(u"2"), u'.'));
    EXPECT_NE(estimateCsv(e).find("\r\n3,\"Лист горячекатаный 3, АМг3\",3,АМг3,8.01,,,2.000,16.020,,т,\r\n"),
              std::string::npos);
}

TEST(EstimateCsv, CopiedTextHasTheSameRowsWithTabs)
{
    const std::u16string text = estimateTabText(smallEstimate(u','));
    EXPECT_TRUE(text.starts_with(u"№\tНаименование\tРазмер\tМарка\t"));
    EXPECT_NE(text.find(u"\n1\tАрматура А1\t12\tСталь\t0,89\t\t\t12,000\t10,680\t65000,00\tт\t694,20\n"),
              std::u16string::npos);
    EXPECT_TRUE(text.ends_with(u"\tв т.ч. НДС 22 %\t\t\t\t\t\t\t\t\t\t125,18\n"));
}

TEST(EstimateTable, HeaderNamesTheQuantityOfItsLines)
{
    Estimate e = makeEstimate();
    EXPECT_EQ(quantityMix(e), QuantityMix::Length);
    e.add(sheet4(u"1"));
    EXPECT_EQ(quantityMix(e), QuantityMix::Area);
    const auto header = [&e](EstimateColumn c) { return estimateTable(e)[0][static_cast<std::size_t>(c)]; };
    EXPECT_EQ(header(EstimateColumn::Quantity), u"Площадь, кв.м");
    EXPECT_EQ(header(EstimateColumn::UnitMass), u"Масса 1 кв.м, кг");
    e.add(rebar12(u"1"));
    EXPECT_EQ(header(EstimateColumn::Quantity), u"Длина, м / Площадь, кв.м");
}

TEST(EstimateTable, NoTotalLeavesALineOut)
{
    Estimate e = makeEstimate();
    e.add(sheet4(u"1e20"));
    e.add(rebar12(u"1"));
    const std::vector<TableRow> rows = estimateTable(e);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[4][1], u"Итого: 2 поз.");
    EXPECT_EQ(rows[4][static_cast<std::size_t>(EstimateColumn::Mass)], u"");
    EXPECT_EQ(rows[5][1], u"масса вне диапазона: 1 поз.");
    EXPECT_EQ(rows[6][1], u"без цены: 2 поз.");
}

TEST(FileNames, StayInTheirFolder)
{
    const struct {
        std::u16string_view name, stem;
    } cases[] = {
        {u"Дача 2025", u"Дача 2025"},
        {u"../../etc/passwd", u"_._etc_passwd"},
        {u"..", u"смета"},
        {u"", u"смета"},
        {u" . ", u"смета"},
        {u"a\\b:c*d?e\"f<g>h|i", u"a_b_c_d_e_f_g_h_i"},
        {std::u16string_view(u"a\0b\x1F\x7F\x202E", 6), u"a_b___"},
        {u".hidden.", u"hidden"},
        {u"con", u"_con"},
        {u"LPT1.txt", u"_LPT1.txt"},
        {u"COM10", u"COM10"},
        {u"a..b...c", u"a.b.c"},
        {u"\xD83D\xDE00 ok", u"\xD83D\xDE00 ok"},
        {u"\xDE00x\xD83D", u"\uFFFDx\uFFFD"}, // as the name keeps a lone surrogate
    };
    for (const auto& c : cases)
        EXPECT_EQ(safeFileStem(c.name), c.stem) << utf8(c.name);
    EXPECT_EQ(safeFileStem(std::u16string(300, u'я')), std::u16string(maxFileStemLength, u'я'));
    // A pair is never cut in two.
    const std::u16string faces = u"x" + [] {
        std::u16string s;
        for (int i = 0; i < 100; ++i)
            s += u"\xD83D\xDE00";
        return s;
    }();
    const std::u16string cut = safeFileStem(faces);
    EXPECT_EQ(cut.size(), maxFileStemLength - 1);
    EXPECT_EQ(exportFileName(u"Дача/баня", {2025, 3, 7}, u"csv"), u"смета_Дача_баня_2025-03-07.csv");
}

} // namespace
