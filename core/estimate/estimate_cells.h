#pragma once

// What the cells of each column take and which edit they make: one table
// for every face, so a column cannot take three decimals in one and two in
// the other.

#include "estimate/estimate.h"
#include "estimate/estimate_table.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

// The VAT rate's field takes hundredths of a percent.
inline constexpr int vatRateDecimals = 2;

// How many decimals a cell of the column takes: pieces are whole, prices
// in kopecks, lengths, areas and masses to the millimetre and the gram;
// none for a column that is not edited.
std::optional<int> cellDecimals(EstimateColumn column);

// Whether a cell of the column takes an edit: typed (cellDecimals) or
// chosen from a list (cellChoices).
bool cellEdited(EstimateColumn column);

// The texts a chosen cell offers for the line, in order; none for a typed
// cell or one not edited. «за» offers т, м or кв.м, and шт where the line is
// in pieces.
std::vector<std::u16string> cellChoices(const EstimateLine& line, EstimateColumn column);

// The edit a text committed into line `id`'s cell of the column makes;
// NoSuchLine for a column that is not edited.
EditResult editCell(Estimate& estimate, std::uint64_t id, EstimateColumn column, std::u16string_view text);

// The text a cell's editor starts from: the line's own, as it is stored.
std::u16string_view cellEditText(const EstimateLine& line, EstimateColumn column);

} // namespace tarvik
