#pragma once

#include "../utf8.h"

// The geometry the audit reads out of size texts. The program never parses a size text; only
// this audit does, to weigh each section and compare it with the stored unit mass.

#include "catalogue/family.h"

#include <optional>
#include <string>
#include <vector>

namespace tarvik::audit {

using catalogue::Text;

// Steel at 7850 kg/m³: one square millimetre of section weighs this many kilograms per metre,
// one millimetre of sheet this many kilograms per square metre.
inline constexpr double kgPerMetrePerMm2 = 7.85e-3;
inline constexpr double kgPerSquareMetrePerMm = 7.85;

// The numbers of a size text whose dimensions are joined by the Latin "x" or the Cyrillic "х",
// with a decimal comma or point ("6,5", "20x20x1.5", "56х36х4"). Nothing when the text holds
// anything else: a series letter, a profile mark, an empty part.
std::optional<std::vector<double>> sizeNumbers(Text text);

// Every run of digits in a text, read as a number with its decimal comma or point: {10, 1100,
// 0.5} of "С10-1100-0,5", {20, 1} of "20 Б1", {16} of "16п".
std::vector<double> numbersIn(Text text);

// Cross-sections in mm².
double roundSection(double diameter);
double pipeSection(double outside, double wall);
// A cold-formed hollow section whose corners are bent at an outer radius of 1.5 walls and an
// inner one of half a wall: 2s(A + B − 2s) less (4 − π)(R² − r²), that is 2s(A + B − 2.86s).
double profilePipeSection(double sideA, double sideB, double wall);
// The two legs as plain rectangles: the fillet at the root adds a little, the rounded toes take
// a little less away, so a rolled angle weighs slightly more than this.
double angleSection(double legA, double legB, double thickness);
// A channel bent from strip at an inner radius of one thickness.
double bentChannelSection(double height, double flange, double thickness);

// Water-and-gas pipe is named by its nominal bore; this is the outside diameter that goes with
// it, nothing for a bore the standard series does not have.
std::optional<double> waterGasOutside(double nominalBore);

// For messages and the report; the catalogue's texts are all in the Basic Multilingual Plane.
using tarvik::testing::utf8;

} // namespace tarvik::audit
