#include "estimate/estimate_table.h"

#include "estimate/typed_amount.h"
#include "number/count_text.h"
#include "number/double_text.h"

#include <array>

namespace tarvik {
namespace {

constexpr auto column(EstimateColumn c)
{
    return static_cast<std::size_t>(c);
}

} // namespace

std::u16string vatRateText(std::uint32_t hundredths, char16_t separator)
{
    std::u16string text = formatAmount(Amount(hundredths), 2, separator);
    while (text.back() == u'0')
        text.pop_back();
    if (text.back() == separator)
        text.pop_back();
    return text;
}

std::optional<EstimateColumn> columnEmptiedByDelete(EstimateColumn column)
{
    switch (column) {
    case EstimateColumn::PieceSize:
    case EstimateColumn::Pieces:
        return EstimateColumn::PieceSize;
    case EstimateColumn::Price:
        return EstimateColumn::Price;
    default:
        return std::nullopt;
    }
}

TableRow estimateLineRow(const Estimate& e, std::size_t i, MoneyLayout money)
{
    const auto laidOut = [&](std::u16string plain) {
        return money == MoneyLayout::Grouped ? groupedThousands(plain, e.separator()) : plain;
    };
    const EstimateLine& l = e.line(i);
    const LineCost cost = e.cost(i);
    TableRow row(estimateColumnCount);
    row[column(EstimateColumn::Number)] = countText(i + 1);
    row[column(EstimateColumn::Name)] = lineName(l);
    row[column(EstimateColumn::Size)] = l.size;
    row[column(EstimateColumn::Grade)] = gradeText(l);
    row[column(EstimateColumn::UnitMass)] = doubleText(l.unitMass, e.separator());
    row[column(EstimateColumn::PieceSize)] = l.pieceSize;
    row[column(EstimateColumn::Pieces)] = l.pieces;
    row[column(EstimateColumn::Quantity)] = l.quantity;
    row[column(EstimateColumn::Mass)] = l.mass;
    row[column(EstimateColumn::Price)] = laidOut(l.price);
    row[column(EstimateColumn::PriceUnit)] = priceUnitText(l, l.priceUnit);
    if (cost.state == LineCostState::Priced)
        row[column(EstimateColumn::Cost)] = laidOut(formatAmount(cost.kopecks, 2, e.separator()));
    return row;
}

namespace {

TableRow totalsRow(std::u16string label, EstimateColumn at = EstimateColumn::Name, std::u16string value = {})
{
    TableRow row(estimateColumnCount);
    row[column(EstimateColumn::Name)] = std::move(label);
    if (at != EstimateColumn::Name)
        row[column(at)] = std::move(value);
    return row;
}

} // namespace

std::u16string_view columnCaption(EstimateColumn c, QuantityMix mix)
{
    const auto pick = [mix](Caption length, Caption area, Caption both) {
        return caption(mix == QuantityMix::Length ? length : mix == QuantityMix::Area ? area : both);
    };
    switch (c) {
    case EstimateColumn::Number:
        return caption(Caption::EstimateNumberColumn);
    case EstimateColumn::Name:
        return caption(Caption::EstimateNameColumn);
    case EstimateColumn::Size:
        return caption(Caption::EstimateSizeColumn);
    case EstimateColumn::Grade:
        return caption(Caption::EstimateGradeColumn);
    case EstimateColumn::UnitMass:
        return pick(Caption::UnitMassLengthColumn, Caption::UnitMassAreaColumn, Caption::UnitMassMixedColumn);
    case EstimateColumn::PieceSize:
        return pick(Caption::PieceLengthColumn, Caption::PieceAreaColumn, Caption::PieceMixedColumn);
    case EstimateColumn::Pieces:
        return caption(Caption::PiecesColumn);
    case EstimateColumn::Quantity:
        return pick(Caption::QuantityLengthColumn, Caption::QuantityAreaColumn, Caption::QuantityMixedColumn);
    case EstimateColumn::Mass:
        return caption(Caption::MassColumn);
    case EstimateColumn::Price:
        return caption(Caption::PriceColumn);
    case EstimateColumn::PriceUnit:
        return caption(Caption::PriceUnitColumn);
    case EstimateColumn::Cost:
        return caption(Caption::CostColumn);
    }
    return {};
}

bool columnIsText(EstimateColumn column)
{
    return column == EstimateColumn::Name || column == EstimateColumn::Size ||
           column == EstimateColumn::Grade;
}

QuantityMix quantityMix(const Estimate& e)
{
    bool length = false, area = false;
    for (std::size_t i = 0; i < e.size(); ++i)
        (e.line(i).quantityKind == QuantityKind::Area ? area : length) = true;
    return area && length ? QuantityMix::Both : area ? QuantityMix::Area : QuantityMix::Length;
}

std::u16string captionWith(Caption which, std::u16string_view value)
{
    std::u16string text(caption(which));
    const std::size_t at = text.find(u"{}");
    if (at != std::u16string::npos)
        text.replace(at, 2, value);
    return text;
}

std::vector<TableRow> estimateTable(const Estimate& e, MoneyLayout money)
{
    std::vector<TableRow> rows;
    const QuantityMix mix = quantityMix(e);
    TableRow header;
    for (std::size_t c = 0; c < estimateColumnCount; ++c)
        header.emplace_back(columnCaption(static_cast<EstimateColumn>(c), mix));
    rows.push_back(std::move(header));
    for (std::size_t i = 0; i < e.size(); ++i)
        rows.push_back(estimateLineRow(e, i, money));
    rows.emplace_back();
    for (TableRow& total : estimateTotalsRows(e, money))
        rows.push_back(std::move(total));
    return rows;
}

std::vector<TableRow> estimateTotalsRows(const Estimate& e, MoneyLayout money)
{
    std::vector<TableRow> rows;
    const EstimateTotals& t = e.totals();
    const char16_t sep = e.separator();
    const auto rubles = [&](const Amount& kopecks) {
        std::u16string plain = formatAmount(kopecks, 2, sep);
        return money == MoneyLayout::Grouped ? groupedThousands(plain, sep) : plain;
    };
    // A total that leaves a line out would be a wrong number: none is shown.
    const bool complete = t.outOfRange == 0;
    TableRow total = totalsRow(captionWith(Caption::TotalLines, countText(t.lines)));
    if (complete) {
        total[column(EstimateColumn::Mass)] = formatAmount(t.grams, 3, sep);
        total[column(EstimateColumn::Cost)] = rubles(t.kopecks);
    }
    rows.push_back(std::move(total));
    if (complete)
        rows.push_back(totalsRow(std::u16string(caption(Caption::TotalTonnes)), EstimateColumn::Mass,
                                 formatAmount(tonnesInThousandths(t.grams), 3, sep)));
    if (t.outOfRange > 0)
        rows.push_back(totalsRow(captionWith(Caption::OutOfRangeLines, countText(t.outOfRange))));
    if (t.unpriced > 0)
        rows.push_back(totalsRow(captionWith(Caption::UnpricedLines, countText(t.unpriced))));
    if (!complete)
        return rows;
    const std::u16string rate = vatRateText(e.vatRate(), sep);
    if (e.pricesIncludeVat()) {
        rows.push_back(totalsRow(captionWith(Caption::VatIncluded, rate), EstimateColumn::Cost,
                                 rubles(vatIncluded(t.kopecks, e.vatRate()))));
    } else {
        Amount vat = vatAdded(t.kopecks, e.vatRate());
        rows.push_back(totalsRow(captionWith(Caption::VatAdded, rate), EstimateColumn::Cost, rubles(vat)));
        vat.add(t.kopecks);
        rows.push_back(
            totalsRow(std::u16string(caption(Caption::TotalWithVat)), EstimateColumn::Cost, rubles(vat)));
    }
    return rows;
}

} // namespace tarvik
