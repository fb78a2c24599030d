#pragma once

// The estimate as a table of texts: the header, the lines, and the totals
// rows, as every export writes it (CSV, copied text) and a face may show it.

#include "estimate/estimate.h"
#include "text/captions.h"

#include <optional>
#include <string>
#include <vector>

namespace tarvik {

// The columns in their order.
enum class EstimateColumn {
    Number,
    Name,
    Size,
    Grade,
    UnitMass,
    PieceSize,
    Pieces,
    Quantity,
    Mass,
    Price,
    PriceUnit, // «за»: what the price is per
    Cost
};
inline constexpr std::size_t estimateColumnCount = 12;

// A column's caption for lines of one kind of quantity; a header over lines
// of both kinds names both ("Длина, м / Площадь, кв.м").
enum class QuantityMix { Length, Area, Both };
std::u16string_view columnCaption(EstimateColumn column, QuantityMix mix);
QuantityMix quantityMix(const Estimate& estimate);

// Whether a column holds words (a name, a size, a grade), read from the
// left and wrapped, rather than a number, read from the right.
bool columnIsText(EstimateColumn column);

// The cell the Delete key empties for a chosen cell of `column`: the piece
// size for «Длина 1 шт» and «Кол-во» (a line without a piece size is not
// counted in pieces), the price for «Цена»; none where a cell must hold its
// number. Delete never takes a line: that is done on purpose, by its button.
std::optional<EstimateColumn> columnEmptiedByDelete(EstimateColumn column);

// "22", "12,5": a VAT rate in hundredths of a percent as people write it.
std::u16string vatRateText(std::uint32_t hundredths, char16_t separator);

// A caption with its "{}" replaced.
std::u16string captionWith(Caption which, std::u16string_view value);

using TableRow = std::vector<std::u16string>; // estimateColumnCount texts, or none: a blank row

// How money reads: on the screen and on paper with a thin space between
// thousands ("1 247 469,63"); in a file or a copy for a spreadsheet plain
// ("1247469,63"), so that it reads back as a number.
enum class MoneyLayout { Grouped, Plain };

// The header row, a row per line, a blank row, then the totals rows: the
// label in the name column, each value in the column it totals. A number
// with the estimate's separator, without unit; only money grouped, as asked.
std::vector<TableRow> estimateTable(const Estimate& estimate, MoneyLayout money = MoneyLayout::Grouped);

// Parts of that table, for a face that shows the lines and the totals apart
// and must not rebuild every row for one edit: line `row` (from 0) and the
// totals rows.
TableRow estimateLineRow(const Estimate& estimate, std::size_t row, MoneyLayout money = MoneyLayout::Grouped);
std::vector<TableRow> estimateTotalsRows(const Estimate& estimate, MoneyLayout money = MoneyLayout::Grouped);

} // namespace tarvik
