#include "estimate/estimate_messages.h"

#include "text/captions.h"

namespace tarvik {

std::u16string editErrorText(const EditResult& result)
{
    switch (result.error) {
    case EditError::None:
    case EditError::NoSuchLine: // the line went while the edit was typed: nothing to tell
        return {};
    case EditError::NotInCatalogue:
        return std::u16string(caption(Caption::NotInCatalogueNote));
    case EditError::Calculation:
    case EditError::BadNumber:
        return result.message;
    case EditError::Negative:
        return std::u16string(caption(Caption::NegativeAmount));
    case EditError::BadPieceSize:
        return std::u16string(caption(Caption::BadPieceSize));
    case EditError::NeedsPieceSize:
        return std::u16string(caption(Caption::NeedsPieceSize));
    case EditError::BadPieces:
        return std::u16string(caption(Caption::BadPieces));
    case EditError::TooManyPieces:
        return std::u16string(caption(Caption::TooManyPieces));
    case EditError::BadPrice:
        return std::u16string(caption(Caption::BadPrice));
    case EditError::PricedPerPiece:
        return std::u16string(caption(Caption::PricedPerPiece));
    case EditError::NotInPieces:
        return std::u16string(caption(Caption::NotInPieces));
    case EditError::BadVatRate:
        return std::u16string(caption(Caption::BadVatRate));
    }
    return {};
}

std::u16string lineNotes(const Estimate& estimate, std::size_t row)
{
    std::u16string notes;
    const auto note = [&notes](Caption which) {
        if (!notes.empty())
            notes += u"; ";
        notes += caption(which);
    };
    switch (estimate.line(row).note) {
    case CatalogueNote::None:
        break;
    case CatalogueNote::UnitMassChanged:
        note(Caption::UnitMassChangedNote);
        break;
    case CatalogueNote::NotInCatalogue:
        note(Caption::NotInCatalogueNote);
        break;
    }
    if (estimate.cost(row).state == LineCostState::OutOfRange)
        note(Caption::CostOutOfRange);
    return notes;
}

namespace {

std::u16string withPlace(Caption which, std::u16string_view where)
{
    std::u16string text(caption(which));
    const std::size_t at = text.find(u"{}");
    if (at != std::u16string::npos)
        text.replace(at, 2, where);
    return text;
}

} // namespace

std::u16string storageProblemText(const StorageError& error)
{
    switch (error.problem()) {
    case StorageProblem::NoSpace:
        return std::u16string(caption(Caption::StorageNoSpace));
    case StorageProblem::NoPermission:
        return withPlace(Caption::StorageNoPermission, error.where());
    case StorageProblem::NotReadable:
        return withPlace(Caption::StorageNotReadable, error.where());
    case StorageProblem::Busy:
        return std::u16string(caption(Caption::StorageBusy));
    case StorageProblem::BrowserFull:
        return std::u16string(caption(Caption::BrowserStorageFull));
    case StorageProblem::BrowserRefused:
        return std::u16string(caption(Caption::BrowserStorageRefused));
    case StorageProblem::Failed:
        break;
    }
    return std::u16string(caption(Caption::StorageFailed));
}

} // namespace tarvik
