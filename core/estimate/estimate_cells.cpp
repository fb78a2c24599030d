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
    default:
        return {};
    }
}

} // namespace tarvik
