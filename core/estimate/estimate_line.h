#pragma once

// One line of an estimate and the rules that keep its numbers together.
// Every text is in the calculator's form with the estimate's separator.

#include "estimate/money.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvik {

enum class QuantityKind { Length, Area };

// The density every unit mass of the catalogue is stated at, kg/m³.
inline constexpr std::uint32_t catalogueDensity = 7850;

// How a line stands against the catalogue of today.
enum class CatalogueNote {
    None,
    UnitMassChanged, // kept its numbers; the next recomputing edit uses the catalogue's
    NotInCatalogue,  // its kind or size is gone; it keeps its numbers and its unit mass
};

// What a line's price is per: a tonne of its mass, a metre or square metre of
// its quantity, or one of its pieces.
enum class PriceUnit { Tonne, Quantity, Piece };

struct EstimateLine {
    std::uint64_t id = 0;
    std::u16string family; // the family's header
    std::u16string kind;
    std::u16string size;
    double unitMass = 0; // kg per metre or square metre, as computed with
    QuantityKind quantityKind = QuantityKind::Length;
    std::u16string requested; // the quantity asked for, before whole pieces
    std::u16string pieceSize; // empty: not sold in pieces
    std::u16string pieces;    // empty while there is no piece size
    std::u16string quantity;  // three decimals, as shown
    std::u16string mass;      // three decimals, as shown
    std::u16string price;     // per priceUnit, two decimals; empty: unpriced
    std::uint64_t edited = 0; // the time stamp of the last change, for merging
    CatalogueNote note = CatalogueNote::None;
    // Piece only while the line is in pieces.
    PriceUnit priceUnit = PriceUnit::Tonne;
    // What it is weighed in, as the calculation named it. Lines from before
    // grades are steel at the catalogue's density, naming neither.
    std::u16string metal;
    std::u16string grade;
    std::uint32_t density = catalogueDensity; // kg/m³
    bool ownDensity = false;
    bool ownSection = false; // «Свой размер»: `size` holds its dimensions
};

enum class EditError {
    None,
    NoSuchLine,
    NotInCatalogue, // adding a size the catalogue does not have
    Calculation,    // the calculator's own error; its message says which
    Negative,       // an estimate buys no negative amounts
    BadPieceSize,   // not a number above zero with at most three decimals
    NeedsPieceSize, // pieces typed where the family has no default piece size
    BadPieces,      // not a whole number from 1 on
    TooManyPieces,  // beyond maxPieces
    BadPrice,       // not a number of at most two decimals
    PricedPerPiece, // the piece size emptied of a line priced per piece
    NotInPieces,    // priced per piece where the line has no piece size
    BadVatRate,     // not a percentage from 0 to 100 with at most two decimals
    BadNumber,      // a typed number refused; its message says why
};

struct EditResult {
    EditResult() = default;
    EditResult(EditError e, std::u16string text = {}, std::uint64_t line = 0)
        : error(e), message(std::move(text)), id(line)
    {
    }
    EditError error = EditError::None;
    std::u16string message; // the error box's text for EditError::Calculation, the reason for BadNumber
    std::uint64_t id = 0;   // the line added
    explicit operator bool() const { return error == EditError::None; }
};

inline constexpr std::uint32_t maxPieces = 1'000'000'000;

// The numbers of a line recomputed from its requested quantity and piece
// size: pieces, quantity and mass. On error the line is left as it was.
EditResult settleLine(EstimateLine& line, char16_t separator);

// The mass as exact grams when it is shown to the gram (below 10^18 kg, the
// fixed form); none otherwise.
std::optional<Amount> lineGrams(const EstimateLine& line, char16_t separator);

} // namespace tarvik

namespace tarvik {

// The line's numbers rewritten from one separator to another.
void changeSeparator(EstimateLine& line, char16_t from, char16_t to);

// How the line stands against the catalogue of today.
CatalogueNote catalogueNote(const EstimateLine& line);

// The unit mass today's catalogue gives the line, at the line's density;
// none for a size it lacks and for «Свой размер».
std::optional<double> catalogueUnitMass(const EstimateLine& line);

// «за»: "т", "м" or "кв.м" by the line's quantity, "шт".
std::u16string_view priceUnitText(const EstimateLine& line, PriceUnit unit);
// What a line may be priced per, in the order offered: шт only while the
// line is in pieces.
std::vector<PriceUnit> priceUnitChoices(const EstimateLine& line);

// «Марка»: the grade; the metal where no grade was named; the density where
// it is the user's own.
std::u16string gradeText(const EstimateLine& line);

// The name as a buyer writes it: «Труба круглая 57х4, 12Х18Н10Т». A line of
// the catalogue at its own density keeps the kind alone, as it always read:
// every steel grade weighs the same, and «Марка» names it.
std::u16string lineName(const EstimateLine& line);

} // namespace tarvik
