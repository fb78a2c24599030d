#pragma once

// Finding a stored line's size in the catalogue by its texts, never by list
// positions, which change whenever the catalogue does.

#include "catalogue/family.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace tarvik {

const catalogue::Family* familyByHeader(std::u16string_view header);

// The unit mass of the size `size` of the kind `kind`; none when the family
// has no such kind or the kind no such size.
std::optional<double> catalogueUnitMass(const catalogue::Family& family, std::u16string_view kind,
                                        std::u16string_view size);

// The length (in mm) or area (in thousandths of a square metre) of one piece
// as sold by default; 0 where a family has none.
std::uint32_t defaultPieceSizeThousandths(const catalogue::Family& family);

} // namespace tarvik
