#pragma once

// «Свой размер»: the unit mass of a section given by its dimensions, the
// reasons a set of dimensions gives none, and the corner radii the
// standards fill in. The dimensions are the texts of their fields, in the
// order of the kind's captions (catalogue/own_sections.h).

#include "catalogue/own_sections.h"
#include "text/captions.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tarvik {

// The largest dimension a field takes, in mm.
inline constexpr int largestDimension = 10'000;

// Either the unit mass (kg per metre, or per square metre for sheet) in
// millionths of a kilogram, or the field whose text gives none and why.
struct OwnSectionMass {
    std::uint64_t millionths = 0;
    int badField = -1; // -1 when the mass stands
    Caption reason = Caption::DimensionMissing;

    bool ok() const { return badField < 0; }
};

// The mass of one metre (one square metre) at `density` kg/m³: the
// section's exact area × density ÷ 10^6 (sheet: thickness × density ÷
// 1000), rounded once, half up, to six decimals. The separator is the one
// the fields type.
OwnSectionMass ownSectionMass(catalogue::OwnShape shape, std::span<const std::u16string> dimensions,
                              char16_t separator, int density);

// A dimension's text read as millionths of a millimetre, or why it does not
// read: empty, not a number, more than six decimals, above the largest.
struct DimensionReading {
    std::uint64_t millionths = 0;
    std::optional<Caption> problem;
};
DimensionReading readDimension(std::u16string_view text, char16_t separator);

// The outer corner radius R that a standard (an index into
// catalogue::profileRadiusStandards) gives a profile pipe of this wall, as
// the R field shows it; none while the wall does not read.
std::optional<std::u16string> profileRadiusText(std::size_t standard, std::u16string_view wall,
                                                char16_t separator);

// The root radius R and the toe radius r of a hot-rolled angle with these
// flanges, from the standard's table: the same widths, or the nearest
// (the smaller on a tie); none while a width does not read. An equal angle
// gives its one width twice.
struct AngleRadiiTexts {
    std::u16string root;
    std::u16string toe;
};
std::optional<AngleRadiiTexts> angleRadiiTexts(catalogue::OwnShape shape, std::u16string_view legA,
                                               std::u16string_view legB, char16_t separator);

} // namespace tarvik
