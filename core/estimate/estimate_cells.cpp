#include "estimate/estimate_cells.h"

namespace tarvik {

std::optional<int> cellDecimals(EstimateColumn column)
{
    switch (column) {
    case EstimateColumn::Pieces:
        return 0;
    case EstimateColumn::Price:
        return 2;
    case EstimateColumn::PieceSize:
    case EstimateColumn::Quantity:
    case EstimateColumn::Mass:
        return 3;
    default:
        return std::nullopt;
    }
}

bool cellEdited(EstimateColumn column)
{
    return cellDecimals(column) || column == EstimateColumn::PriceUnit;
}

std::vector<std::u16string> cellChoices(const EstimateLine& line, EstimateColumn column)
{
    std::vector<std::u16string> texts;
    if (column == EstimateColumn::PriceUnit) {
        for (PriceUnit unit : priceUnitChoices(line))
            texts.emplace_back(priceUnitText(line, unit));
    }
    return texts;
}

namespace {

// The unit a «за» text names for the line; шт for a line not in pieces is
// left to the estimate to refuse.
EditResult choosePriceUnit(Estimate& estimate, std::uint64_t id, std::u16string_view text)
{
    const std::optional<std::size_t> row = estimate.rowOf(id);
    if (!row)
        return {EditError::NoSuchLine};
    for (PriceUnit unit : {PriceUnit::Tonne, PriceUnit::Quantity, PriceUnit::Piece}) {
        if (text == priceUnitText(estimate.line(*row), unit))
            return estimate.setPriceUnit(id, unit);
    }
    return {EditError::NoSuchLine};
}

} // namespace

EditResult editCell(Estimate& estimate, std::uint64_t id, EstimateColumn column, std::u16string_view text)
{
    switch (column) {
    case EstimateColumn::PieceSize:
        return estimate.editPieceSize(id, text);
    case EstimateColumn::Pieces:
        return estimate.editPieces(id, text);
    case EstimateColumn::Quantity:
        return estimate.editQuantity(id, text);
    case EstimateColumn::Mass:
        return estimate.editMass(id, text);
    case EstimateColumn::Price:
        return estimate.editPrice(id, text);
    case EstimateColumn::PriceUnit:
        return choosePriceUnit(estimate, id, text);
    default:
        return {EditError::NoSuchLine};
    }
}

std::u16string_view cellEditText(const EstimateLine& line, EstimateColumn column)
{
    switch (column) {
    case EstimateColumn::PieceSize:
        return line.pieceSize;
    case EstimateColumn::Pieces:
        return line.pieces;
    case EstimateColumn::Quantity:
        return line.quantity;
    case EstimateColumn::Mass:
        return line.mass;
    case EstimateColumn::Price:
        return line.price;
    case EstimateColumn::PriceUnit:
        return priceUnitText(line, line.priceUnit);
    default:
        return {};
    }
}

} // namespace tarvik
