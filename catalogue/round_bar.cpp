// Round bar, reckoned by length; a size is the bar diameter in mm.
#include "family.h"

namespace tarvik::catalogue {
namespace {

constexpr Text kinds[] = {
    u"Круг ГОСТ 2590",
};

constexpr Text roundSizes[] = {
    u"6,5", u"8",   u"10",  u"12",  u"14",  u"16",  u"18",  u"20",  u"22",  u"24",  u"25",  u"30",  u"32",
    u"34",  u"35",  u"36",  u"38",  u"40",  u"42",  u"45",  u"50",  u"52",  u"55",  u"56",  u"60",  u"65",
    u"70",  u"80",  u"90",  u"95",  u"100", u"110", u"115", u"120", u"130", u"140", u"150", u"160", u"170",
    u"180", u"190", u"200", u"210", u"220", u"230", u"240", u"250", u"260", u"270", u"280"};
constexpr double roundMasses[] = {
    0.26, 0.4, 0.62, 0.89, 1.21, 1.58, 2, 2.47, 2.98, 3.55, 3.85, 5.55, 6.31, 7.13, 7.55, 7.99, 8.9, 9.86,
    10.88, 12.48, 15.42, 16.67, 18.65, 19.33, 22.19, 26.05, 30.21, 39.46, 49.94, 55.64, 61.65, 74.6, 81.54,
    88.78, 104.2, 120.84, 138.72, 157.83, 178.18, 199.76, 222.57, 246.62, 271.89, 298.4, 326.15, 355.13,
    385.34, 416.57, 449.22,
    // Listed as 459.5, a gain too small for the step from 270; π·280²/4 mm² at 7850 kg/m³ is 483.37.
    483.37};

constexpr KindTable tables[] = {
    {roundSizes, roundMasses},
};

} // namespace

extern const Family roundBar{
    .header = u"Круг",
    .kinds = kinds,
    .tables = tables,
    .textSet = TextSet::Length,
    .controls = SizeControls::SingleList,
    .sizeCaption = u"Диаметр, мм",
    .sizeCaptionStep = SizeCaptionStep::BeforeResultCleared,
};

} // namespace tarvik::catalogue
