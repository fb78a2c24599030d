// Flat strip, reckoned by length; a size is thickness x width in mm, picked in two steps.
#include "family.h"

namespace tarvik::catalogue {
namespace {

constexpr Text kinds[] = {
    u"Полоса ГОСТ 103-76",
};

// Thicknesses ascend; within a thickness the widths stand in character order, as the
// catalogue stores them ("6x100" before "6x25").
constexpr Text stripSizes[] = {u"4x20",  u"4x25",  u"4x30",  u"4x40",   u"5x20",   u"5x25",  u"5x30",
                               u"5x40",  u"5x50",  u"5x60",  u"6x100",  u"6x25",   u"6x30",  u"6x40",
                               u"6x50",  u"6x60",  u"6x80",  u"8x100",  u"8x30",   u"8x40",  u"8x50",
                               u"8x60",  u"8x70",  u"8x80",  u"10x100", u"10x150", u"10x20", u"10x30",
                               u"10x40", u"10x50", u"10x70", u"10x80",  u"12x150", u"12x40", u"20x40"};
constexpr double stripMasses[] = {0.63, 0.78,  0.94, 1.26, 0.78, 0.98, 1.18, 1.57, 1.96,  2.36, 4.71, 1.18,
                                  1.41, 1.88,  2.36, 2.83, 3.77, 6.28, 1.88, 2.51, 3.14,  3.77, 4.4,  5.02,
                                  7.85, 11.78, 1.57, 2.36, 3.14, 3.92, 5.5,  6.28, 14.13, 3.77, 6.28};

constexpr KindTable tables[] = {
    {stripSizes, stripMasses},
};

} // namespace

extern const Family flatStrip{
    .header = u"Полоса",
    .kinds = kinds,
    .tables = tables,
    .textSet = TextSet::Length,
    .controls = SizeControls::TwoPickers,
    .firstLevelCaption = u"Толщина, мм",
    .secondLevelCaption = u"Ширина, мм",
};

} // namespace tarvik::catalogue
