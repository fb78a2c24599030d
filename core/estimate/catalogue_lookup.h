#pragma once

// What the estimate asks the catalogue about a line, by its texts, never by
// list positions, which change whenever the catalogue does. The estimate's
// rules only ask; catalogue_lookup.cpp answers from the catalogue linked in
// beside them, and the web page's estimate, which carries no copy of the
// catalogue, has the calculator's module answer through the page.

#include "estimate/estimate_line.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace tarvik {

struct CatalogueFamily {
    QuantityKind quantity = QuantityKind::Length;
    // The length (in mm) or area (in thousandths of a square metre) of one
    // piece as sold by default; 0 where the family has none.
    std::uint32_t defaultPieceSizeThousandths = 0;
};

// None when no family has this header.
std::optional<CatalogueFamily> catalogueFamily(std::u16string_view header);

// The unit mass of the size `size` of the kind `kind` of the family
// `header`; none when there is no such family, kind or size.
std::optional<double> catalogueUnitMass(std::u16string_view header, std::u16string_view kind,
                                        std::u16string_view size);

} // namespace tarvik
