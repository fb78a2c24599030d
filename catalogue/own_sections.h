#pragma once

// «Свой размер»: sections the user gives by their dimensions rather than
// picks from a list, and the standards' corner radii that fill in the
// dimensions a buyer seldom knows. Literal, constant data.

#include "family.h"

#include <array>
#include <span>

namespace tarvik::catalogue {

enum class OwnShape {
    Circle,
    Square,
    Hexagon,
    Sheet,
    Strip,
    RoundPipe,
    ProfilePipe,
    EqualAngle,
    UnequalAngle,
};

struct OwnKind {
    Text name;
    OwnShape shape;
    // One field per dimension, in the order the formulas take them.
    std::span<const Text> dimensionCaptions;
    TextSet textSet;
};

inline constexpr std::size_t maxOwnDimensions = 5;

extern const Text ownSectionsHeader;
extern const std::array<OwnKind, 9> ownKinds;

// A profile pipe's outer corner radius R as a standard sets it: R = factor
// (in tenths) × wall for walls up to `wallUpTo` mm; the last step holds for
// every thicker wall.
struct RadiusStep {
    int wallUpTo;
    int factorTenths;
};
struct RadiusStandard {
    Text name;
    std::span<const RadiusStep> steps;
};
// The first is the one a profile pipe starts with.
extern const std::array<RadiusStandard, 2> profileRadiusStandards;

// Hot-rolled angles: the root radius R and the toe radius r of a flange
// width (equal angles) or a pair of widths (unequal angles), in mm.
struct AngleRadii {
    int legA;
    int legB; // equal to legA for an equal angle
    int rootRadiusTenths;
    int toeRadiusTenths;
};
extern const std::span<const AngleRadii> equalAngleRadii;
extern const std::span<const AngleRadii> unequalAngleRadii;

} // namespace tarvik::catalogue
