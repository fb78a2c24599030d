#include "estimate/estimate_line.h"

#include "estimate/catalogue_lookup.h"
#include "number/count_text.h"
#include "number/double_text.h"
#include "number/errors.h"
#include "number/exact_mass.h"
#include "number/quantity.h"
#include "text/captions.h"

namespace tarvik {
namespace {

// Requested quantities keep as many decimals as the user typed; more than
// these would not fit any stock.
constexpr int requestedDecimals = 30;

Amount powerOfTen(int n)
{
    Amount r(1);
    for (; n > 0; --n)
        r.multiplyAdd(10, 0);
    return r;
}

// ceil(a ÷ b) for b > 0, or none beyond maxPieces.
std::optional<std::uint32_t> ceilingQuotient(float80::BigUnsigned a, const float80::BigUnsigned& b)
{
    if (compare(a, b * Amount(maxPieces)) > 0)
        return std::nullopt;
    const float80::Quotient q = float80::divide(a, b, 32);
    return static_cast<std::uint32_t>(q.lo + (a.isZero() ? 0 : 1));
}

} // namespace

EditResult settleLine(EstimateLine& line, char16_t separator)
{
    try {
        std::u16string quantity, pieces, mass;
        if (line.pieceSize.empty()) {
            // As «Расчитать» computes it: from the number as typed.
            quantity = calculatedText(line.requested, separator, 1.0, 0);
            mass = calculatedText(line.requested, separator, line.unitMass, 0);
        } else {
            const AmountText requested = readAmount(line.requested, separator, requestedDecimals);
            const AmountText pieceSize = readAmount(line.pieceSize, separator, 3);
            if (requested.error == AmountError::Negative)
                return {EditError::Negative};
            if (requested.error != AmountError::None)
                return {EditError::TooManyPieces};
            if (pieceSize.error != AmountError::None || pieceSize.units.isZero())
                return {EditError::BadPieceSize};
            const std::optional<std::uint32_t> count =
                ceilingQuotient(requested.units, pieceSize.units * powerOfTen(requestedDecimals - 3));
            if (!count)
                return {EditError::TooManyPieces};
            pieces = formatAmount(Amount(*count), 0, separator);
            quantity = formatAmount(pieceSize.units * Amount(*count), 3, separator);
            mass = calculatedText(quantity, separator, line.unitMass, 0);
        }
        if (quantity.starts_with(u'-') || mass.starts_with(u'-'))
            return {EditError::Negative};
        line.quantity = std::move(quantity);
        line.pieces = std::move(pieces);
        line.mass = std::move(mass);
        return {};
    } catch (const CalcError& e) {
        return {EditError::Calculation, errorBoxText(e.message())};
    }
}

std::optional<Amount> lineGrams(const EstimateLine& line, char16_t separator)
{
    if (line.mass.find_first_of(u"Ee") != std::u16string::npos)
        return std::nullopt;
    AmountText grams = readAmount(line.mass, separator, 3);
    if (grams.error != AmountError::None)
        return std::nullopt;
    return std::move(grams.units);
}

} // namespace tarvik

namespace tarvik {

void changeSeparator(EstimateLine& line, char16_t from, char16_t to)
{
    if (from == to)
        return;
    for (std::u16string* text :
         {&line.requested, &line.pieceSize, &line.pieces, &line.quantity, &line.mass, &line.price}) {
        for (char16_t& c : *text) {
            if (c == from)
                c = to;
        }
    }
}

std::optional<double> catalogueUnitMass(const EstimateLine& line)
{
    if (line.ownSection)
        return std::nullopt;
    const std::optional<double> unitMass = catalogueUnitMass(line.family, line.kind, line.size);
    if (!unitMass)
        return std::nullopt;
    // As the calculator scales it; at the catalogue's density the very double.
    return scaledUnitMass(*unitMass, static_cast<int>(line.density));
}

CatalogueNote catalogueNote(const EstimateLine& line)
{
    // An own section has no entry to stand against: its unit mass is its
    // dimensions' alone.
    if (line.ownSection)
        return CatalogueNote::None;
    const std::optional<double> unitMass = catalogueUnitMass(line);
    if (!unitMass)
        return CatalogueNote::NotInCatalogue;
    // Bit for bit: the numbers were computed with exactly this double.
    return doubleBits(*unitMass) == doubleBits(line.unitMass) ? CatalogueNote::None
                                                              : CatalogueNote::UnitMassChanged;
}

std::u16string_view priceUnitText(const EstimateLine& line, PriceUnit unit)
{
    switch (unit) {
    case PriceUnit::Tonne:
        return caption(Caption::PricePerTonne);
    case PriceUnit::Quantity:
        return caption(line.quantityKind == QuantityKind::Area ? Caption::PricePerSquareMetre
                                                               : Caption::PricePerMetre);
    case PriceUnit::Piece:
        return caption(Caption::PricePerPiece);
    }
    return {};
}

std::vector<PriceUnit> priceUnitChoices(const EstimateLine& line)
{
    std::vector<PriceUnit> units{PriceUnit::Tonne, PriceUnit::Quantity};
    if (!line.pieceSize.empty())
        units.push_back(PriceUnit::Piece);
    return units;
}

std::u16string gradeText(const EstimateLine& line)
{
    if (line.ownDensity)
        return captionFilled(Caption::OwnDensityGrade, {countText(line.density)});
    if (!line.grade.empty())
        return line.grade;
    if (!line.metal.empty())
        return line.metal;
    return std::u16string(caption(Caption::SteelOnly));
}

std::u16string lineName(const EstimateLine& line)
{
    if (!line.ownSection && !line.ownDensity && line.density == catalogueDensity)
        return line.kind;
    std::u16string name = line.kind;
    name += u' ';
    name += line.size;
    name += u", ";
    name += gradeText(line);
    return name;
}

} // namespace tarvik
