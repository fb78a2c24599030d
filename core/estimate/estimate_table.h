#pragma once

// The estimate as a table of texts: the header, the lines, and the totals
// rows, as every export writes it (CSV, copied text) and a face may show it.

#include "estimate/estimate.h"
#include "text/captions.h"

#include <string>
#include <vector>

namespace tarvik {

// The columns in their order.
enum class EstimateColumn { Number, Name, Size, UnitMass, PieceSize, Pieces, Quantity, Mass, Price, Cost };
inline constexpr std::size_t estimateColumnCount = 10;

// A column's caption for lines of one kind of quantity; a header over lines
// of both kinds names both ("Длина, м / Площадь, кв.м").
enum class QuantityMix { Length, Area, Both };
std::u16string_view columnCaption(EstimateColumn column, QuantityMix mix);
QuantityMix quantityMix(const Estimate& estimate);

// "22", "12,5": a VAT rate in hundredths of a percent as people write it.
std::u16string vatRateText(std::uint32_t hundredths, char16_t separator);

// A caption with its "{}" replaced.
std::u16string captionWith(Caption which, std::u16string_view value);

using TableRow = std::vector<std::u16string>; // estimateColumnCount texts, or none: a blank row

// The header row, a row per line, a blank row, then the totals rows: the
// label in the name column, each value in the column it totals. A number
// with the estimate's separator, without grouping or unit.
std::vector<TableRow> estimateTable(const Estimate& estimate);

// Parts of that table, for a face that shows the lines and the totals apart
// and must not rebuild every row for one edit: line `row` (from 0) and the
// totals rows.
TableRow estimateLineRow(const Estimate& estimate, std::size_t row);
std::vector<TableRow> estimateTotalsRows(const Estimate& estimate);

} // namespace tarvik
