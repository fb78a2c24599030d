#pragma once

#include "../utf8.h"

// The geometry the audit reads out of size texts. The program never parses a size text; only
// this audit does, to weigh each section with the calculator's own formulas («Свой размер») and
// compare it with the stored unit mass.

#include "catalogue/family.h"
#include "catalogue/own_sections.h"

#include <optional>
#include <string>
#include <vector>

namespace tarvik::audit {

using catalogue::Text;

// Steel at 7850 kg/m³: one square millimetre of section weighs this many kilograms per metre.
inline constexpr double kgPerMetrePerMm2 = 7.85e-3;

// The dimensions of a size text joined by the Latin "x" or the Cyrillic "х", each with the
// decimal comma the calculator's fields type ("6,5", "20x20x1.5", "56х36х4"). Nothing when the
// text holds anything else: a series letter, a profile mark, an empty part.
std::optional<std::vector<std::u16string>> sizeParts(Text text);
double valueOf(const std::u16string& part);

// The calculator's own section in steel, kg per metre (per square metre for sheet); nothing
// when it refuses the dimensions.
std::optional<double> ownSteelMass(catalogue::OwnShape shape, const std::vector<std::u16string>& dims);

// Every run of digits in a text, read as a number with its decimal comma or point: {10, 1100,
// 0.5} of "С10-1100-0,5", {20, 1} of "20 Б1", {16} of "16п".
std::vector<double> numbersIn(Text text);

// A channel bent from strip at an inner radius of one thickness, in mm²: the calculator has no
// own section of this shape.
double bentChannelSection(double height, double flange, double thickness);

// Water-and-gas pipe is named by its nominal bore; this is the outside diameter that goes with
// it, nothing for a bore the standard series does not have.
std::optional<std::u16string> waterGasOutside(const std::u16string& nominalBore);

// For messages and the report; the catalogue's texts are all in the Basic Multilingual Plane.
using tarvik::testing::utf8;

} // namespace tarvik::audit
