#include "estimate/catalogue_lookup.h"

#include "catalogue/family.h"

#include <utility>

namespace tarvik {
namespace {

const catalogue::Family* familyByHeader(std::u16string_view header)
{
    for (const catalogue::Family* family : catalogue::families) {
        if (family->header == header)
            return family;
    }
    return nullptr;
}

std::uint32_t defaultPieceSizeThousandths(const catalogue::Family& family)
{
    // Stock lengths as usually sold; sheet as 1,25 × 2,5 m. Profiled sheet
    // and mesh are cut to order: no default.
    const std::pair<const catalogue::Family*, std::uint32_t> table[] = {
        {&catalogue::rebar, 11'700},    {&catalogue::beams, 12'000},    {&catalogue::channels, 12'000},
        {&catalogue::angles, 12'000},   {&catalogue::roundPipe, 6'000}, {&catalogue::profilePipe, 6'000},
        {&catalogue::squareBar, 6'000}, {&catalogue::roundBar, 6'000},  {&catalogue::flatStrip, 6'000},
        {&catalogue::sheet, 3'125},     {&catalogue::profiledSheet, 0}, {&catalogue::mesh, 0},
    };
    for (const auto& [f, size] : table) {
        if (f == &family)
            return size;
    }
    return 0;
}

} // namespace

std::optional<CatalogueFamily> catalogueFamily(std::u16string_view header)
{
    const catalogue::Family* family = familyByHeader(header);
    if (!family)
        return std::nullopt;
    return CatalogueFamily{family->textSet == catalogue::TextSet::Area ? QuantityKind::Area
                                                                       : QuantityKind::Length,
                           defaultPieceSizeThousandths(*family)};
}

std::optional<double> catalogueUnitMass(std::u16string_view header, std::u16string_view kind,
                                        std::u16string_view size)
{
    const catalogue::Family* family = familyByHeader(header);
    if (!family)
        return std::nullopt;
    for (std::size_t k = 0; k < family->kinds.size() && k < family->tables.size(); ++k) {
        if (family->kinds[k] != kind)
            continue;
        const catalogue::KindTable& table = family->tables[k];
        for (std::size_t s = 0; s < table.sizes.size() && s < table.unitMasses.size(); ++s) {
            if (table.sizes[s] == size)
                return table.unitMasses[s];
        }
    }
    return std::nullopt;
}

} // namespace tarvik
