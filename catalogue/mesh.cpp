// Steel mesh, reckoned by area.
#include "family.h"

namespace tarvik::catalogue {
namespace {

constexpr Text kinds[] = {
    u"Сетка плетеная",
    u"Сетка сварная",
};

// Woven sizes are cell x cell x wire joined by the Cyrillic "х", the wire written as the
// catalogue has it; welded sizes are wire x cell x cell joined by the Latin "x".
constexpr Text wovenSizes[] = {
    u"5х5х1,20",  u"8х8х1,20",   u"8х8х1,40",   u"10х10х1,20", u"10х10х1,40", u"12х12х1,40", u"12х12х1,60",
    u"15х15х1,4", u"15х15х1,60", u"15х15х1,80", u"15х15х2,0",  u"20х20х1,4",  u"20х20х1,6",  u"20х20х2,5",
    u"25х25х1,6", u"25х25х1,8",  u"25х25х2,0",  u"25х25х2,5",  u"30х30х1,8",  u"30х30х2,0",  u"35х35х2",
    u"35х35х2,5", u"40х40х1,8",  u"40х40х2,0",  u"45х45х2,0",  u"45х45х2,5",  u"45х45х3,0",  u"50х50х2,5",
    u"50х50х3,0", u"60х60х2,5",  u"6х6х1,20",   u"70х70х3,0",  u"80х80х2,5",  u"80х80х3,0"};
constexpr double wovenMasses[] = {
    4.52, 2.78, 3.8, 2.2, 3,
    // Listed as 3.24, the thicker wire's mass; 12х12х1,60 scaled by wire² / (cell + wire) gives 2.52.
    2.52, 3.24, 1.77, 2.57, 3.25, 3.6, 1.33, 1.74,
    // Listed as 2.66, below 25х25х2,5; 20х20х1,6 scaled by wire² / (cell + wire) gives 4.08.
    4.08, 1.39, 1.76, 2.15, 3.36, 1.46, 1.81, 1.56, 2.44, 1.1, 1.36, 1.23, 1.87, 2.7, 1.7, 2.44, 1.41, 3.73,
    1.74, 1.1, 1.53};
constexpr Text weldedSizes[] = {u"1x20x20",   u"2x24x24",   u"2x48x48",   u"2x50x50",   u"3x50x50",
                                u"3x100x100", u"3x150x150", u"3x200x200", u"4x50x50",   u"4x100x100",
                                u"4x150x150", u"4x200x200", u"5x50x50",   u"5x100x100", u"5x150x150",
                                u"5x200x200", u"6x100x100", u"6x150x150", u"6x200x200", u"8x100x100",
                                u"8x150x150", u"8x200x200"};
constexpr double weldedMasses[] = {
    // Listed as 2.45 like 2x24x24; two 1 mm wires every 20 mm at 7850 kg/m³ weigh 0.62 kg/m².
    0.62, 2.45, 1.01,
    // Listed as 1.5, heavier than the denser 2x48x48; two 2 mm wires every 50 mm weigh 0.99 kg/m².
    0.99, 2.09, 0.99, 0.6, 0.52, 3.64, 1.79, 1.23, 0.92, 5.64, 2.79, 1.89, 1.44, 4.44, 3.03, 2.22, 7.9, 5.4,
    3.95};

constexpr KindTable tables[] = {
    {wovenSizes, wovenMasses},
    {weldedSizes, weldedMasses},
};

} // namespace

extern const Family mesh{
    .header = u"Сетка",
    .kinds = kinds,
    .tables = tables,
    .textSet = TextSet::Area,
    .controls = SizeControls::SingleList,
    .sizeCaption = u"Размер",
    .sizeCaptionStep = SizeCaptionStep::AfterListEmptied,
    .steelOnly = true,
};

} // namespace tarvik::catalogue
