#pragma once

// The metals and their grades, with the density each is weighed at: literal,
// constant data, as the rest of the catalogue.

#include <array>
#include <span>
#include <string_view>

namespace tarvik::catalogue {

using GradeText = std::u16string_view;

struct Grade {
    GradeText name;
    int density; // kg/m³
};

struct Metal {
    GradeText name;
    std::span<const Grade> grades;
};

// The density every unit mass of the catalogue is stated at.
inline constexpr int steelDensity = 7850;

// Steel first, its first grade the one a calculation starts with.
extern const std::array<Metal, 11> metals;

// The bounds of a density typed by the user, kg/m³.
inline constexpr int lowestDensity = 500;
inline constexpr int highestDensity = 25000;

} // namespace tarvik::catalogue
